#include "holidays.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace tamarie;

namespace {

TDateValue D(int y, int m, int d) { return DateToValue(QDate(y, m, d)); }

QString NameOf(int y, int m, int d)
{
    QString name = "unset";
    IsHoliday(D(y, m, d), name);
    return name;
}

// Every holiday of a year, as month*100+day -> name.
std::map<int, QString> HolidaysOf(int year)
{
    std::map<int, QString> out;
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
        QString name;
        if (IsHoliday(DateToValue(d), name))
            out[d.month() * 100 + d.day()] = name;
    }
    return out;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

} // namespace

TEST(HolidayTable, FirstYearsOfTheLaw)
{
    EXPECT_EQ(NameOf(1948, 1, 1), "元日");
    EXPECT_EQ(NameOf(1948, 1, 15), "成人の日");
    EXPECT_EQ(NameOf(1948, 4, 29), "天皇誕生日");
    EXPECT_EQ(NameOf(1948, 5, 3), "憲法記念日");
    EXPECT_EQ(NameOf(1947, 11, 3), "");
    EXPECT_FALSE(IsHoliday(D(1947, 1, 1)));
    EXPECT_EQ(NameOf(1966, 2, 11), "");
    EXPECT_EQ(NameOf(1967, 2, 11), "建国記念の日");
    EXPECT_EQ(NameOf(1948, 3, 20), ""); // the vernal equinox day starts in 1949
    EXPECT_EQ(NameOf(1949, 3, 21), "春分の日");
}

TEST(HolidayTable, HappyMondaysAndEquinoxes)
{
    EXPECT_EQ(NameOf(2025, 1, 13), "成人の日");
    EXPECT_EQ(NameOf(2000, 1, 15), "");
    EXPECT_EQ(NameOf(2025, 3, 20), "春分の日");
    EXPECT_EQ(NameOf(2023, 3, 21), "春分の日");
    EXPECT_EQ(NameOf(1979, 9, 24), "秋分の日");
    EXPECT_EQ(NameOf(1979, 9, 23), "");
    EXPECT_EQ(NameOf(2024, 9, 22), "秋分の日");
    EXPECT_EQ(NameOf(2025, 9, 23), "秋分の日");
    EXPECT_EQ(NameOf(2019, 10, 14), "体育の日");
    EXPECT_EQ(NameOf(2022, 10, 10), "スポーツの日");
}

TEST(HolidayTable, CeremonialDays)
{
    EXPECT_EQ(NameOf(1989, 2, 24), "昭和天皇の大喪の礼");
    EXPECT_EQ(NameOf(1959, 4, 10), "皇太子明仁親王の結婚の儀");
    EXPECT_EQ(NameOf(1993, 6, 9), "皇太子徳仁親王の結婚の儀");
    EXPECT_EQ(NameOf(2019, 5, 1), "天皇の即位");
    EXPECT_EQ(NameOf(2019, 10, 22), "即位礼正殿の儀");
    EXPECT_EQ(NameOf(1990, 11, 12), "即位礼正殿の儀");
    EXPECT_EQ(NameOf(2018, 12, 23), "天皇誕生日");
    EXPECT_EQ(NameOf(2019, 12, 23), "");
    EXPECT_EQ(NameOf(2020, 2, 23), "天皇誕生日");
}

TEST(HolidayTable, OlympicYears)
{
    EXPECT_EQ(NameOf(2020, 7, 23), "海の日");
    EXPECT_EQ(NameOf(2020, 7, 24), "スポーツの日");
    EXPECT_EQ(NameOf(2020, 8, 10), "山の日");
    EXPECT_EQ(NameOf(2020, 8, 11), "");
    EXPECT_EQ(NameOf(2020, 7, 20), "");
    EXPECT_EQ(NameOf(2020, 10, 12), "");
    // 2021 moved the three days again.
    EXPECT_EQ(NameOf(2021, 7, 22), "海の日");
    EXPECT_EQ(NameOf(2021, 7, 23), "スポーツの日");
    EXPECT_EQ(NameOf(2021, 8, 8), "山の日");
    EXPECT_EQ(NameOf(2021, 8, 9), "振替休日");
    EXPECT_EQ(NameOf(2021, 7, 19), "");
    EXPECT_EQ(NameOf(2021, 8, 11), "");
    EXPECT_EQ(NameOf(2021, 10, 11), "");
    // And 2022 is back to the rule.
    EXPECT_EQ(NameOf(2022, 7, 18), "海の日");
    EXPECT_EQ(NameOf(2022, 8, 11), "山の日");
}

