// Conversions that stay defined for any input: the exports accept absurd
// years, NaN and infinite positions, and must never reach undefined
// behaviour converting them.  Internal.
#ifndef ALMANAC_CHECKED_NUMBERS_H
#define ALMANAC_CHECKED_NUMBERS_H

#include <climits>
#include <cmath>

namespace almanac {

// Toward zero, saturating at the int64 range; NaN gives 0.
inline long long TruncToInt64(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9.2e18) return LLONG_MAX;
    if (x <= -9.2e18) return LLONG_MIN;
    return static_cast<long long>(x);
}

// Toward negative infinity, saturating; NaN gives 0.
inline long long FloorToInt64(double x) { return TruncToInt64(std::floor(x)); }

inline int ClampToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

// Toward zero, saturating at the int range; NaN gives 0.
inline int TruncToInt(double x) { return ClampToInt(TruncToInt64(x)); }

}  // namespace almanac

#endif  // ALMANAC_CHECKED_NUMBERS_H
