// Solar terms of the set day and the day search for a solar longitude.
// Internal, hidden from the export table.
#ifndef ALMANAC_SOLAR_TERMS_H
#define ALMANAC_SOLAR_TERMS_H

namespace almanac {

// Term code 0..27 of the set day; leaves code, hour (or the marker 88.8 /
// 99.9) and the sun's longitude at the day's end in the state.
void SolarTermOfDay();

// Day of the month (counted from the given start date) during which the sun
// reaches the longitude target, judged at successive midnights from the start.
// Leaves the interpolated hour and the crossing day's EpochDay in the state
// (termSearchHour, termSearchEpochDay).  Gives up after a year of days; so
// does a start that already lies past the target: both answer the day before
// the start date with an hour that has no meaning.
int FindTermDay(int year, int month, int day, double target);

}  // namespace almanac

#endif  // ALMANAC_SOLAR_TERMS_H
