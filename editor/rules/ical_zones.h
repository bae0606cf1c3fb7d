#pragma once
// The time zones a calendar file's times are written in.  A zone the file
// defines (VTIMEZONE) is worked out from its own observances, and only for
// the years a time is asked about, however early its rules start or however
// often they repeat; a zone the file only names is the system's.  Times in
// neither are wall-clock times and taken as Japan's.
#include "ical_reader.h"
#include "ical_recurrence.h"

#include <QDate>
#include <QHash>
#include <QTimeZone>

#include <optional>
#include <utility>
#include <vector>

namespace tamarie {

// Japan time is UTC+9 all year round.
inline constexpr int kIcsJapanOffset = 9 * 3600;

class TIcsZones {
public:
    // Zone work is charged to budget, which must outlive this.
    TIcsZones(const TIcsContent &content, TIcsBudget &budget);

    // The local time as written (a date at its midnight).
    static TIcsLocal LocalOf(const TIcsTime &t);
    // Seconds east of UTC in zone (an index into zoneNames) at a local time;
    // nullopt for no zone or one that is unknown.
    std::optional<int> Offset(int zone, TIcsLocal local);
    // The date in Japan of a time written in zone, in UTC when utc is set.
    QDate JapanDate(int zone, bool utc, TIcsLocal local);
    QDate JapanDate(const TIcsTime &t);

private:
    struct Observance {
        TIcsLocal start = 0;
        int offsetFrom = 0, offsetTo = 0;
        std::optional<TIcsRule> rule;
        std::optional<TIcsLocal> until;
    };
    struct Defined { // a VTIMEZONE of the file
        std::vector<Observance> observances;
        std::vector<std::pair<TIcsLocal, int>> fixed; // DTSTART and RDATE onsets, ascending, with the offset after
        int first = 0;                                // the offset before any onset
    };
    struct Year { // onsets around one year, and the offset before them
        int before = 0;
        std::vector<std::pair<TIcsLocal, int>> onsets;
    };
    const Year &YearOf(int zone, int year);
    Year DefinedYear(const Defined &d, int year);
    Year SystemYear(const QTimeZone &tz, int year);

    TIcsBudget &budget_;
    std::vector<int> defined_;      // per zone name: index into zones_, or -1
    std::vector<QTimeZone> system_; // per zone name, when not defined
    std::vector<Defined> zones_;
    QHash<quint64, Year> years_; // (zone name, year) -> onsets
    std::size_t cachedOnsets_ = 0;
};

} // namespace tamarie
