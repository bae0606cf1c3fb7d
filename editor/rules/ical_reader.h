#pragma once
// iCalendar text read into the few plain values the schedule import needs:
// the events and time zones of every VCALENDAR.  One pass over the lines,
// no recursion, nothing kept that the text does not hold, so time and memory
// follow the file's size whatever it contains; nesting deeper than calendar
// programs write is refused.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace tamarie {

// Deeper nesting is refused (a calendar holds events holding alarms: 3).
inline constexpr int kIcsMaxDepth = 16;

// A date or date-time as written, no zone applied.
struct TIcsTime {
    int year = 0; // 0: none
    int month = 0, day = 0;
    int second = 0; // of the day; 0 for a date
    bool isDate = false;
    bool utc = false; // written with Z
    int zone = -1;    // TZID parameter, an index into TIcsContent::zoneNames; -1 none
    bool IsValid() const { return year != 0; }
};

struct TIcsObservance {               // STANDARD or DAYLIGHT of a VTIMEZONE
    TIcsTime start;                   // onset, in the local time before it
    int offsetFrom = 0, offsetTo = 0; // seconds east of UTC
    QByteArray rule;                  // RRULE value, empty when none
    std::vector<TIcsTime> dates;      // RDATE
};

struct TIcsZone {
    QString id;
    std::vector<TIcsObservance> observances;
};

struct TIcsEvent {
    QByteArray uid;
    QString summary; // unescaped, one line, cut as a schedule text is
    bool cancelled = false;
    TIcsTime start;
    TIcsTime recurrenceId;                 // valid when the event replaces one occurrence
    std::vector<QByteArray> rules;         // RRULE values
    std::vector<TIcsTime> dates, excluded; // RDATE, EXDATE
};

struct TIcsContent {
    std::vector<TIcsEvent> events; // in file order
    std::vector<TIcsZone> zones;
    std::vector<QString> zoneNames; // the TZID parameters used
    QString error;                  // set when the text is unusable
};

TIcsContent ReadIcsContent(QByteArrayView bytes);

// "yyyymmdd" or "yyyymmddThhmmss" with an optional Z; an invalid time when malformed.
TIcsTime ParseIcsTime(QByteArrayView text);

} // namespace tamarie
