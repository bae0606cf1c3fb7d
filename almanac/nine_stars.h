// Switch days of the day stars.  Internal, hidden from the export table.
#ifndef ALMANAC_NINE_STARS_H
#define ALMANAC_NINE_STARS_H

namespace almanac {

// Sets switch day k (1 and 3 near a summer solstice, 2 and 4 near a winter
// one) for the solstice day index D, with its starting star: a 甲午 day on D
// or next to it starts at 2 (summer) or 6 (winter); otherwise the nearest
// 甲子 day, the earlier on a tie, starts at 8 (summer) or 0 (winter).
void SwitchDayNear(int k, long long D);

}  // namespace almanac

#endif  // ALMANAC_NINE_STARS_H
