#include "ical_recurrence.h"

#include <QHash>

#include <algorithm>

namespace tamarie {

namespace {

constexpr long long kDay = kIcsDaySeconds;

long long FloorMod(long long a, long long b) { return a - IcsFloorDiv(a, b) * b; }

bool Has(const TIcsRule::List &list, int v) { return std::binary_search(list.values.begin(), list.values.end(), v); }

// ---- reading ------------------------------------------------------------------

std::optional<long long> Integer(QByteArrayView text)
{
    bool ok = false;
    const long long v = text.trimmed().toByteArray().toLongLong(&ok);
    return ok ? std::optional<long long>(v) : std::nullopt;
}

int WeekdayNumber(QByteArrayView two)
{
    static const char *const names[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    for (int i = 0; i < 7; ++i)
        if (two.compare(names[i], Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

template <class F> void ForEachItem(QByteArrayView list, F f)
{
    for (QByteArrayView rest = list; !rest.isEmpty();) {
        const qsizetype comma = rest.indexOf(',');
        f((comma < 0 ? rest : rest.first(comma)).trimmed());
        rest = comma < 0 ? QByteArrayView() : rest.sliced(comma + 1);
    }
}

// Values from lo to hi, and from -hi to -lo where negative ones count from the end.
TIcsRule::List ListOf(QByteArrayView text, int lo, int hi, bool negative)
{
    TIcsRule::List list;
    list.given = true;
    ForEachItem(text, [&](QByteArrayView item) {
        const std::optional<long long> v = Integer(item);
        if (v && ((*v >= lo && *v <= hi) || (negative && *v <= -lo && *v >= -hi)))
            list.values.push_back(static_cast<int>(*v));
    });
    std::sort(list.values.begin(), list.values.end());
    list.values.erase(std::unique(list.values.begin(), list.values.end()), list.values.end());
    return list;
}

// ---- days -----------------------------------------------------------------------

// Proleptic Gregorian calendar on Julian day numbers, without QDate's
// conversion on every field asked for.
bool IsLeap(long long y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }
int MonthLength(long long y, int m)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : lengths[m - 1];
}
long long JulianDay(long long y, int m, int d)
{
    const long long a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + IcsFloorDiv(yy, 4) - IcsFloorDiv(yy, 100) + IcsFloorDiv(yy, 400) - 32045;
}

struct Day {
    long long jd = 0, year = 0;
    int month = 0, mday = 0, weekday = 0, yday = 0, monthLength = 0, yearLength = 0;
};

Day DayOf(long long jd)
{
    Day d;
    d.jd = jd;
    const long long a = jd + 32044, b = IcsFloorDiv(4 * a + 3, 146097), c = a - IcsFloorDiv(146097 * b, 4);
    const long long e4 = (4 * c + 3) / 1461, e = c - 1461 * e4 / 4, m5 = (5 * e + 2) / 153;
    d.mday = static_cast<int>(e - (153 * m5 + 2) / 5 + 1);
    d.month = static_cast<int>(m5 + 3 - 12 * (m5 / 10));
    d.year = 100 * b + e4 - 4800 + m5 / 10;
    d.weekday = static_cast<int>(FloorMod(jd, 7)) + 1;
    d.yday = static_cast<int>(jd - JulianDay(d.year, 1, 1)) + 1;
    d.monthLength = MonthLength(d.year, d.month);
    d.yearLength = IsLeap(d.year) ? 366 : 365;
    return d;
}

// The first day of week 1: weeks start on weekStart, and week 1 is the first
// with at least four days in the year.
long long WeekOneStart(long long year, int weekStart)
{
    const long long jan1 = JulianDay(year, 1, 1);
    const int before = static_cast<int>(FloorMod(jan1 - (weekStart - 1), 7));
    return jan1 + (before <= 3 ? -before : 7 - before);
}

bool InWeeks(const TIcsRule &r, const Day &d)
{
    const long long year = d.year;
    long long first = WeekOneStart(year, r.weekStart), next = WeekOneStart(year + 1, r.weekStart);
    if (d.jd < first) {
        next = first;
        first = WeekOneStart(year - 1, r.weekStart);
    } else if (d.jd >= next) {
        first = next;
        next = WeekOneStart(year + 2, r.weekStart);
    }
    const int number = static_cast<int>((d.jd - first) / 7) + 1;
    const int weeks = static_cast<int>((next - first) / 7);
    return Has(r.weekNumbers, number) || Has(r.weekNumbers, number - weeks - 1);
}

enum class Scope { Week, Month, Year }; // what an ordinal weekday counts in

bool WeekdayMatches(const TIcsRule &r, const Day &d, Scope scope)
{
    for (const TIcsRule::Weekday &w : r.weekdays) {
        if (w.weekday != d.weekday)
            continue;
        if (w.ordinal == 0 || scope == Scope::Week)
            return true;
        const int place = scope == Scope::Month ? d.mday : d.yday;
        const int length = scope == Scope::Month ? d.monthLength : d.yearLength;
        if (w.ordinal > 0 ? (place - 1) / 7 + 1 == w.ordinal : (length - place) / 7 + 1 == -w.ordinal)
            return true;
    }
    return false;
}

// The BY parts about days, as limits.
bool DayMatches(const TIcsRule &r, const Day &d, Scope scope)
{
    if (r.months.given && !Has(r.months, d.month))
        return false;
    if (r.monthDays.given && !Has(r.monthDays, d.mday) && !Has(r.monthDays, d.mday - d.monthLength - 1))
        return false;
    if (r.yearDays.given && !Has(r.yearDays, d.yday) && !Has(r.yearDays, d.yday - d.yearLength - 1))
        return false;
    if (r.weekNumbers.given && !InWeeks(r, d))
        return false;
    return !r.weekdaysGiven || WeekdayMatches(r, d, scope);
}

// Days of the month from BYMONTHDAY (or the start's day), negative ones from the end.
void MonthDaysOf(const std::vector<int> &mdays, long long year, int month, std::vector<long long> &out)
{
    const long long first = JulianDay(year, month, 1);
    const int length = MonthLength(year, month);
    const std::size_t before = out.size();
    for (int md : mdays) {
        const int day = md > 0 ? md : length + md + 1;
        if (day >= 1 && day <= length)
            out.push_back(first + day - 1);
    }
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(before), out.end());
    out.erase(std::unique(out.begin() + static_cast<std::ptrdiff_t>(before), out.end()), out.end());
}

// A BY part's values, or the start's own when it is not given.
std::vector<int> Pick(const TIcsRule::List &l, int own) { return l.given ? l.values : std::vector<int>{own}; }

// Seconds of the day from BYHOUR x BYMINUTE x BYSECOND (ascending).
std::vector<int> TimesOfDay(const TIcsRule &r, int startSecond)
{
    std::vector<int> out;
    for (int h : Pick(r.hours, startSecond / 3600))
        for (int m : Pick(r.minutes, startSecond / 60 % 60))
            for (int s : Pick(r.seconds, startSecond % 60))
                out.push_back(h * 3600 + m * 60 + s);
    return out;
}

// BYSETPOS over a set of n: the chosen indices, ascending.
std::vector<long long> SetPositions(const TIcsRule::List &positions, long long n)
{
    std::vector<long long> out;
    for (int p : positions.values) {
        const long long i = p > 0 ? p - 1 : n + p;
        if (i >= 0 && i < n)
            out.push_back(i);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// What a walk shares: the bounds, the count so far and the output.
struct Walk {
    const TIcsRule &rule;
    TIcsLocal start;
    std::optional<TIcsLocal> until;
    long long fromDay, toDay; // Julian days
    TIcsBudget &budget;
    const TIcsDayVisit &visit;
    long long seen = 1; // the start is the first occurrence
    bool done = false;

    void Visit(long long jd, int first, int last) const
    {
        if (jd >= fromDay && jd <= toDay)
            visit(QDate::fromJulianDay(jd), first, last);
    }
    // n occurrences from second first to second last of the day, taken
    // whole when they all lie after the start and before until and COUNT
    // does not end among them.
    bool Whole(long long jd, int first, int last, long long n)
    {
        const TIcsLocal base = jd * kDay;
        if (base + first <= start || (until && base + last > *until) || (rule.count && seen + n > rule.count))
            return false;
        seen += n;
        Visit(jd, first, last);
        return true;
    }
    // The occurrences of a day one by one (seconds ascending).
    void Each(long long jd, const std::vector<int> &seconds)
    {
        budget.Spend(static_cast<long long>(seconds.size()));
        const TIcsLocal base = jd * kDay;
        int first = -1, last = -1;
        for (int t : seconds) {
            if (base + t <= start)
                continue;
            if ((until && base + t > *until) || (rule.count && seen >= rule.count)) {
                done = true;
                break;
            }
            ++seen;
            if (first < 0)
                first = t;
            last = t;
        }
        if (first >= 0)
            Visit(jd, first, last);
    }
};

// DAILY and finer: days walked one by one; on each, the slots of the
// frequency (a second, minute, hour or day) on the rule's grid that pass the
// limits, each with the occurrences the finer BY parts put into it.
bool WalkSlots(Walk &w)
{
    const TIcsRule &r = w.rule;
    static const long long units[] = {1, 60, 3600, kDay};
    const long long unit = units[r.freq];
    const long long step = r.interval * unit;
    const int startSecond = static_cast<int>(FloorMod(w.start, kDay));
    const long long startDay = IcsFloorDiv(w.start, kDay);
    const TIcsLocal slot0 = w.start - startSecond % unit;

    std::vector<int> inSlot; // offsets of the occurrences within a slot, ascending
    switch (r.freq) {
    case TIcsRule::Secondly:
        inSlot = {0};
        break;
    case TIcsRule::Minutely:
        inSlot = Pick(r.seconds, startSecond % 60);
        break;
    case TIcsRule::Hourly:
        for (int m : Pick(r.minutes, startSecond / 60 % 60))
            for (int s : Pick(r.seconds, startSecond % 60))
                inSlot.push_back(m * 60 + s);
        break;
    default:
        inSlot = TimesOfDay(r, startSecond);
        break;
    }
    if (r.setPositions.given) {
        std::vector<int> chosen;
        for (long long i : SetPositions(r.setPositions, static_cast<long long>(inSlot.size())))
            chosen.push_back(inSlot[static_cast<std::size_t>(i)]);
        inSlot = std::move(chosen);
    }
    if (!w.budget.Spend(static_cast<long long>(inSlot.size())) || inSlot.empty())
        return !w.budget.Out();

    // BYHOUR, BYMINUTE, BYSECOND limit the slots of finer frequencies.
    const bool limitHour = r.freq <= TIcsRule::Hourly && r.hours.given;
    const bool limitMinute = r.freq <= TIcsRule::Minutely && r.minutes.given;
    const bool limitSecond = r.freq == TIcsRule::Secondly && r.seconds.given;
    auto slotPasses = [&](long long x) {
        return (!limitHour || Has(r.hours, static_cast<int>(x / 3600))) &&
               (!limitMinute || Has(r.minutes, static_cast<int>(x / 60 % 60))) &&
               (!limitSecond || Has(r.seconds, static_cast<int>(x % 60)));
    };
    // The slots of one day (their offsets in it), given the offset of the
    // first slot of the grid in that day.
    auto slotsOf = [&](long long firstOffset) {
        std::vector<int> at;
        if (firstOffset >= kDay)
            return at;
        const long long onGrid = (kDay - 1 - firstOffset) / step + 1;
        auto size = [](bool limited, const TIcsRule::List &l, long long all) {
            return limited ? static_cast<long long>(l.values.size()) : all;
        };
        const long long passing = size(limitHour, r.hours, r.freq <= TIcsRule::Hourly ? 24 : 1) *
                                  size(limitMinute, r.minutes, r.freq <= TIcsRule::Minutely ? 60 : 1) *
                                  size(limitSecond, r.seconds, r.freq == TIcsRule::Secondly ? 60 : 1);
        if (onGrid <= passing) {
            w.budget.Spend(onGrid);
            for (long long x = firstOffset; x < kDay; x += step)
                if (slotPasses(x))
                    at.push_back(static_cast<int>(x));
            return at;
        }
        // Fewer slots pass the limits than lie on the grid: try those.
        w.budget.Spend(passing);
        auto values = [](bool limited, const TIcsRule::List &l, int all) {
            std::vector<int> v = limited ? l.values : std::vector<int>();
            for (int i = 0; !limited && i < all; ++i)
                v.push_back(i);
            return v;
        };
        for (int h : values(limitHour, r.hours, r.freq <= TIcsRule::Hourly ? 24 : 1))
            for (int m : values(limitMinute, r.minutes, r.freq <= TIcsRule::Minutely ? 60 : 1))
                for (int sec : values(limitSecond, r.seconds, r.freq == TIcsRule::Secondly ? 60 : 1)) {
                    const long long x = h * 3600LL + m * 60LL + sec;
                    if (x >= firstOffset && (x - firstOffset) % step == 0)
                        at.push_back(static_cast<int>(x));
                }
        return at;
    };
    // Days whose grid starts at the same offset have the same slots; below a
    // day's step the offsets repeat after step / gcd(step, 86400) days at most.
    struct Summary {
        long long count = 0;
        int first = 0, last = 0;
    };
    QHash<long long, Summary> cache;
    auto summaryOf = [&](long long firstOffset) {
        if (step >= kDay) { // one slot a day at most
            const int x = static_cast<int>(firstOffset);
            return slotPasses(x) ? Summary{1, x, x} : Summary{};
        }
        const auto it = cache.constFind(firstOffset);
        if (it != cache.cend())
            return *it;
        const std::vector<int> at = slotsOf(firstOffset);
        const Summary s = at.empty() ? Summary{} : Summary{static_cast<long long>(at.size()), at.front(), at.back()};
        cache.insert(firstOffset, s);
        return s;
    };

    long long first = startDay;
    if (!r.count)
        first = std::max(first, w.fromDay);
    long long last = w.toDay;
    if (w.until)
        last = std::min(last, IcsFloorDiv(*w.until, kDay));
    const long long perSlot = static_cast<long long>(inSlot.size());
    const bool dayLimits =
        r.months.given || r.monthDays.given || r.yearDays.given || r.weekNumbers.given || r.weekdaysGiven;
    for (long long jd = first; jd <= last && !w.done; ++jd) {
        if (!w.budget.Spend(1))
            return false;
        if (dayLimits && !DayMatches(r, DayOf(jd), Scope::Month))
            continue;
        const long long firstOffset = (step - FloorMod(jd * kDay - slot0, step)) % step;
        if (firstOffset >= kDay)
            continue;
        const Summary s = summaryOf(firstOffset);
        if (s.count == 0 || w.Whole(jd, s.first + inSlot.front(), s.last + inSlot.back(), s.count * perSlot))
            continue;
        // The start's day, the day of until or the day COUNT ends.
        std::vector<int> seconds;
        for (int x : slotsOf(firstOffset))
            for (int o : inSlot)
                seconds.push_back(x + o);
        w.Each(jd, seconds);
    }
    return !w.budget.Out();
}

// The candidate days (ascending) of the year, the month (index year * 12 +
// month - 1) or the week starting on the day given.
void DaysOfYear(const TIcsRule &r, const Day &start, long long year, TIcsBudget &budget, std::vector<long long> &days)
{
    const bool daysGiven = r.monthDays.given || r.yearDays.given || r.weekdaysGiven;
    const Scope scope = r.months.given ? Scope::Month : Scope::Year;
    if (r.weekNumbers.given) { // the weeks of the year may begin in December
        const long long first = WeekOneStart(year, r.weekStart), end = WeekOneStart(year + 1, r.weekStart);
        budget.Spend(end - first);
        for (long long jd = first; jd < end; ++jd) {
            const Day d = DayOf(jd);
            if (DayMatches(r, d, scope) && (daysGiven || d.weekday == start.weekday))
                days.push_back(jd);
        }
        return;
    }
    std::vector<int> months = r.months.given ? r.months.values : std::vector<int>{start.month};
    if (!r.months.given && daysGiven)
        months = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (int m : months) {
        if (!r.yearDays.given && !r.weekdaysGiven) {
            budget.Spend(1);
            MonthDaysOf(Pick(r.monthDays, start.mday), year, m, days);
            continue;
        }
        const long long first = JulianDay(year, m, 1);
        budget.Spend(MonthLength(year, m));
        for (long long jd = first; jd < first + MonthLength(year, m); ++jd)
            if (DayMatches(r, DayOf(jd), scope))
                days.push_back(jd);
    }
}

void DaysOfMonth(const TIcsRule &r, const Day &start, long long index, TIcsBudget &budget, std::vector<long long> &days)
{
    const long long year = IcsFloorDiv(index, 12);
    const int m = static_cast<int>(FloorMod(index, 12)) + 1;
    budget.Spend(1);
    if (r.months.given && !Has(r.months, m))
        return;
    if (!r.weekdaysGiven && !r.yearDays.given && !r.weekNumbers.given)
        return MonthDaysOf(Pick(r.monthDays, start.mday), year, m, days);
    const long long first = JulianDay(year, m, 1);
    budget.Spend(MonthLength(year, m));
    for (long long jd = first; jd < first + MonthLength(year, m); ++jd)
        if (DayMatches(r, DayOf(jd), Scope::Month))
            days.push_back(jd);
}

void DaysOfWeek(const TIcsRule &r, const Day &start, long long first, TIcsBudget &budget, std::vector<long long> &days)
{
    budget.Spend(7);
    for (long long jd = first; jd < first + 7; ++jd) {
        const Day d = DayOf(jd);
        if (DayMatches(r, d, Scope::Week) && (r.weekdaysGiven || d.weekday == start.weekday))
            days.push_back(jd);
    }
}

// WEEKLY, MONTHLY, YEARLY: the candidate days of each period, then the
// times of day, BYSETPOS over both, in order.
bool WalkPeriods(Walk &w)
{
    const TIcsRule &r = w.rule;
    const std::vector<int> times = TimesOfDay(r, static_cast<int>(FloorMod(w.start, kDay)));
    if (!w.budget.Spend(static_cast<long long>(times.size())) || times.empty()) // BYHOUR=99 has none
        return !w.budget.Out();
    const Day start = DayOf(IcsFloorDiv(w.start, kDay));
    const long long startMonth = start.year * 12 + start.month - 1;
    const long long startWeek = start.jd - FloorMod(start.weekday - r.weekStart, 7);

    long long last = w.toDay;
    if (w.until)
        last = std::min(last, IcsFloorDiv(*w.until, kDay));
    long long k = 0;
    if (!r.count) { // straight to the periods of the days asked for
        const Day from = DayOf(w.fromDay);
        long long target = 0;
        if (r.freq == TIcsRule::Yearly)
            target = from.year - 1 - start.year;
        else if (r.freq == TIcsRule::Monthly)
            target = from.year * 12 + from.month - 2 - startMonth;
        else
            target = IcsFloorDiv(w.fromDay - 7 - startWeek, 7);
        if (target > 0)
            k = (target + r.interval - 1) / r.interval * r.interval;
    }
    std::vector<long long> days;
    for (;; k += r.interval) {
        days.clear();
        if (r.freq == TIcsRule::Yearly) {
            const long long year = start.year + k;
            if ((r.weekNumbers.given ? WeekOneStart(year, r.weekStart) : JulianDay(year, 1, 1)) > last)
                break;
            DaysOfYear(r, start, year, w.budget, days);
        } else if (r.freq == TIcsRule::Monthly) {
            const long long index = startMonth + k;
            if (JulianDay(IcsFloorDiv(index, 12), static_cast<int>(FloorMod(index, 12)) + 1, 1) > last)
                break;
            DaysOfMonth(r, start, index, w.budget, days);
        } else {
            if (startWeek + 7 * k > last)
                break;
            DaysOfWeek(r, start, startWeek + 7 * k, w.budget, days);
        }
        if (w.budget.Out())
            return false;
        if (r.setPositions.given) {
            const long long n = static_cast<long long>(times.size());
            const std::vector<long long> chosen = SetPositions(r.setPositions, static_cast<long long>(days.size()) * n);
            for (std::size_t i = 0; i < chosen.size() && !w.done;) {
                const long long day = chosen[i] / n;
                std::vector<int> seconds;
                for (; i < chosen.size() && chosen[i] / n == day; ++i)
                    seconds.push_back(times[static_cast<std::size_t>(chosen[i] % n)]);
                w.Each(days[static_cast<std::size_t>(day)], seconds);
            }
        } else {
            const long long n = static_cast<long long>(times.size());
            for (std::size_t i = 0; i < days.size() && !w.done; ++i)
                if (!w.Whole(days[i], times.front(), times.back(), n))
                    w.Each(days[i], times);
        }
        if (w.done || w.budget.Out())
            break;
    }
    return !w.budget.Out();
}

} // namespace

std::optional<TIcsRule> ParseIcsRule(QByteArrayView text)
{
    struct Part {
        const char *key;
        TIcsRule::List TIcsRule::*list;
        int lo, hi;
        bool fromEnd; // negative values count from the end
    };
    static const Part parts[] = {
        {"BYSECOND", &TIcsRule::seconds, 0, 60, false},   {"BYMINUTE", &TIcsRule::minutes, 0, 59, false},
        {"BYHOUR", &TIcsRule::hours, 0, 23, false},       {"BYMONTHDAY", &TIcsRule::monthDays, 1, 31, true},
        {"BYYEARDAY", &TIcsRule::yearDays, 1, 366, true}, {"BYWEEKNO", &TIcsRule::weekNumbers, 1, 53, true},
        {"BYMONTH", &TIcsRule::months, 1, 12, false},     {"BYSETPOS", &TIcsRule::setPositions, 1, 366, true},
    };
    TIcsRule r;
    bool freq = false;
    for (QByteArrayView rest = text; !rest.isEmpty();) {
        const qsizetype semi = rest.indexOf(';');
        const QByteArrayView part = semi < 0 ? rest : rest.first(semi);
        rest = semi < 0 ? QByteArrayView() : rest.sliced(semi + 1);
        const qsizetype eq = part.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = part.first(eq).trimmed().toByteArray().toUpper();
        const QByteArrayView value = part.sliced(eq + 1).trimmed();
        const auto *by = std::find_if(std::begin(parts), std::end(parts), [&](const Part &p) { return key == p.key; });
        if (by != std::end(parts)) {
            r.*(by->list) = ListOf(value, by->lo, by->hi, by->fromEnd);
        } else if (key == "FREQ") {
            static const char *const names[] = {"SECONDLY", "MINUTELY", "HOURLY", "DAILY",
                                                "WEEKLY",   "MONTHLY",  "YEARLY"};
            const auto *found = std::find_if(std::begin(names), std::end(names),
                                             [&](const char *n) { return value.compare(n, Qt::CaseInsensitive) == 0; });
            if (found == std::end(names))
                return std::nullopt;
            r.freq = static_cast<TIcsRule::Freq>(found - std::begin(names));
            freq = true;
        } else if (key == "INTERVAL") {
            const std::optional<long long> v = Integer(value);
            if (!v || *v < 1)
                return std::nullopt;
            r.interval = std::min(*v, 1000000000LL);
        } else if (key == "COUNT") {
            const std::optional<long long> v = Integer(value);
            if (!v || *v < 1)
                return std::nullopt;
            r.count = std::min(*v, 1000000000000LL);
        } else if (key == "UNTIL") {
            r.until = ParseIcsTime(value);
            if (!r.until.IsValid())
                return std::nullopt;
        } else if (key == "WKST") {
            if (const int d = WeekdayNumber(value))
                r.weekStart = d;
        } else if (key == "BYDAY") {
            r.weekdaysGiven = true;
            r.weekdays.clear();
            ForEachItem(value, [&](QByteArrayView item) {
                if (item.size() < 2)
                    return;
                const int weekday = WeekdayNumber(item.last(2));
                const QByteArrayView number = item.first(item.size() - 2);
                const std::optional<long long> ordinal = number.isEmpty() ? 0 : Integer(number);
                if (weekday && ordinal && *ordinal >= -53 && *ordinal <= 53)
                    r.weekdays.push_back({static_cast<int>(*ordinal), weekday});
            });
        }
    }
    if (!freq)
        return std::nullopt;
    // A leap second is taken as the second before it.
    if (!r.seconds.values.empty() && r.seconds.values.back() == 60) {
        r.seconds.values.back() = 59;
        r.seconds.values.erase(std::unique(r.seconds.values.begin(), r.seconds.values.end()), r.seconds.values.end());
    }
    return r;
}

bool ExpandIcsRule(const TIcsRule &rule, TIcsLocal start, std::optional<TIcsLocal> until, const QDate &from,
                   const QDate &to, TIcsBudget &budget, const TIcsDayVisit &visit)
{
    if (!from.isValid() || !to.isValid() || to < from)
        return true;
    Walk w{rule, start, until, from.toJulianDay(), to.toJulianDay(), budget, visit};
    return rule.freq <= TIcsRule::Daily ? WalkSlots(w) : WalkPeriods(w);
}

} // namespace tamarie