TEST(HolidayRules, SubstituteAndCitizensHolidays)
{
    EXPECT_EQ(NameOf(1973, 4, 30), "振替休日");
    EXPECT_EQ(NameOf(2003, 5, 6), "");
    EXPECT_EQ(NameOf(2008, 5, 6), "振替休日");
    EXPECT_EQ(NameOf(2015, 5, 6), "振替休日");
    EXPECT_EQ(NameOf(1988, 5, 4), "国民の休日");
    EXPECT_EQ(NameOf(2006, 5, 4), "国民の休日");
    EXPECT_EQ(NameOf(2019, 4, 30), "国民の休日");
    EXPECT_EQ(NameOf(2019, 5, 2), "国民の休日");
    EXPECT_EQ(NameOf(2009, 9, 22), "国民の休日");
    EXPECT_EQ(NameOf(2026, 9, 22), "国民の休日");
    EXPECT_EQ(NameOf(2007, 5, 4), "みどりの日");
    QString name = "unset";
    EXPECT_FALSE(IsNationalHoliday(D(2008, 5, 6), name));
    EXPECT_EQ(name, "");
}

// Whole years, as the Cabinet Office publishes them.
TEST(HolidayRules, WholeYears)
{
    const std::map<int, QString> y2019 = {
        {101, "元日"}, {114, "成人の日"}, {211, "建国記念の日"}, {321, "春分の日"}, {429, "昭和の日"},
        {430, "国民の休日"}, {501, "天皇の即位"}, {502, "国民の休日"}, {503, "憲法記念日"}, {504, "みどりの日"},
        {505, "こどもの日"}, {506, "振替休日"}, {715, "海の日"}, {811, "山の日"}, {812, "振替休日"},
        {916, "敬老の日"}, {923, "秋分の日"}, {1014, "体育の日"}, {1022, "即位礼正殿の儀"}, {1103, "文化の日"},
        {1104, "振替休日"}, {1123, "勤労感謝の日"}};
    EXPECT_EQ(HolidaysOf(2019), y2019);
    const std::map<int, QString> y2021 = {
        {101, "元日"}, {111, "成人の日"}, {211, "建国記念の日"}, {223, "天皇誕生日"}, {320, "春分の日"},
        {429, "昭和の日"}, {503, "憲法記念日"}, {504, "みどりの日"}, {505, "こどもの日"}, {722, "海の日"},
        {723, "スポーツの日"}, {808, "山の日"}, {809, "振替休日"}, {920, "敬老の日"}, {923, "秋分の日"},
        {1103, "文化の日"}, {1123, "勤労感謝の日"}};
    EXPECT_EQ(HolidaysOf(2021), y2021);
    const std::map<int, QString> y2025 = {
        {101, "元日"}, {113, "成人の日"}, {211, "建国記念の日"}, {223, "天皇誕生日"}, {224, "振替休日"},
        {320, "春分の日"}, {429, "昭和の日"}, {503, "憲法記念日"}, {504, "みどりの日"}, {505, "こどもの日"},
        {506, "振替休日"}, {721, "海の日"}, {811, "山の日"}, {915, "敬老の日"}, {923, "秋分の日"},
        {1013, "スポーツの日"}, {1103, "文化の日"}, {1123, "勤労感謝の日"}, {1124, "振替休日"}};
    EXPECT_EQ(HolidaysOf(2025), y2025);
}

