#pragma once
// Recurrence rules (RRULE) read and expanded to the days they touch.  A
// schedule is per day, so a rule repeating every second is walked a day at a
// time, never an occurrence at a time, and rules that never match cost no
// more than the days they are asked about.  All work is charged to a budget,
// so no file, however written, takes long.
#include "ical_reader.h"

#include <QByteArrayView>
#include <QDate>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace tamarie {

struct TIcsRule {
    enum Freq { Secondly, Minutely, Hourly, Daily, Weekly, Monthly, Yearly };
    // A BY part; given with no valid value, it matches nothing.
    struct List {
        bool given = false;
        std::vector<int> values; // ascending, no repeats
    };
    struct Weekday {
        int ordinal = 0; // 0: every; n: n-th, -n: n-th from the end
        int weekday = 1; // 1 = Monday .. 7 = Sunday
    };

    Freq freq = Daily;
    long long interval = 1;
    long long count = 0; // 0: no COUNT
    TIcsTime until;      // invalid: no UNTIL
    int weekStart = 1;
    List seconds, minutes, hours, monthDays, yearDays, weekNumbers, months, setPositions;
    bool weekdaysGiven = false;
    std::vector<Weekday> weekdays;
};

// nullopt for a rule that cannot be read (no or unknown FREQ, bad COUNT or UNTIL).
std::optional<TIcsRule> ParseIcsRule(QByteArrayView text);

// Work allowed for one file, in steps of about the cost of looking at a day.
class TIcsBudget {
public:
    explicit TIcsBudget(long long steps, const std::atomic<bool> *cancel = nullptr) : left_(steps), cancel_(cancel) {}
    bool Spend(long long steps)
    {
        left_ -= steps;
        return !Out();
    }
    bool Out() const { return left_ < 0 || (cancel_ && cancel_->load(std::memory_order_relaxed)); }

private:
    long long left_;
    const std::atomic<bool> *cancel_;
};

// Local wall-clock time as seconds: Julian day * 86400 + second of the day.
using TIcsLocal = long long;
inline constexpr long long kIcsDaySeconds = 86400;
// Division rounding towards minus infinity, for days of times before 4713 BC too.
inline long long IcsFloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// The days of from..to on which the rule started at start has occurrences
// later than start (start itself is the event's first occurrence and counts
// towards COUNT) and not later than until; visit gets each such day with the
// seconds of its first and last occurrence, in order.  False when the budget
// ran out.
using TIcsDayVisit = std::function<void(const QDate &day, int first, int last)>;
bool ExpandIcsRule(const TIcsRule &rule, TIcsLocal start, std::optional<TIcsLocal> until, const QDate &from,
                   const QDate &to, TIcsBudget &budget, const TIcsDayVisit &visit);

} // namespace tamarie
