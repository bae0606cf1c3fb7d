// Moon age and phases (MoonageDll), moonrise, moonset and transit (MoonDll),
// sunrise, sunset, transit and twilight (SunDll).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "almanac.h"

namespace {

constexpr double kTokyoLatitude = 35.66;
constexpr double kTokyoLongitude = 139.74;

void SetTokyo(int year, int month, int day) {
    SetdataDll(kTokyoLatitude, kTokyoLongitude, 0.0, year, month, day, nullptr);
}

struct Event {
    double hour = NAN;
    double angle = NAN;
};

Event Sun(int type) {
    Event e;
    SunDll(type, &e.hour, &e.angle);
    return e;
}

Event Moon(int type) {
    Event e;
    MoonDll(type, &e.hour, &e.angle);
    return e;
}

TEST(SunDll, TokyoOnNewYearsDay2020) {
    SetTokyo(2020, 1, 1);
    const Event rise = Sun(1);
    EXPECT_NEAR(rise.hour, 6.84, 0.006);
    EXPECT_NEAR(rise.angle, 118.1, 0.06);
    const Event set = Sun(2);
    EXPECT_NEAR(set.hour, 16.6, 0.06);
    EXPECT_NEAR(set.angle, 241.9, 0.06);
    const Event transit = Sun(3);
    EXPECT_NEAR(transit.hour, 11.74, 0.006);
    EXPECT_NEAR(transit.angle, 31.3, 0.06);
    EXPECT_NEAR(Sun(4).hour, 6.25, 0.006);
    EXPECT_NEAR(Sun(5).hour, 17.23, 0.006);
}

TEST(SunDll, EventsAreOrderedAndSymmetricAboutTransit) {
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        SetTokyo(2021, month, 10);
        const Event dawn = Sun(4), rise = Sun(1), transit = Sun(3), set = Sun(2), dusk = Sun(5);
        EXPECT_LT(dawn.hour, rise.hour);
        EXPECT_LT(rise.hour, transit.hour);
        EXPECT_LT(transit.hour, set.hour);
        EXPECT_LT(set.hour, dusk.hour);
        // The sun's declination barely moves in a day: rise and set lie
        // almost symmetric about the transit, in hour and in azimuth.
        EXPECT_NEAR(transit.hour - rise.hour, set.hour - transit.hour, 0.05);
        EXPECT_NEAR(rise.angle + set.angle, 360.0, 1.0);
        // Transit altitude is 90 - latitude + declination: 31..78 degrees at Tokyo.
        EXPECT_GT(transit.angle, 30.0);
        EXPECT_LT(transit.angle, 78.5);
    }
}

TEST(SunDll, SearchThatCannotSettleLeavesThePreviousAnswer) {
    SetTokyo(2020, 1, 1);
    const Event tokyo = Sun(1);
    // Midsummer near the pole: the sun never sets, the hour angle of the
    // horizon is undefined and the search runs out of steps.
    SetdataDll(89.5, 0.0, 0.0, 2020, 6, 21, nullptr);
    const Event polar = Sun(1);
    EXPECT_EQ(polar.hour, tokyo.hour);
    EXPECT_EQ(polar.angle, tokyo.angle);
}

TEST(SunDll, OtherTypesWriteNothing) {
    SetTokyo(2020, 1, 1);
    for (int type : {0, 6, -1, INT_MIN, INT_MAX}) {
        double hour = 1234.5;
        double angle = 567.5;
        SunDll(type, &hour, &angle);
        EXPECT_EQ(hour, 1234.5) << type;
        EXPECT_EQ(angle, 567.5) << type;
    }
}

TEST(SunDll, NullOutputsAreSkipped) {
    SetTokyo(2020, 1, 1);
    SunDll(1, nullptr, nullptr);
    double hour = 0.0;
    SunDll(1, &hour, nullptr);
    EXPECT_NEAR(hour, 6.84, 0.006);
}

TEST(MoonDll, TokyoOnNewYearsDay2020) {
    SetTokyo(2020, 1, 1);
    const Event rise = Moon(1);
    EXPECT_NEAR(rise.hour, 10.83, 0.006);
    EXPECT_NEAR(rise.angle, 102.1, 0.06);
    const Event set = Moon(2);
    EXPECT_NEAR(set.hour, 22.27, 0.006);
    // Transit starts from the moonrise hour plus six.
    const Event transit = Moon(3);
    EXPECT_NEAR(transit.hour, 16.50, 0.006);
    EXPECT_NEAR(transit.angle, 45.7, 0.06);
}

