#include "ini_update.h"

#include "regular_file.h"

#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tamarie {

namespace {

std::atomic<bool> gWritesAllowed{true};

QString LockPathOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return path.left(slash + 1) + u'.' + path.mid(slash + 1) + QStringLiteral(".lock");
}

// The lock, or -1 with errno set.  flock locks belong to the open file, so
// two updates in one process exclude each other as two programs do.
int TakeLock(const QString &path, int timeoutMs)
{
    const int fd = ::open(QFile::encodeName(LockPathOf(path)).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    QElapsedTimer waited;
    waited.start();
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || waited.elapsed() >= timeoutMs) {
            ::close(fd);
            errno = error;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return fd;
}

} // namespace

void SetSharedIniWritesAllowed(bool allowed) { gWritesAllowed = allowed; }
bool SharedIniWritesAllowed() { return gWritesAllowed; }

IniFileUpdate::IniFileUpdate(const QString &path, int lockTimeoutMs)
{
    if (path.isEmpty()) {
        file_.SetPath(path);
        error_ = SystemErrorText(ENOENT);
        return;
    }
    if (gWritesAllowed) {
        lockFd_ = TakeLock(path, lockTimeoutMs);
        if (lockFd_ < 0) {
            file_.SetPath(path);
            error_ = SystemErrorText(errno);
            return;
        }
    }
    ok_ = file_.Load(path);
}

IniFileUpdate::~IniFileUpdate() { Unlock(); }

void IniFileUpdate::Unlock()
{
    if (lockFd_ >= 0)
        ::close(lockFd_);
    lockFd_ = -1;
}

bool IniFileUpdate::Commit()
{
    if (!ok_)
        return false;
    const bool saved = !gWritesAllowed || !file_.Modified() || file_.Save();
    Unlock();
    return saved;
}

} // namespace tamarie
