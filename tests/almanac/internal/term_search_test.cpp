// The day search for a solar longitude and the switch days of the day stars.
#include <gtest/gtest.h>

#include "almanac.h"
#include "almanac_state.h"
#include "day_counts.h"
#include "nine_stars.h"
#include "sexagenary.h"
#include "solar_terms.h"

namespace almanac {
namespace {

TEST(FindTermDay, StartOfSpring2019) {
    EXPECT_EQ(FindTermDay(2019, 2, 1, 315.0), 4);
    EXPECT_NEAR(State().termSearchHour, 12.22, 0.006);
    EXPECT_EQ(State().termSearchEpochDay, CivilToDays(2019, 2, 4).EpochDay);
}

TEST(FindTermDay, CountsOnPastTheEndOfTheMonth) {
    // From 1 January the start of spring is the 35th day of January's count.
    EXPECT_EQ(FindTermDay(2019, 1, 1, 315.0), 35);
    EXPECT_EQ(State().termSearchEpochDay, CivilToDays(2019, 2, 4).EpochDay);
}

TEST(FindTermDay, StartPastTheTargetAnswersTheDayBefore) {
    EXPECT_EQ(FindTermDay(2019, 3, 1, 315.0), 0);
    EXPECT_EQ(State().termSearchEpochDay, CivilToDays(2019, 3, 1).EpochDay - 1.0);
}

TEST(FindTermDay, GivesUpAfterAYearOfDays) {
    // The raw longitude never reaches 500 degrees.
    EXPECT_EQ(FindTermDay(2020, 5, 10, 500.0), 9);
    EXPECT_EQ(State().termSearchEpochDay, CivilToDays(2020, 5, 10).EpochDay - 1.0);
}

TEST(FindTermDay, LeavesTheSetDateAlone) {
    SetdataDll(35.0, 135.0, 0.0, 2021, 8, 9, nullptr);
    const double epochDay = State().EpochDay;
    const double j1900Day = State().J1900Day;
    FindTermDay(1999, 12, 21, 270.0);
    double hour = 0.0;
    KisetuDll(1, &hour);
    EtoDll(1, nullptr, nullptr);
    KyuseiDll(3, nullptr);
    EXPECT_EQ(State().EpochDay, epochDay);
    EXPECT_EQ(State().J1900Day, j1900Day);
    EXPECT_EQ(State().year, 2021);
    EXPECT_EQ(State().month, 8);
    EXPECT_EQ(State().day, 9);
}

// 2024-01-01, day index 60310, is a 甲子 day; 30 days on is a 甲午 day.
constexpr long long kKashi = 60310;

TEST(SwitchDayNear, KogoDayOnOrNextToTheSolstice) {
    ASSERT_EQ(DayStem(kKashi), 0);
    ASSERT_EQ(DayBranch(kKashi), 0);
    const long long kogo = kKashi + 30;
    ASSERT_EQ(DayBranch(kogo), 6);

    SwitchDayNear(1, kogo);
    EXPECT_EQ(State().switchDay[1], kogo);
    EXPECT_EQ(State().switchStar[1], 2);
    SwitchDayNear(2, kogo - 1);
    EXPECT_EQ(State().switchDay[2], kogo);
    EXPECT_EQ(State().switchStar[2], 6);
    SwitchDayNear(4, kogo + 1);
    EXPECT_EQ(State().switchDay[4], kogo);
    EXPECT_EQ(State().switchStar[4], 6);
}

TEST(SwitchDayNear, OtherwiseTheNearestKashiDay) {
    SwitchDayNear(3, kKashi + 28);
    EXPECT_EQ(State().switchDay[3], kKashi);
    EXPECT_EQ(State().switchStar[3], 8);
    SwitchDayNear(2, kKashi + 32);
    EXPECT_EQ(State().switchDay[2], kKashi + 60);
    EXPECT_EQ(State().switchStar[2], 0);
    SwitchDayNear(1, kKashi - 5);
    EXPECT_EQ(State().switchDay[1], kKashi);
    EXPECT_EQ(State().switchStar[1], 8);
}

TEST(SwitchDayNear, IgnoresOtherSlots) {
    const AlmanacState before = State();
    SwitchDayNear(0, kKashi);
    SwitchDayNear(5, kKashi);
    SwitchDayNear(-1, kKashi);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(State().switchDay[k], before.switchDay[k]);
        EXPECT_EQ(State().switchStar[k], before.switchStar[k]);
    }
}

}  // namespace
}  // namespace almanac
