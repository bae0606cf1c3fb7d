// Sexagenary stems and branches (EtoDll) and nine stars (KyuseiDll).
#include <gtest/gtest.h>

#include <QDate>
#include <array>
#include <climits>
#include <string>

#include "almanac.h"
#include "almanac/sjis_text.h"

using almanac_test::FromCp932;

namespace {

const std::array<std::string, 10> kStems = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
const std::array<std::string, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                               "午", "未", "申", "酉", "戌", "亥"};
const std::array<std::string, 9> kStars = {"一白水星", "二黒土星", "三碧木星", "四緑木星", "五黄土星",
                                           "六白金星", "七赤金星", "八白土星", "九紫火星"};

struct Pair {
    int stem = -1;
    int branch = -1;
    std::string name;
};

Pair Eto(int year, int month, int day, int type) {
    SetdataDll(0.0, 0.0, 0.0, year, month, day, nullptr);
    Pair p;
    p.name = FromCp932(EtoDll(type, &p.stem, &p.branch));
    return p;
}

struct Star {
    int index = -1;
    std::string name;
};

Star Kyusei(int year, int month, int day, int type) {
    SetdataDll(0.0, 0.0, 0.0, year, month, day, nullptr);
    int stem = 0;
    int branch = 0;
    EtoDll(type, &stem, &branch);
    Star s;
    s.name = FromCp932(KyuseiDll(type, &s.index));
    return s;
}

enum { kYear = 1, kMonth = 2, kDay = 3 };

TEST(EtoDll, WorkedValues) {
    EXPECT_EQ(Eto(2000, 1, 1, kYear).name, "己卯");
    EXPECT_EQ(Eto(2000, 1, 1, kMonth).name, "丙子");
    EXPECT_EQ(Eto(2000, 1, 1, kDay).name, "戊午");
    EXPECT_EQ(Eto(2024, 1, 1, kDay).name, "甲子");
    EXPECT_EQ(Eto(2024, 1, 1, kMonth).name, "甲子");
    EXPECT_EQ(Eto(2022, 2, 10, kYear).name, "壬寅");
    EXPECT_EQ(Eto(2022, 2, 10, kMonth).name, "壬寅");
}

TEST(EtoDll, IndexesMatchTheNames) {
    const Pair p = Eto(2000, 1, 1, kDay);
    EXPECT_EQ(p.stem, 4);
    EXPECT_EQ(p.branch, 6);
    EXPECT_EQ(p.name, kStems[4] + kBranches[6]);
}

TEST(EtoDll, YearAndMonthChangeAtTheStartOfSpring) {
    EXPECT_EQ(Eto(2020, 2, 3, kYear).name, "己亥");
    EXPECT_EQ(Eto(2020, 2, 4, kYear).name, "庚子");
    EXPECT_EQ(Eto(2020, 2, 4, kMonth).name, "戊寅");
    // The tiger month of a 庚 year starts with 戊; the month before is 丁丑.
    EXPECT_EQ(Eto(2020, 2, 3, kMonth).name, "丁丑");
}

TEST(EtoDll, YearCycleOfSixtyFromTheKashiYear1984) {
    for (int year = 1901; year <= 2099; ++year) {
        const Pair p = Eto(year, 7, 1, kYear);
        const int k = ((year - 1984) % 60 + 60) % 60;
        EXPECT_EQ(p.stem, k % 10) << year;
        EXPECT_EQ(p.branch, k % 12) << year;
    }
}

TEST(EtoDll, DayCycleRunsOnOneADayFromTheKashiDay20240101) {
    const QDate origin(2024, 1, 1);
    for (QDate date(1900, 3, 1); date < QDate(2100, 3, 1); date = date.addDays(29)) {
        const Pair p = Eto(date.year(), date.month(), date.day(), kDay);
        const long long k = ((origin.daysTo(date) % 60) + 60) % 60;
        EXPECT_EQ(p.stem, k % 10) << date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(p.branch, k % 12) << date.toString(Qt::ISODate).toStdString();
    }
}

// 1858-11-17 is day index 0; the days before must keep the cycle too.
TEST(EtoDll, DayCycleStaysContinuousBeforeTheDayIndexOrigin) {
    Pair previous = Eto(1858, 11, 1, kDay);
    for (int day = 2; day <= 30; ++day) {
        const Pair p = Eto(1858, 11, day, kDay);
        ASSERT_GE(p.stem, 0);
        ASSERT_GE(p.branch, 0);
        EXPECT_EQ(p.stem, (previous.stem + 1) % 10) << day;
        EXPECT_EQ(p.branch, (previous.branch + 1) % 12) << day;
        previous = p;
    }
}

TEST(EtoDll, MonthBranchFollowsTheSolarMonth) {
    for (int month = 1; month <= 12; ++month) {
        int solarMonth = 0;
        SetdataDll(0.0, 0.0, 0.0, 2023, month, 15, &solarMonth);
        int stem = -1;
        int branch = -1;
        EtoDll(kMonth, &stem, &branch);
        EXPECT_EQ(branch, (solarMonth + 1) % 12) << month;
    }
}

