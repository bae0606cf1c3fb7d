// Angle helpers, sun and moon series and the elongation searches.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "almanac.h"
#include "almanac_state.h"
#include "day_counts.h"
#include "ephemeris.h"

namespace almanac {
namespace {

double EpochDayOf(int y, int m, int d) { return CivilToDays(y, m, d).EpochDay; }

void SetDate(int y, int m, int d) {
    int solarMonth = 0;
    SetdataDll(0.0, 0.0, 0.0, y, m, d, &solarMonth);
}

TEST(AngleHelpers, NormalizeAngle) {
    EXPECT_EQ(NormalizeAngle(360.0), 360.0);
    EXPECT_DOUBLE_EQ(NormalizeAngle(720.5), 0.5);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-0.5), 359.5);
    EXPECT_EQ(NormalizeAngle(720.0), 0.0);
    EXPECT_EQ(NormalizeAngle(-360.0), 0.0);
    EXPECT_EQ(NormalizeAngle(0.0), 0.0);
    EXPECT_DOUBLE_EQ(NormalizeAngle(359.75), 359.75);
}

TEST(AngleHelpers, NormalizeAngleEqualsSubtractingWholeTurns) {
    // Stepping by whole turns is what the series were tuned with; the result
    // must be the same to the last bit.
    for (double x : {360.0000001, 4812.67881 * 25.3, 123456.789, 98765.4321e3, -1e-12, -725.25, -7e4 - 0.1}) {
        double y = x;
        if (y > 360.0) {
            while (y >= 360.0) y -= 360.0;
        } else {
            while (y < 0.0) y += 360.0;
        }
        EXPECT_EQ(NormalizeAngle(x), y) << x;
    }
}

