#include "old_calendar.h"

#include <cstdlib>
#include <initializer_list>

#include "checked_numbers.h"
#include "day_counts.h"
#include "ephemeris.h"

namespace almanac {

namespace {

// EpochDay of a date whose year may lie one beyond the int range.
double EpochDayOf(long long year, int month, int day) {
    return CivilToDays(ClampToInt(year), month, day).EpochDay;
}

long long DayNumber(double epochDay) { return TruncToInt64(epochDay); }

struct PrincipalTerm {
    int yearOffset;
    int month;
    double longitude;
};

// In the order of PrincipalTermDays.  March is sought as 360, not 0.
constexpr PrincipalTerm kPrincipalTerms[kPrincipalTermCount] = {
    {-1, 11, 240}, {-1, 12, 270}, {0, 1, 300},  {0, 2, 330},  {0, 3, 360},  {0, 4, 30},
    {0, 5, 60},    {0, 6, 90},    {0, 7, 120},  {0, 8, 150},  {0, 9, 180},  {0, 10, 210},
    {0, 11, 240},  {0, 12, 270},  {1, 1, 300},  {1, 2, 330},  {1, 3, 360},
};

void FindPrincipalTerms(int year, OldCalendarYear &out) {
    for (int i = 0; i < kPrincipalTermCount; ++i) {
        const PrincipalTerm &term = kPrincipalTerms[i];
        const double E = EpochDayOf(static_cast<long long>(year) + term.yearOffset, term.month, 17);
        const int d = TermDayOfMonth(term.month, 17, term.longitude, E);
        out.PrincipalTermDays[i] = DayNumber(E) + d - 17;
    }
}

void FindMonthStarts(int year, OldCalendarYear &out) {
    const double E0 = EpochDayOf(static_cast<long long>(year) - 1, 11, 1);
    // 28 days after the new moon before noon of 1 November: an estimate of
    // the next new moon, moved a day at a time until the new moon falls on it.
    double s = E0 + 28.0 - TruncToWhole(MoonAge(12.0, E0));
    int count = 0;
    do {
        for (int tries = 0; tries < 31; ++tries) {
            const double t = NewMoonNear(s);
            if (t > 1.0) {
                s += 1.0;
            } else if (t < 0.0) {
                s -= 1.0;
            } else {
                break;
            }
        }
        out.MonthStartDays[count++] = DayNumber(s);
        s += 28.0;
    } while (s < E0 + 545.0 && count < kMaxMonthStarts);
    out.monthStartCount = count;
}

// Month numbering by pairing months with principal terms step by step.
// `written` marks the entries the numbering set.
void NumberMonthsStepwise(OldCalendarYear &out, bool (&written)[kMaxMonthStarts]) {
    const long long *P = out.PrincipalTermDays;
    const long long *S = out.MonthStartDays;
    int *K = out.MonthNumbers;
    auto start = [&](int j) -> long long { return j >= 0 && j < kMaxMonthStarts ? S[j] : 0; };
    auto set = [&](int j, int value) {
        if (j >= 0 && j < kMaxMonthStarts) {
            K[j] = value;
            written[j] = true;
        }
    };

    int i = 0;
    int m = 10;
    if (P[0] < S[0]) {
        i = 1;
        m = 11;
    }
    int j = 0;
    while (i < 16) {
        if (start(j) <= P[i] && P[i] <= start(j + 1)) {
            if (i == 3) {
                // The term of 330 degrees anchors month 1 of the set year.
                set(j, 1);
                set(j - 1, 12);
                set(j - 2, 11);
                m = 1;
            } else {
                if (m > 12) m -= 12;
                set(j, m);
            }
            if (start(j + 1) <= P[i + 1] && start(j + 2) <= P[i + 1]) {
                ++j;
                set(j, -m);
            }
        }
        ++i;
        ++j;
        ++m;
    }
}

// Fixed corrections for four years where the stepwise numbering or the day
// numbers around 1975-01-01 go astray.
void ApplyFixedCorrections(int year, OldCalendarYear &out, bool (&written)[kMaxMonthStarts]) {
    int *K = out.MonthNumbers;
    auto months = [&](int from, std::initializer_list<int> values) {
        for (int v : values) {
            K[from] = v;
            written[from] = true;
            ++from;
        }
    };
    switch (year) {
    case 2033:
        months(10, {8, 9, 10, 11, -11, 12});
        break;
    case 2034:
        months(1, {-11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        break;
    case 1985:
        months(1, {11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        break;
    case 1975:
        months(0, {10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        out.MonthStartDays[1] = -18;
        break;
    default:
        break;
    }
}

// Index of the month holding day number N, or -1 outside the stored starts.
int MonthIndexOf(const OldCalendarYear &table, long long N) {
    const long long *S = table.MonthStartDays;
    const int last = table.monthStartCount - 1 < 18 ? table.monthStartCount - 1 : 18;
    if (last < 1 || N < S[0]) return -1;
    for (int c = 1; c <= last; ++c) {
        if (N < S[c]) return c - 1;
    }
    return -1;
}

bool AnyMonthOfYearUnnumbered(int year, const OldCalendarYear &table,
                              const bool (&written)[kMaxMonthStarts]) {
    const int first = MonthIndexOf(table, DayNumber(EpochDayOf(year, 1, 1)));
    const int last = MonthIndexOf(table, DayNumber(EpochDayOf(year, 12, 31)));
    if (first < 0 || last < 0) return true;
    for (int j = first; j <= last; ++j) {
        if (!written[j]) return true;
    }
    return false;
}

int NextMonth(int m) { return m % 12 + 1; }
int PreviousMonth(int m) { return (m + 10) % 12 + 1; }

// The traditional rule: the months holding the terms of 270, 0, 90 and 180
// degrees are months 11, 2, 5 and 8; the months between two such anchors
// are numbered on, and where one month too many lies between them, the
// first month holding no principal term is the leap month.
void NumberMonthsByAnchors(OldCalendarYear &out) {
    const long long *P = out.PrincipalTermDays;
    const long long *S = out.MonthStartDays;
    int *K = out.MonthNumbers;
    const int months = out.monthStartCount - 1;  // months with a known end
    if (months < 1) return;

    auto monthHolding = [&](long long day) {
        for (int j = 0; j < months; ++j) {
            if (S[j] <= day && day < S[j + 1]) return j;
        }
        return -1;
    };
    bool holdsTerm[kMaxMonthStarts] = {};
    for (int i = 0; i < kPrincipalTermCount; ++i) {
        const int j = monthHolding(P[i]);
        if (j >= 0) holdsTerm[j] = true;
    }

    struct Anchor {
        int index;
        int number;
    };
    constexpr Anchor kAnchorTerms[] = {{1, 11}, {4, 2}, {7, 5}, {10, 8}, {13, 11}, {16, 2}};
    Anchor anchors[6];
    int anchorCount = 0;
    for (const Anchor &a : kAnchorTerms) {
        const int j = monthHolding(P[a.index]);
        if (j >= 0 && (anchorCount == 0 || j > anchors[anchorCount - 1].index)) {
            anchors[anchorCount++] = {j, a.number};
        }
    }
    if (anchorCount == 0) return;

    int number = anchors[0].number;
    K[anchors[0].index] = number;
    for (int j = anchors[0].index - 1; j >= 0; --j) {
        number = PreviousMonth(number);
        K[j] = number;
    }
    for (int a = 0; a + 1 < anchorCount; ++a) {
        const Anchor from = anchors[a];
        const Anchor to = anchors[a + 1];
        const int between = to.index - from.index - 1;
        const int expected = (to.number - from.number + 12) % 12 - 1;
        int leap = -1;
        if (between == expected + 1) {
            for (int j = from.index + 1; j < to.index; ++j) {
                if (!holdsTerm[j]) {
                    leap = j;
                    break;
                }
            }
        }
        number = from.number;
        for (int j = from.index + 1; j < to.index; ++j) {
            if (j == leap) {
                K[j] = -number;
            } else {
                number = NextMonth(number);
                K[j] = number;
            }
        }
        K[to.index] = to.number;
    }
    number = anchors[anchorCount - 1].number;
    for (int j = anchors[anchorCount - 1].index + 1; j < out.monthStartCount; ++j) {
        number = NextMonth(number);
        K[j] = number;
    }
}

}  // namespace

int TermDayOfMonth(int month, int startDay, double target, double E) {
    for (int k = 0; k < 10; ++k) {
        double lambda = SunPosition(EphemerisYears(E, k)).longitude;
        if (month != 3) lambda = NormalizeAngle(lambda);
        if (lambda >= target) return startDay + k - 1;
    }
    return startDay + 8;
}

void BuildOldCalendarYear(int year, OldCalendarYear &out) {
    out = OldCalendarYear{};
    out.year = year;
    FindPrincipalTerms(year, out);
    FindMonthStarts(year, out);

    bool written[kMaxMonthStarts] = {};
    NumberMonthsStepwise(out, written);
    ApplyFixedCorrections(year, out, written);
    if (AnyMonthOfYearUnnumbered(year, out, written)) {
        NumberMonthsByAnchors(out);
        out.numberedByAnchors = true;
    }
}

int RokuyoIndex(int month, long long day) {
    const long long m = std::llabs(static_cast<long long>(month));
    return static_cast<int>(((m - 1) % 6 + day - 1) % 6);
}

OldCalendarDate LookUpOldCalendar(const OldCalendarYear &table, long long N) {
    OldCalendarDate date{};
    const int j = MonthIndexOf(table, N);
    if (j < 0) {
        return date;
    }
    date.month = table.MonthNumbers[j];
    date.day = N - table.MonthStartDays[j] + 1;
    date.rokuyo = RokuyoIndex(date.month, date.day);
    date.found = date.month != 0;
    return date;
}

}  // namespace almanac
