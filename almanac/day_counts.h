// Civil date to the library's day counts, and the solar month.  Internal.
#ifndef ALMANAC_DAY_COUNTS_H
#define ALMANAC_DAY_COUNTS_H

namespace almanac {

struct DayCounts {
    double EpochDay;  // days from 1974-12-31 00:00 UT to local midnight
    double J1900Day;  // days from 1899-12-31 12:00 UT to local midnight
};

// Pure: changes no state.  Every year divisible by four counts as a leap
// year; a day outside the month shifts the date linearly.  Callers that
// convert a date other than the set one keep the result in scratch fields.
DayCounts CivilToDays(int year, int month, int day);

// Solar month 1..12 of the day whose EpochDay is E (month 1 from the sun at
// 315 degrees), judged at the midnight that ends the day.  Leaves the sun's
// longitude there, reduced to [0, 360), in sunLongitudeAtDayEnd.
int SolarMonthOf(double E);

// The year whose 1 January .. 31 December (in the counts above) holds the
// local midnight E, searched from hint; clamped to the int range.
int CivilYearOf(double E, int hint);

}  // namespace almanac

#endif  // ALMANAC_DAY_COUNTS_H
