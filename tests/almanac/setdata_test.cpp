// SetdataDll: weekday and solar month of the set date.
#include <gtest/gtest.h>

#include <QDate>

#include <climits>

#include "almanac.h"

namespace {

int Weekday(int year, int month, int day, int *solarMonth = nullptr) {
    int ignored = 0;
    return SetdataDll(0.0, 0.0, 0.0, year, month, day, solarMonth ? solarMonth : &ignored);
}

TEST(Setdata, WorkedValues) {
    int solarMonth = 0;
    EXPECT_EQ(Weekday(1975, 1, 1, &solarMonth), 3);  // Wednesday
    EXPECT_EQ(solarMonth, 11);
    EXPECT_EQ(Weekday(2000, 1, 1), 6);  // Saturday
}

TEST(Setdata, WeekdayMatchesTheGregorianCalendarFrom1900To2100) {
    // Inside 1900-03-01 .. 2100-02-28 the day counts agree with the Gregorian
    // calendar; QDate counts 1 = Monday .. 7 = Sunday.
    int mismatches = 0;
    for (QDate date(1900, 3, 1); date <= QDate(2100, 2, 28) && mismatches < 10; date = date.addDays(1)) {
        const int w = Weekday(date.year(), date.month(), date.day());
        if (w != date.dayOfWeek() % 7) {
            ++mismatches;
            ADD_FAILURE() << date.toString(Qt::ISODate).toStdString() << " gives " << w;
        }
    }
}

TEST(Setdata, LeapDaysOf1900And1904) {
    // 1904-02-29 and 1904-03-01 are consecutive; so are 1900-02-29 (accepted,
    // as every year divisible by four is a leap year here) and 1900-03-01.
    EXPECT_EQ((Weekday(1904, 2, 29) + 1) % 7, Weekday(1904, 3, 1));
    EXPECT_EQ((Weekday(1900, 2, 29) + 1) % 7, Weekday(1900, 3, 1));
    EXPECT_EQ(Weekday(1900, 2, 29), Weekday(1900, 3, 0));
}

TEST(Setdata, DayOutsideTheMonthShiftsLinearly) {
    EXPECT_EQ(Weekday(2000, 3, 0), Weekday(2000, 2, 29));
    EXPECT_EQ(Weekday(2000, 1, 32), Weekday(2000, 2, 1));
    EXPECT_EQ(Weekday(2000, 1, -6), Weekday(1999, 12, 25));
}

TEST(Setdata, SolarMonthChangesOnTheDayTheBoundaryIsReached) {
    // The sun reaches 315 degrees during 2019-02-04 (from about 314.48 to
    // 315.50): that day already belongs to month 1.
    int month = 0;
    Weekday(2019, 2, 3, &month);
    EXPECT_EQ(month, 12);
    Weekday(2019, 2, 4, &month);
    EXPECT_EQ(month, 1);
    // Around the vernal equinox (359.31 .. 360.31 on 2000-03-20) month 2
    // continues until 15 degrees.
    Weekday(2000, 3, 20, &month);
    EXPECT_EQ(month, 2);
    Weekday(2000, 3, 21, &month);
    EXPECT_EQ(month, 2);
}

TEST(Setdata, SolarMonthsRunInOrderThroughAYear) {
    int previous = 0;
    Weekday(2023, 12, 31, &previous);
    int changes = 0;
    for (QDate date(2024, 1, 1); date.year() == 2024; date = date.addDays(1)) {
        int month = 0;
        Weekday(date.year(), date.month(), date.day(), &month);
        ASSERT_GE(month, 1);
        ASSERT_LE(month, 12);
        if (month != previous) {
            EXPECT_EQ(month, previous % 12 + 1) << date.toString(Qt::ISODate).toStdString();
            ++changes;
        }
        previous = month;
    }
    EXPECT_EQ(changes, 12);
}

TEST(Setdata, NullSolarMonthPointerIsSkipped) {
    EXPECT_EQ(SetdataDll(0.0, 0.0, 0.0, 1975, 1, 1, nullptr), 3);
}

TEST(Setdata, WeekdayStaysInRangeForAnyYear) {
    const int years[] = {INT_MIN, -1000000, -4713, 0, 1, 1582, 1857, 1858, 3000, 1000000, INT_MAX};
    for (int year : years) {
        for (int month : {INT_MIN, -1, 0, 1, 2, 3, 12, 13, INT_MAX}) {
            for (int day : {INT_MIN, -400, 0, 1, 31, 400, INT_MAX}) {
                int solarMonth = -1;
                const int w = SetdataDll(0.0, 0.0, 0.0, year, month, day, &solarMonth);
                EXPECT_GE(w, 0);
                EXPECT_LE(w, 6);
                EXPECT_GE(solarMonth, 1);
                EXPECT_LE(solarMonth, 12);
            }
        }
    }
}

TEST(Setdata, ConsecutiveDaysBeforeTheModifiedJulianEpoch) {
    // Dates before 1858-11-17 (negative day numbers) still step 0..6.
    int previous = Weekday(1800, 1, 1);
    for (int day = 2; day <= 30; ++day) {
        const int w = Weekday(1800, 1, day);
        EXPECT_EQ(w, (previous + 1) % 7);
        previous = w;
    }
}

}  // namespace