TEST(EtoDll, OtherTypesNameTheTypeAsBothIndexes) {
    Pair p = Eto(2000, 1, 1, 0);
    EXPECT_EQ(p.stem, 0);
    EXPECT_EQ(p.branch, 0);
    EXPECT_EQ(p.name, "甲子");

    p = Eto(2000, 1, 1, 10);
    EXPECT_EQ(p.stem, 10);
    EXPECT_EQ(p.branch, 10);
    EXPECT_EQ(p.name, "?戌");

    EXPECT_EQ(Eto(2000, 1, 1, 12).name, "??");
    EXPECT_EQ(Eto(2000, 1, 1, -1).name, "??");
    EXPECT_EQ(Eto(2000, 1, 1, INT_MAX).name, "??");
    EXPECT_EQ(Eto(2000, 1, 1, INT_MIN).name, "??");
}

TEST(EtoDll, NullOutputsAreSkipped) {
    SetdataDll(0.0, 0.0, 0.0, 2000, 1, 1, nullptr);
    EXPECT_EQ(FromCp932(EtoDll(kDay, nullptr, nullptr)), "戊午");
}

TEST(KyuseiDll, WorkedValues2020And2021) {
    Star s = Kyusei(2020, 1, 1, kYear);
    EXPECT_EQ(s.index, 7);
    EXPECT_EQ(s.name, "八白土星");
    s = Kyusei(2020, 1, 1, kMonth);
    EXPECT_EQ(s.index, 0);
    EXPECT_EQ(s.name, "一白水星");
    s = Kyusei(2020, 1, 1, kDay);
    EXPECT_EQ(s.index, 6);
    EXPECT_EQ(s.name, "七赤金星");

    EXPECT_EQ(Kyusei(2021, 1, 1, kYear).name, "七赤金星");
    EXPECT_EQ(Kyusei(2021, 1, 1, kMonth).name, "七赤金星");
    EXPECT_EQ(Kyusei(2021, 1, 1, kDay).name, "六白金星");
}

TEST(KyuseiDll, WinterSwitchBefore2020IsTheKogoDay20191223) {
    // 2019-12-23 is 甲午 and restarts the rising count at star 6.
    EXPECT_EQ(Eto(2019, 12, 23, kDay).name, "甲午");
    EXPECT_EQ(Kyusei(2019, 12, 23, kDay).index, 6);
    EXPECT_EQ(Kyusei(2019, 12, 24, kDay).index, 7);
    // Before it the falling count of the summer switch ran on.
    const int before = Kyusei(2019, 12, 22, kDay).index;
    EXPECT_EQ(Kyusei(2019, 12, 21, kDay).index, (before + 1) % 9);
}

TEST(KyuseiDll, YearStarsRunDownOneAYear) {
    // 2024 is a 三碧木星 year, 2025 a 二黒土星 year (after the start of spring).
    EXPECT_EQ(Kyusei(2024, 6, 1, kYear).name, "三碧木星");
    EXPECT_EQ(Kyusei(2025, 6, 1, kYear).name, "二黒土星");
    for (int year = 1901; year <= 2099; ++year) {
        const int star = Kyusei(year, 6, 1, kYear).index;
        EXPECT_EQ(star, ((2 - (year - 2024)) % 9 + 9) % 9) << year;
    }
}

// Day stars step by one each day, rising after the winter switch and
// falling after the summer one; a count restarts only on a switch day, which
// is a 甲子 or 甲午 day.
TEST(KyuseiDll, DayStarsStepByOneAndRestartOnlyOnSwitchDays) {
    for (int year = 2001; year <= 2030; ++year) {
        SCOPED_TRACE(year);
        int previous = Kyusei(year, 1, 1, kDay).index;
        int restarts = 0;
        for (QDate date(year, 1, 2); date.year() == year; date = date.addDays(1)) {
            const int star = Kyusei(year, date.month(), date.day(), kDay).index;
            ASSERT_GE(star, 0);
            ASSERT_LE(star, 8);
            const int step = ((star - previous) % 9 + 9) % 9;
            if (date.month() >= 3 && date.month() <= 4) {
                EXPECT_EQ(step, 1) << date.toString(Qt::ISODate).toStdString();
            }
            if (date.month() >= 8 && date.month() <= 10) {
                EXPECT_EQ(step, 8) << date.toString(Qt::ISODate).toStdString();
            }
            if (step != 1 && step != 8) {
                ++restarts;
                const std::string name = Eto(year, date.month(), date.day(), kDay).name;
                EXPECT_TRUE(name == "甲子" || name == "甲午") << date.toString(Qt::ISODate).toStdString();
            }
            previous = star;
        }
        EXPECT_LE(restarts, 3);
    }
}

TEST(KyuseiDll, OtherTypesNameTheTypeItself) {
    Star s = Kyusei(2020, 1, 1, 0);
    EXPECT_EQ(s.index, 0);
    EXPECT_EQ(s.name, "一白水星");
    s = Kyusei(2020, 1, 1, 8);
    EXPECT_EQ(s.name, "九紫火星");
    s = Kyusei(2020, 1, 1, 9);
    EXPECT_EQ(s.index, 9);
    EXPECT_EQ(s.name, "??");
    EXPECT_EQ(Kyusei(2020, 1, 1, -5).name, "??");
    EXPECT_EQ(Kyusei(2020, 1, 1, INT_MAX).name, "??");
}

TEST(KyuseiDll, NullOutputIsSkipped) {
    SetdataDll(0.0, 0.0, 0.0, 2020, 1, 1, nullptr);
    EtoDll(kYear, nullptr, nullptr);
    EXPECT_EQ(FromCp932(KyuseiDll(kYear, nullptr)), "八白土星");
}

}  // namespace
