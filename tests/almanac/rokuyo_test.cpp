// RokuyoDll: old-calendar month and day, rokuyo index and name.
#include <gtest/gtest.h>

#include <QDate>

#include <cstdlib>
#include <string>

#include "almanac.h"
#include "sjis_text.h"

namespace {

struct OldDate {
    int month;
    int day;
    int rokuyo;
    std::string name;
};

OldDate OldDateOf(int year, int month, int day) {
    int solarMonth = 0;
    SetdataDll(0.0, 0.0, 0.0, year, month, day, &solarMonth);
    OldDate d{-99, -99, -99, {}};
    d.name = almanac_test::FromCp932(RokuyoDll(&d.month, &d.day, &d.rokuyo));
    return d;
}

const char *const kRokuyoNames[6] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

struct Worked {
    int year, month, day;
    int oldMonth, oldDay, rokuyo;
};

class RokuyoWorkedValues : public testing::TestWithParam<Worked> {};

TEST_P(RokuyoWorkedValues, MonthDayRokuyoAndName) {
    const Worked w = GetParam();
    const OldDate d = OldDateOf(w.year, w.month, w.day);
    EXPECT_EQ(d.month, w.oldMonth);
    EXPECT_EQ(d.day, w.oldDay);
    EXPECT_EQ(d.rokuyo, w.rokuyo);
    EXPECT_EQ(d.name, kRokuyoNames[w.rokuyo]);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, RokuyoWorkedValues,
    testing::Values(Worked{2000, 1, 1, 11, 25, 4}, Worked{2017, 1, 28, 1, 1, 0},
                    Worked{2017, 6, 24, -5, 1, 4}, Worked{2017, 7, 23, 6, 1, 5},
                    Worked{2020, 5, 23, -4, 1, 3}, Worked{2023, 3, 22, -2, 1, 1},
                    Worked{2025, 7, 25, -6, 1, 5}, Worked{2025, 8, 23, 7, 1, 0},
                    Worked{2033, 12, 22, -11, 1, 4}, Worked{2034, 1, 20, 12, 1, 5},
                    Worked{1975, 1, 1, 11, 19, 4}, Worked{1985, 1, 1, 11, 11, 2}));

// The two years whose stepwise numbering loses months: numbered by the
// traditional anchors instead.
INSTANTIATE_TEST_SUITE_P(
    AnchorNumberedYears, RokuyoWorkedValues,
    testing::Values(Worked{1965, 9, 25, 9, 1, 2}, Worked{1965, 10, 24, 10, 1, 3},
                    Worked{1965, 11, 23, 11, 1, 4}, Worked{1965, 12, 23, 12, 1, 5},
                    Worked{2053, 1, 20, 12, 1, 5}, Worked{2053, 2, 19, 1, 1, 0},
                    Worked{2053, 3, 20, 2, 1, 1}));

TEST(Rokuyo, FirstDaysFollowTheMonthTable) {
    // The first day of months 1 and 7 is 先勝, of 2 and 8 友引, ... and a leap
    // month counts like the month it follows.
    QDate date(2017, 1, 1);
    int checked = 0;
    for (; date.year() == 2017; date = date.addDays(1)) {
        const OldDate d = OldDateOf(date.year(), date.month(), date.day());
        if (d.day != 1) continue;
        EXPECT_EQ(d.rokuyo, (std::abs(d.month) - 1) % 6) << date.toString(Qt::ISODate).toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 12);
}

TEST(Rokuyo, LeapMonthsOfTheWorkedYears) {
    const struct {
        int year;
        int leapAfter;
    } expected[] = {{1976, 8}, {1979, 6}, {1982, 4}, {1984, 10}, {1987, 6},
                    {1990, 5}, {1993, 3}, {1995, 8}, {1998, 5},  {2001, 4}};
    for (const auto &e : expected) {
        int leap = 0;
        for (QDate date(e.year, 1, 1); date.year() == e.year; date = date.addDays(1)) {
            const OldDate d = OldDateOf(e.year, date.month(), date.day());
            if (d.month < 0) leap = -d.month;
        }
        EXPECT_EQ(leap, e.leapAfter) << e.year;
    }
}

// Month numbers in order: after month m comes m + 1 (12 -> 1) or the leap
// month -m; after leap month -m comes m + 1.
bool FollowsInOrder(int previous, int next) {
    if (next > 0) return next == std::abs(previous) % 12 + 1;
    return previous > 0 && next == -previous;
}

TEST(Rokuyo, EveryDayFrom1901To2099IsConsistent) {
    OldDate previous = OldDateOf(1901, 1, 1);
    int leapsThisYear = 0;
    int failures = 0;
    for (QDate date(1901, 1, 2); date.year() <= 2099 && failures < 20; date = date.addDays(1)) {
        if (date.month() == 1 && date.day() == 1) leapsThisYear = 0;
        const OldDate d = OldDateOf(date.year(), date.month(), date.day());
        const std::string where = date.toString(Qt::ISODate).toStdString();
        bool ok = d.rokuyo >= 0 && d.rokuyo < 6 && d.name == kRokuyoNames[d.rokuyo];
        ok = ok && d.month != 0 && std::abs(d.month) <= 12 && d.day >= 1 && d.day <= 30;
        const bool sameMonth = d.month == previous.month && d.day == previous.day + 1;
        const bool newMonth = d.day == 1 && (previous.day == 29 || previous.day == 30) &&
                              FollowsInOrder(previous.month, d.month);
        ok = ok && (sameMonth || newMonth);
        ok = ok && (d.day == 1 || d.rokuyo == (previous.rokuyo + 1) % 6);
        if (newMonth && d.month < 0) ++leapsThisYear;
        ok = ok && leapsThisYear <= 1;
        if (!ok) {
            ++failures;
            ADD_FAILURE() << where << ": " << d.month << "/" << d.day << " rokuyo " << d.rokuyo
                          << " after " << previous.month << "/" << previous.day;
        }
        previous = d;
    }
}

TEST(Rokuyo, NullPointersAreSkipped) {
    int solarMonth = 0;
    SetdataDll(0.0, 0.0, 0.0, 2000, 1, 1, &solarMonth);
    EXPECT_EQ(almanac_test::FromCp932(RokuyoDll(nullptr, nullptr, nullptr)), "大安");
    int day = 0;
    EXPECT_EQ(almanac_test::FromCp932(RokuyoDll(nullptr, &day, nullptr)), "大安");
    EXPECT_EQ(day, 25);
}

TEST(Rokuyo, DayOutsideTheMonthShiftsTheDate) {
    // Day 0 is the last day of the previous month; a day far past the month
    // lands in the next year and is answered from that year's tables.
    const OldDate shifted = OldDateOf(2000, 1, 0);
    const OldDate plain = OldDateOf(1999, 12, 31);
    EXPECT_EQ(shifted.month, plain.month);
    EXPECT_EQ(shifted.day, plain.day);
    EXPECT_EQ(shifted.rokuyo, plain.rokuyo);

    const OldDate far = OldDateOf(2016, 1, 366 + 28);  // 2017-01-28
    EXPECT_EQ(far.month, 1);
    EXPECT_EQ(far.day, 1);
    EXPECT_EQ(far.rokuyo, 0);
}

TEST(Rokuyo, TextStaysValidUntilTheNextTextCall) {
    int solarMonth = 0, m = 0, d = 0, r = 0;
    SetdataDll(0.0, 0.0, 0.0, 2017, 1, 28, &solarMonth);
    const char *text = RokuyoDll(&m, &d, &r);
    SetdataDll(0.0, 0.0, 0.0, 2000, 1, 1, &solarMonth);
    EXPECT_EQ(almanac_test::FromCp932(text), "先勝");
    EXPECT_LE(std::string(text).size(), 8u);
}

}  // namespace
