// links: tamarie_rules
// The iCalendar import on the worst files found (each at most 8 MB): the
// time to read one for the two years of a calendar, and the process's peak
// memory while doing it, each file in a process of its own so the peaks do
// not mix.  The import must stay within 5 s and 300 MB on every one.
#include "ical_schedules.h"

#include "../tests/support/hostile_ics.h"

#include <QDate>
#include <QElapsedTimer>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tamarie;

int main()
{
    const std::size_t count = testing::HostileIcsFiles().size();
    std::printf("%-50s %6s %7s %8s  %s\n", "file", "MB", "ms", "peak MB", "result");
    for (std::size_t i = 0; i < count; ++i) {
        std::fflush(stdout);
        if (fork() == 0) {
            const testing::HostileIcs file = testing::HostileIcsFiles()[i];
            const QByteArray bytes = file.make();
            QElapsedTimer clock;
            clock.start();
            const TIcsRead read = ParseIcs(bytes, QDate(2027, 1, 1), QDate(2028, 12, 31));
            const qint64 ms = clock.elapsed();
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            const QByteArray result =
                read.error.isEmpty() ? QByteArray::number(qulonglong(read.days.size())) + " days" : read.error.toUtf8();
            std::printf("%-50s %6.1f %7lld %8.0f  %s\n", file.name, bytes.size() / 1048576.0,
                        static_cast<long long>(ms), usage.ru_maxrss / 1024.0, result.constData());
            std::fflush(stdout);
            _exit(0);
        }
        int status = 0;
        wait(&status);
    }
    return 0;
}