TEST(MoonDll, RepeatedTransitCallsAdvanceSixHoursEach) {
    SetTokyo(2020, 1, 1);
    Moon(1);
    const Event upper = Moon(3);
    // Started from 22.83 h, the search meets the lower transit, about half a
    // lunar day after the upper one, below the horizon.  The upper transit
    // (45.7 = 90 - latitude + declination) puts the declination near -9, so
    // the lower one (latitude + declination - 90) lies near -63, give or take
    // the declination's change over half a day.
    const Event lower = Moon(3);
    EXPECT_GT(lower.hour - upper.hour, 12.0);
    EXPECT_LT(lower.hour - upper.hour, 13.0);
    EXPECT_LT(lower.angle, -40.0);
    EXPECT_GT(lower.angle, -70.0);
    // Past 24 h the start falls back to 1 h, which again meets the lower
    // transit before dawn: the one of the previous night.
    const Event early = Moon(3);
    EXPECT_NEAR(early.hour, lower.hour - 24.8, 0.5);
}

TEST(MoonDll, OtherTypesWriteNothing) {
    SetTokyo(2020, 1, 1);
    for (int type : {0, 4, -1, INT_MIN, INT_MAX}) {
        double hour = 1234.5;
        double angle = 567.5;
        MoonDll(type, &hour, &angle);
        EXPECT_EQ(hour, 1234.5) << type;
        EXPECT_EQ(angle, 567.5) << type;
    }
}

TEST(MoonDll, RiseAndSetLieADayApartOnAverage) {
    // Moonrise comes about 50 minutes later each day.
    double previous = NAN;
    int counted = 0;
    double total = 0.0;
    for (int day = 1; day <= 28; ++day) {
        SetTokyo(2022, 3, day);
        const Event rise = Moon(1);
        if (!std::isnan(previous) && rise.hour >= 0.0 && rise.hour < 24.0 && previous >= 0.0 && previous < 24.0 &&
            rise.hour > previous) {
            total += rise.hour - previous;
            ++counted;
        }
        previous = rise.hour;
    }
    ASSERT_GT(counted, 15);
    EXPECT_GT(total / counted, 0.6);
    EXPECT_LT(total / counted, 1.1);
}

TEST(MoonageDll, WorkedAgesAndPhases2020) {
    SetTokyo(2020, 1, 1);
    double age = 0.0;
    double phase = 0.0;
    MoonageDll(12.0, &age, &phase);
    EXPECT_NEAR(age, 5.9, 1e-9);
    EXPECT_EQ(phase, 80.0);

    SetTokyo(2020, 1, 25);
    MoonageDll(12.0, &age, &phase);
    EXPECT_NEAR(age, 0.2, 1e-9);
    EXPECT_NEAR(phase, 6.70, 0.006);

    SetTokyo(2020, 1, 11);
    MoonageDll(12.0, &age, &phase);
    EXPECT_NEAR(age, 15.9, 1e-9);
    EXPECT_NEAR(phase, 4.35, 0.006);
}

TEST(MoonageDll, AroundTheNewMoonOfJanuary2000) {
    SetdataDll(0.0, 0.0, 0.0, 2000, 1, 7, nullptr);
    double age = 0.0;
    double phase = 0.0;
    MoonageDll(3.3, &age, &phase);
    EXPECT_NEAR(age, 0.0, 1e-9);
    EXPECT_NEAR(phase, 3.23, 0.006);
    // Just before the new moon the age is the length of the ending lunation.
    MoonageDll(2.2, &age, &phase);
    EXPECT_NEAR(age, 29.8, 1e-9);
    EXPECT_NEAR(phase, 3.23, 0.006);
}

TEST(MoonageDll, PhaseOnAnotherDayGivesMarker) {
    // New moon 2020-01-25 06:42 local: the day before has age about 29 at
    // noon, so the search for it runs to the next day.
    SetTokyo(2020, 1, 24);
    double age = 0.0;
    double phase = 0.0;
    MoonageDll(12.0, &age, &phase);
    EXPECT_GT(age, 28.0);
    EXPECT_EQ(phase, 88.8);
}

TEST(MoonageDll, AgeGrowsByADayADayThroughALunation) {
    SetTokyo(2020, 1, 26);
    double age = 0.0;
    double phase = 0.0;
    MoonageDll(12.0, &age, &phase);
    const double start = age;
    for (int day = 1; day <= 25; ++day) {
        SetTokyo(2020, 1, 26 + day);  // days past the month's end shift on
        MoonageDll(12.0, &age, nullptr);
        EXPECT_NEAR(age, start + day, 0.11) << day;
    }
}

TEST(MoonageDll, NullOutputsAreSkipped) {
    SetTokyo(2020, 1, 25);
    MoonageDll(12.0, nullptr, nullptr);
    double phase = 0.0;
    MoonageDll(12.0, nullptr, &phase);
    EXPECT_NEAR(phase, 6.70, 0.006);
}

}  // namespace
