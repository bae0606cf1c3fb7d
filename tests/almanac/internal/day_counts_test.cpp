// CivilToDays and SolarMonthOf against the Gregorian calendar of QDate.
#include <gtest/gtest.h>

#include <QDate>

#include "almanac_state.h"
#include "day_counts.h"

namespace almanac {
namespace {

// Days from 1974-12-31 00:00 UT to local midnight (UT + 9) of the date.
double ExpectedEpochDay(const QDate &date) {
    return static_cast<double>(date.toJulianDay() - QDate(1974, 12, 31).toJulianDay()) - 0.375;
}

// Days from 1899-12-31 12:00 UT to the same instant.
double ExpectedJ1900Day(const QDate &date) {
    return static_cast<double>(date.toJulianDay() - QDate(1899, 12, 31).toJulianDay()) - 0.5 - 0.375;
}

TEST(CivilToDays, WorkedValue) {
    EXPECT_EQ(CivilToDays(1975, 1, 1).EpochDay, 0.625);
    EXPECT_EQ(CivilToDays(1974, 12, 31).EpochDay, -0.375);
}

TEST(CivilToDays, AgreesWithTheGregorianCalendarFrom1900To2100) {
    int mismatches = 0;
    for (QDate date(1900, 3, 1); date <= QDate(2100, 2, 28) && mismatches < 10; date = date.addDays(1)) {
        const DayCounts c = CivilToDays(date.year(), date.month(), date.day());
        if (c.EpochDay != ExpectedEpochDay(date) || c.J1900Day != ExpectedJ1900Day(date)) {
            ++mismatches;
            ADD_FAILURE() << date.toString(Qt::ISODate).toStdString() << ": " << c.EpochDay << " "
                          << c.J1900Day;
        }
    }
}

TEST(CivilToDays, EveryFourthYearIsALeapYear) {
    EXPECT_EQ(CivilToDays(1904, 3, 1).EpochDay - CivilToDays(1904, 2, 29).EpochDay, 1.0);
    EXPECT_EQ(CivilToDays(1900, 3, 1).EpochDay - CivilToDays(1900, 2, 29).EpochDay, 1.0);
    EXPECT_EQ(CivilToDays(2100, 3, 1).EpochDay - CivilToDays(2100, 2, 29).EpochDay, 1.0);
    EXPECT_EQ(CivilToDays(1900, 3, 1).J1900Day - CivilToDays(1900, 2, 29).J1900Day, 1.0);
}

TEST(CivilToDays, IsPure) {
    State().EpochDay = 12.5;
    State().J1900Day = 34.5;
    CivilToDays(2000, 1, 1);
    EXPECT_EQ(State().EpochDay, 12.5);
    EXPECT_EQ(State().J1900Day, 34.5);
}

TEST(SolarMonthOf, WorkedValueAndRecordedLongitude) {
    EXPECT_EQ(SolarMonthOf(CivilToDays(1975, 1, 1).EpochDay), 11);
    EXPECT_NEAR(State().sunLongitudeAtDayEnd, 280.6, 0.05);
}

TEST(SolarMonthOf, LongitudeIsReducedToACircle) {
    // 2000-03-20 ends at about 360.31 raw.
    EXPECT_EQ(SolarMonthOf(CivilToDays(2000, 3, 20).EpochDay), 2);
    EXPECT_NEAR(State().sunLongitudeAtDayEnd, 0.31, 0.01);
}

TEST(CivilYearOf, FindsTheYearHoldingAMidnight) {
    EXPECT_EQ(CivilYearOf(CivilToDays(2021, 2, 3).EpochDay, 2020), 2021);
    EXPECT_EQ(CivilYearOf(CivilToDays(2020, 12, 31).EpochDay, 2020), 2020);
    EXPECT_EQ(CivilYearOf(CivilToDays(2021, 1, 1).EpochDay, 2020), 2021);
    EXPECT_EQ(CivilYearOf(CivilToDays(1850, 6, 1).EpochDay, 2020), 1850);
    EXPECT_EQ(CivilYearOf(CivilToDays(2020, 1, 1).EpochDay, 2400), 2020);
}

}  // namespace
}  // namespace almanac
