#pragma once
// Ends the test program when a step blocks (a FIFO opened for reading waits
// for a writer forever), so a regression fails instead of hanging the suite.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace tamarie::testing {

class HangWatchdog {
public:
    HangWatchdog(std::string what, std::chrono::seconds limit)
        : thread_([this, what = std::move(what), limit] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!done_cv_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "hung: %s did not return within %lld s\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::abort();
              }
          })
    {
    }
    ~HangWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        done_cv_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_cv_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace tamarie::testing
