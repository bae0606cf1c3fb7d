// The iCalendar import on arbitrary bytes, as a whole file, as the lines of
// an event and as an event's repetition rule: no crash, no hang, no memory
// beyond what the limits allow; what is read comes in date order, at most as
// many days as allowed, nothing when the file is refused.
#include "dialogs.h"
#include "ical_schedules.h"

#include <QDate>

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace tamarie;

// Reading stores nothing, so nothing may report a failed write.
namespace tamarie::dialogs {
void ShowMessage(const QString &, QWidget *) { std::abort(); }
} // namespace tamarie::dialogs

// Every input within 20 s and 1 GB, wherever the target is run; limits given
// on the command line come later and win.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static char timeout[] = "-timeout=20", memory[] = "-rss_limit_mb=1024";
    static std::vector<char *> args;
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, {timeout, memory});
    args.push_back(nullptr);
    *argc += 2;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArray event = "BEGIN:VCALENDAR\r\nBEGIN:VTIMEZONE\r\nTZID:Z\r\nBEGIN:STANDARD\r\n"
                             "DTSTART:19700101T000000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
                             "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
                             "BEGIN:VEVENT\r\nDTSTART;TZID=Z:20270101T230000\r\n";
    const QByteArray end = "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    // The first byte chooses the form, so each input costs one reading.
    const QByteArray rest = raw.mid(1);
    const int form = size > 0 ? data[0] % 3 : 0;
    const QByteArray bytes = form == 0 ? rest : event + (form == 2 ? "RRULE:" + rest : rest) + end;
    const TIcsRead read = ParseIcs(bytes, QDate(2027, 1, 1), QDate(2028, 12, 31));
    if (!read.error.isEmpty() && !read.days.empty())
        std::abort();
    if (read.days.size() > kIcsMaxDays)
        std::abort();
    for (std::size_t i = 0; i < read.days.size(); ++i)
        if (!read.days[i].date.isValid() || (i > 0 && read.days[i].date < read.days[i - 1].date))
            std::abort();
    return 0;
}
