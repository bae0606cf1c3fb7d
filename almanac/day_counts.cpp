#include "day_counts.h"

#include <cmath>

#include "almanac_state.h"
#include "checked_numbers.h"
#include "ephemeris.h"

namespace almanac {

// The nine-hour zone offset in days.
constexpr double kZoneOffsetDays = 0.375;

DayCounts CivilToDays(int year, int month, int day) {
    const double Y = year;
    const double M = month;
    const double D = day;

    const double q = (Y - 1900.0) * 0.25;
    const double L = std::floor(q);
    const double N = std::floor(q * 1461.0);
    const double r = std::floor((M + 7.0) * 0.1);
    const double t = std::floor(1.0 - (q - L));
    const double u = std::floor((M + 4.4) * 0.44);

    DayCounts counts;
    counts.EpochDay = t * (r - 1.0) + 31.0 * M + N + D - u * r - kZoneOffsetDays - 27424.0;

    double Mj = M;
    double Yj = Y - 1900.0;
    if (month < 3) {
        Mj = M + 12.0;
        Yj = Yj - 1.0;
    }
    counts.J1900Day = 365.0 * Yj + 30.0 * Mj + std::floor(Yj * 0.25) +
                      std::floor((3.0 * Mj + 3.0) * 0.2) + D - 33.5 - kZoneOffsetDays;
    return counts;
}

int SolarMonthOf(double E) {
    const double lambda = NormalizeAngle(SunPosition(UniformYears(E, 1.0)).longitude);
    State().sunLongitudeAtDayEnd = lambda;

    // Month 1 starts at 315 degrees; each month spans 30 degrees.
    if (lambda >= 345.0) return 2;
    if (lambda >= 315.0) return 1;
    if (lambda >= 285.0) return 12;
    if (lambda >= 255.0) return 11;
    if (lambda >= 225.0) return 10;
    if (lambda >= 195.0) return 9;
    if (lambda >= 165.0) return 8;
    if (lambda >= 135.0) return 7;
    if (lambda >= 105.0) return 6;
    if (lambda >= 75.0) return 5;
    if (lambda >= 45.0) return 4;
    if (lambda >= 15.0) return 3;
    return 2;
}

namespace {

double NewYearEpochDay(long long year) { return CivilToDays(ClampToInt(year), 1, 1).EpochDay; }

}  // namespace

int CivilYearOf(double E, int hint) {
    long long year = hint;
    double start = NewYearEpochDay(year);
    if (E >= start && E < NewYearEpochDay(year + 1)) {
        return hint;
    }
    year += FloorToInt64((E - start) / 365.25);
    year = ClampToInt(year);
    // The estimate is off by at most a year either way.
    for (int k = 0; k < 4; ++k) {
        if (E < NewYearEpochDay(year)) {
            --year;
        } else if (E >= NewYearEpochDay(year + 1)) {
            ++year;
        } else {
            break;
        }
    }
    return ClampToInt(year);
}

}  // namespace almanac