TEST(AngleHelpers, NormalizeAngleNeverLoopsOnHugeOrNonFiniteValues) {
    EXPECT_TRUE(std::isnan(NormalizeAngle(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(NormalizeAngle(-std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(NormalizeAngle(std::nan(""))));
    const double big = NormalizeAngle(1e300);
    EXPECT_GE(big, 0.0);
    EXPECT_LT(big, 360.0);
}

TEST(AngleHelpers, TrigInDegreesAndTruncation) {
    EXPECT_NEAR(SinDeg(30.0), 0.5, 1e-15);
    EXPECT_NEAR(CosDeg(60.0), 0.5, 1e-15);
    EXPECT_NEAR(TanDeg(45.0), 1.0, 1e-15);
    EXPECT_EQ(TruncToWhole(2.9), 2.0);
    EXPECT_EQ(TruncToWhole(-2.9), -2.0);
}

TEST(TimeArgument, DeltaTAllowance) {
    // About 45 seconds at the epoch, in years.
    EXPECT_NEAR((EphemerisYears(0.0, 0.0) - UniformYears(0.0, 0.0)) * 365.25 * 86400.0, 45.1, 0.1);
    EXPECT_DOUBLE_EQ(UniformYears(365.25, 0.0), 1.0);
}

TEST(SunSeries, LongitudeOverTheVernalEquinoxDoesNotWrap) {
    const double E = EpochDayOf(2000, 3, 20);
    EXPECT_NEAR(SunPosition(UniformYears(E, 0.0)).longitude, 359.31, 0.01);
    EXPECT_NEAR(SunPosition(UniformYears(E, 1.0)).longitude, 360.31, 0.01);
}

TEST(SunSeries, LongitudeAtTheStartOfSpring2019) {
    const double E = EpochDayOf(2019, 2, 4);
    EXPECT_NEAR(SunPosition(UniformYears(E, 0.0)).longitude, 314.48, 0.01);
    EXPECT_NEAR(SunPosition(UniformYears(E, 1.0)).longitude, 315.50, 0.01);
}

TEST(SunSeries, DistanceNearPerihelion1975) {
    const SunPositionResult sun = SunPosition(EphemerisYears(EpochDayOf(1975, 1, 1), 0.0));
    EXPECT_NEAR(sun.distance, 0.983, 0.0005);
    EXPECT_DOUBLE_EQ(sun.distance, std::pow(10.0, sun.logDistance));
    EXPECT_EQ(State().sunDistance, sun.distance);
}

TEST(MoonSeries, NewMoonOfJanuary2000) {
    // 2000-01-07 03:13 local time: elongation within 0.02 degrees of zero.
    const double T = EphemerisYears(EpochDayOf(2000, 1, 7), (3.0 + 13.0 / 60.0) / 24.0);
    const double elongation = NormalizeAngle(MoonPosition(T).longitude) - NormalizeAngle(SunPosition(T).longitude);
    EXPECT_NEAR(elongation, 0.0, 0.02);
}

TEST(MoonSeries, ValuesInPlausibleRanges) {
    for (double T = -80.0; T <= 130.0; T += 0.37) {
        const MoonPositionResult moon = MoonPosition(T);
        EXPECT_LE(std::fabs(moon.latitude), 5.4);
        EXPECT_GT(moon.parallax, 0.89);
        EXPECT_LT(moon.parallax, 1.03);
        EXPECT_EQ(State().moonParallax, moon.parallax);
    }
}

TEST(MoonAgeSearch, AroundTheNewMoonOfJanuary2000) {
    const double E = EpochDayOf(2000, 1, 7);
    EXPECT_NEAR(MoonAge(3.3, E), 0.0, 1e-9);
    // Just before the new moon: the length of the ending lunation.
    EXPECT_NEAR(MoonAge(2.2, E), 29.8, 1e-9);
}

TEST(MoonAgeSearch, GrowsByADayADay) {
    const double E = EpochDayOf(2000, 1, 7);
    for (int k = 1; k <= 25; ++k) {
        EXPECT_NEAR(MoonAge(12.0, E + k), MoonAge(12.0, E) + k, 0.15) << k;
    }
}

TEST(PhaseSearches, WorkedValues) {
    SetDate(2000, 1, 7);
    EXPECT_NEAR(PhaseTimeOfDay(0.0) * 24.0, 3.23, 0.005);
    EXPECT_NEAR(NewMoonNear(State().EpochDay) * 24.0, 3.23, 0.005);
    SetDate(2000, 1, 21);
    EXPECT_NEAR(PhaseTimeOfDay(180.0) * 24.0, 13.67, 0.005);
}

TEST(PhaseSearches, ReturnTheTimeOfTheLastEvaluation) {
    SetDate(2000, 1, 7);
    const double t = PhaseTimeOfDay(0.0);
    EXPECT_EQ(State().searchTime, t);
    const double u = NewMoonNear(EpochDayOf(2000, 2, 5));
    EXPECT_EQ(State().searchTime, u);
}

TEST(PhaseSearches, NewMoonNearOtherDaysRelativeToThatDay) {
    // From a day three days before the new moon, the result lies three days on.
    const double t = NewMoonNear(EpochDayOf(2000, 1, 4));
    EXPECT_NEAR(t * 24.0 - 72.0, 3.23, 0.01);
}

TEST(PhaseSearches, DoNotTouchTheSetDate) {
    SetDate(2020, 6, 1);
    const AlmanacState before = State();
    MoonAge(5.0, EpochDayOf(1999, 1, 1));
    NewMoonNear(EpochDayOf(2001, 1, 1));
    PhaseTimeOfDay(180.0);
    EXPECT_EQ(State().EpochDay, before.EpochDay);
    EXPECT_EQ(State().J1900Day, before.J1900Day);
    EXPECT_EQ(State().year, 2020);
}

TEST(PhaseSearches, BoundedForNonFiniteAndHugeArguments) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(MoonAge(std::nan(""), 0.0), 99.0);
    EXPECT_EQ(MoonAge(1.0, inf), 99.0);
    EXPECT_TRUE(std::isnan(NewMoonNear(std::nan(""))) || std::isfinite(NewMoonNear(std::nan(""))));
    const double far = NewMoonNear(1e12);
    EXPECT_FALSE(std::isinf(far));
    EXPECT_TRUE(std::isfinite(SunPosition(1e9).longitude));
}

}  // namespace
}  // namespace almanac