// Since May 2008 a national holiday on a Sunday moves to the first following
// day that is no national holiday.
TEST(HolidayRules, EverySundayHolidayIsMadeUpFor)
{
    for (QDate d(2008, 5, 6); d.year() <= 2099; d = d.addDays(1)) {
        if (d.dayOfWeek() != 7 || !IsNationalHoliday(DateToValue(d)))
            continue;
        QDate next = d.addDays(1);
        while (IsNationalHoliday(DateToValue(next)))
            next = next.addDays(1);
        EXPECT_EQ(NameOf(next.year(), next.month(), next.day()), "振替休日") << d.toString(Qt::ISODate).toStdString();
    }
}

TEST(HolidayRules, NoHolidayBeforeTheLawOrOutsideTheCalendar)
{
    for (QDate d(1900, 1, 1); d.year() < 1948; d = d.addDays(1))
        ASSERT_FALSE(IsHoliday(DateToValue(d))) << d.toString(Qt::ISODate).toStdString();
    QString name = "unset";
    EXPECT_FALSE(IsHoliday(std::nan(""), name));
    EXPECT_EQ(name, "");
    EXPECT_FALSE(IsHoliday(1e12));
    EXPECT_FALSE(IsHoliday(-1e12));
    EXPECT_TRUE(IsHoliday(D(9999, 1, 1)));
}

TEST(HolidayHelpers, NthWeekday)
{
    EXPECT_EQ(NthWeekday(2025, 1, 2, 2), D(2025, 1, 13));
    EXPECT_EQ(NthWeekday(2025, 7, 3, 2), D(2025, 7, 21));
    EXPECT_EQ(NthWeekday(2025, 6, 1, 1), D(2025, 6, 1));  // the 1st is itself a Sunday
    EXPECT_EQ(NthWeekday(2025, 6, 1, 7), D(2025, 6, 7));
    for (int y = 1948; y <= 2099; y += 7)
        for (int m = 1; m <= 12; ++m)
            for (int n = 1; n <= 3; ++n)
                for (int w = 1; w <= 7; ++w) {
                    const QDate d = ValueToDate(NthWeekday(y, m, n, w));
                    ASSERT_EQ(d.month(), m);
                    ASSERT_EQ(d.dayOfWeek() % 7 + 1, w);
                    ASSERT_EQ((d.day() - 1) / 7, n - 1);
                }
}

TEST(HolidayHelpers, LeapYearCount)
{
    EXPECT_EQ(LeapYearCount(1940, 1940), 1);
    EXPECT_EQ(LeapYearCount(1900, 1900), 0);
    EXPECT_EQ(LeapYearCount(2000, 2000), 1);
    EXPECT_EQ(LeapYearCount(1941, 1943), 0);
    EXPECT_EQ(LeapYearCount(2025, 2024), 0);
    for (int first : {1, 1940, 1999})
        for (int last = first; last < 2500; last += 37) {
            int count = 0;
            for (int y = first; y <= last; ++y)
                count += IsLeap(y);
            ASSERT_EQ(LeapYearCount(first, last), count) << first << ".." << last;
        }
}

// The equinox formulas computed again in exact integer arithmetic.
TEST(HolidayHelpers, EquinoxFormulas)
{
    for (int y = 1949; y <= 2150; ++y) {
        int leaps = 0;
        for (int x = 1940; x <= y; ++x)
            leaps += IsLeap(x);
        const long long k = y - 1940;
        const long long vernal = (k * 2421904 + 211470000 - (leaps - 1) * 10000000LL) / 10000000;
        const long long autumnal = (k * 2421904 + 235412000 - (leaps - 1) * 10000000LL) / 10000000;
        ASSERT_EQ(VernalEquinoxDay(y), D(y, 3, int(vernal))) << y;
        ASSERT_EQ(AutumnalEquinoxDay(y), D(y, 9, y == 1979 ? 24 : int(autumnal))) << y;
    }
    // Published days.
    EXPECT_EQ(VernalEquinoxDay(2024), D(2024, 3, 20));
    EXPECT_EQ(VernalEquinoxDay(2023), D(2023, 3, 21));
    EXPECT_EQ(AutumnalEquinoxDay(2012), D(2012, 9, 22));
    EXPECT_EQ(AutumnalEquinoxDay(2025), D(2025, 9, 23));
}
