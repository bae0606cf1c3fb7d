#pragma once
// iCalendar files made to be hard on a reader (deep nesting, rules repeating
// every second, time zones from 1601 changing every hour, files filled to the
// 8 MB limit with one costly construct), the same for the tests and the
// benchmark.
#include <QByteArray>

#include <functional>
#include <vector>

namespace tamarie::testing {

inline QByteArray IcsCalendar(const QByteArray &body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

inline QByteArray IcsEvent(const QByteArray &start, const QByteArray &more, const QByteArray &summary = "s")
{
    return "BEGIN:VEVENT\r\nUID:" + summary + "\r\nDTSTART" + start + "\r\n" + more + "SUMMARY:" + summary +
           "\r\nEND:VEVENT\r\n";
}

// A zone whose standard time starts in 1601 and begins again every hour.
inline QByteArray HourlyZone(int n)
{
    return "BEGIN:VTIMEZONE\r\nTZID:Z" + QByteArray::number(n) +
           "\r\nBEGIN:STANDARD\r\nDTSTART:16010101T000000\r\nRRULE:FREQ=HOURLY\r\n"
           "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
}

// Nesting of n components inside one event.
inline QByteArray NestedIcs(int n)
{
    QByteArray body = "BEGIN:VEVENT\r\n";
    body.reserve(n * 16 + 100);
    for (int i = 0; i < n; ++i)
        body += "BEGIN:X\r\n";
    for (int i = 0; i < n; ++i)
        body += "END:X\r\n";
    return IcsCalendar(body + "END:VEVENT\r\n");
}

// n zones like HourlyZone, each with an event at 10:00 on 5 January 2027.
inline QByteArray HourlyZonesIcs(int n)
{
    QByteArray zones, events;
    for (int i = 0; i < n; ++i) {
        zones += HourlyZone(i);
        events += IcsEvent(";TZID=Z" + QByteArray::number(i) + ":20270105T100000", "");
    }
    return IcsCalendar(zones + events);
}

// The unit repeated to fill a calendar of nearly 8 MB.
inline QByteArray Filled(const QByteArray &head, const QByteArray &unit, const QByteArray &tail = {})
{
    const qsizetype room = 8 * 1024 * 1024 - 200 - head.size() - tail.size();
    return IcsCalendar(head + unit.repeated(room / unit.size()) + tail);
}

// "from,from+1,...,to"
inline QByteArray Numbers(int from, int to)
{
    QByteArray out;
    for (int i = from; i <= to; ++i)
        out += (i > from ? "," : "") + QByteArray::number(i);
    return out;
}

// Events each in a zone of its own name, which no file or system defines.
inline QByteArray ZoneNamesIcs()
{
    QByteArray events;
    for (int i = 0; events.size() < 8 * 1024 * 1024 - 300; ++i)
        events += IcsEvent(";TZID=America/Nowhere" + QByteArray::number(i) + ":20270105T100000", "");
    return IcsCalendar(events);
}

// Single events in a system zone, each in another year.
inline QByteArray ZoneYearsIcs()
{
    QByteArray events;
    for (int i = 0; events.size() < 8 * 1024 * 1024 - 300; ++i)
        events += IcsEvent(";TZID=America/New_York:" + QByteArray::number(1000 + i % 9000) + "0705T100000", "");
    return IcsCalendar(events);
}

struct HostileIcs {
    const char *name;
    std::function<QByteArray()> make;
};

// The worst files found, each at most 8 MB.
inline std::vector<HostileIcs> HostileIcsFiles()
{
    return {
        {"270000 nested components", [] { return NestedIcs(270000); }},
        {"SECONDLY;BYMONTHDAY=-1",
         [] { return IcsCalendar(IcsEvent(":20270101T090000", "RRULE:FREQ=SECONDLY;BYMONTHDAY=-1\r\n")); }},
        {"2000 zones hourly from 1601", [] { return HourlyZonesIcs(2000); }},
        {"8 MB of zones hourly from 1601",
         [] { return Filled({}, HourlyZone(0) + IcsEvent(";TZID=Z0:20270105T100000", "")); }},
        {"8 MB of SECONDLY;BYMONTHDAY=-1 events",
         [] { return Filled({}, IcsEvent(":20270101T090000", "RRULE:FREQ=SECONDLY;BYMONTHDAY=-1\r\n")); }},
        {"8 MB of never-matching rules counted from year 1",
         [] {
             return Filled(
                 {}, IcsEvent(":00010101T000000", "RRULE:FREQ=SECONDLY;COUNT=999999;BYMONTH=2;BYMONTHDAY=30\r\n"));
         }},
        {"8 MB of DAILY events", [] { return Filled({}, IcsEvent(":20270101T090000", "RRULE:FREQ=DAILY\r\n")); }},
        {"8 MB of RRULE lines in one event",
         [] { return Filled("BEGIN:VEVENT\r\nDTSTART:20270101\r\n", "RRULE:FREQ=DAILY\r\n", "END:VEVENT\r\n"); }},
        {"8 MB of every second of the day a year",
         [] {
             return Filled({}, IcsEvent(":20270101T090000", "RRULE:FREQ=YEARLY;BYHOUR=" + Numbers(0, 23) +
                                                                ";BYMINUTE=" + Numbers(0, 59) +
                                                                ";BYSECOND=" + Numbers(0, 59) + ";BYSETPOS=1,-1\r\n"));
         }},
        {"8 MB of single events", [] { return Filled({}, IcsEvent(";VALUE=DATE:20270101", "")); }},
        {"8 MB of exceptions to a daily event",
         [] {
             return Filled("BEGIN:VEVENT\r\nDTSTART:20270101T090000\r\nRRULE:FREQ=DAILY\r\nEXDATE:20270102T090000",
                           ",20270102T090000", "\r\nEND:VEVENT\r\n");
         }},
        {"8 MB of events in zones of their own names", [] { return ZoneNamesIcs(); }},
        {"8 MB of events in New York in 9000 years", [] { return ZoneYearsIcs(); }},
        {"8 MB of unknown properties",
         [] { return Filled("BEGIN:VEVENT\r\nDTSTART:20270101\r\n", "X:\r\n", "END:VEVENT\r\n"); }},
        {"8 MB folded summary",
         [] { return Filled("BEGIN:VEVENT\r\nDTSTART:20270101\r\nSUMMARY:a", "\r\n b", "\r\nEND:VEVENT\r\n"); }},
        {"8 MB of empty components", [] { return Filled({}, "BEGIN:A\r\nEND:A\r\n"); }},
    };
}

} // namespace tamarie::testing
