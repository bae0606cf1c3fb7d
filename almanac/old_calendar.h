// The old lunisolar calendar of one year: principal-term days, new-moon
// days and month numbers, and the lookup of a date in them.  Internal.
//
// Day numbers are trunc(EpochDay): from 1975-01-01 (0) on they count days,
// before it they run one higher than the plain count.
#ifndef ALMANAC_OLD_CALENDAR_H
#define ALMANAC_OLD_CALENDAR_H

namespace almanac {

inline constexpr int kPrincipalTermCount = 17;
inline constexpr int kMaxMonthStarts = 20;

struct OldCalendarYear {
    int year;
    // P[0] November and P[1] December of the year before, P[2..13] January
    // to December, P[14..16] January to March of the year after.
    long long PrincipalTermDays[kPrincipalTermCount];
    // Successive new-moon days from November of the year before; entries at
    // and beyond monthStartCount are 0.
    long long MonthStartDays[kMaxMonthStarts];
    int monthStartCount;
    // 1..12, or -n for the leap month after month n; 0 where unnumbered.
    int MonthNumbers[kMaxMonthStarts];
    // True when the stepwise numbering left a month of the year without a
    // number and the traditional anchor rule numbered the year instead.
    bool numberedByAnchors;
};

struct OldCalendarDate {
    int month;       // negative for a leap month
    long long day;   // 1 on the new-moon day
    int rokuyo;      // 0..5 for every numbered month
    bool found;      // the day number lies in a numbered month of the table
};

// Day during which the sun reaches target, searched over the ten midnights
// from day startDay of month (whose EpochDay is E): startDay + k - 1 for
// the first midnight k at or past target, startDay + 8 if none is.  The
// longitude is taken raw in March (the term sought there is 360).
int TermDayOfMonth(int month, int startDay, double target, double E);

// Builds the tables of a year afresh (about a millisecond).
void BuildOldCalendarYear(int year, OldCalendarYear &out);

// Old-calendar date of day number N in the tables of a year.
OldCalendarDate LookUpOldCalendar(const OldCalendarYear &table, long long N);

// Rokuyo index from an old-calendar month and day, remainders taking the
// sign of the dividend as the almanac has always computed them.
int RokuyoIndex(int month, long long day);

}  // namespace almanac

#endif  // ALMANAC_OLD_CALENDAR_H
