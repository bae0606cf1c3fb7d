// Sexagenary cycle helpers shared by the stem-and-branch and nine-star
// exports.  Internal, hidden from the export table.
#ifndef ALMANAC_SEXAGENARY_H
#define ALMANAC_SEXAGENARY_H

namespace almanac {

// Remainder with the sign of the divisor (divisor > 0), so indexes of dates
// and years before the cycle's origin stay inside the name tables.
inline long long FloorMod(long long value, long long divisor) {
    const long long r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// Day index of the day whose EpochDay is E: its Modified Julian Day number.
// Floored, so the days before 17 November 1858 keep counting down one a day.
long long DayIndex(double E);

inline int DayStem(long long D) { return static_cast<int>(FloorMod(D, 10)); }
inline int DayBranch(long long D) { return static_cast<int>(FloorMod(D + 2, 12)); }

// Shift-JIS names; an index beyond a table names the table's "?" entry.
const char *StemName(int index);
const char *BranchName(int index);

}  // namespace almanac

#endif  // ALMANAC_SEXAGENARY_H
