// Month titles in the seven styles, the era table and the live samples.
#include "month_titles.h"

#include <gtest/gtest.h>

namespace tamarie {
namespace {

QString U(const char *s)
{
    return QString::fromUtf8(s);
}

QString Era(int y, int m)
{
    return MonthTitleText(6, y, m);
}

TEST(MonthTitles, EraBoundariesAreWholeMonths)
{
    EXPECT_EQ(Era(2019, 5), U("令和1年5月"));
    EXPECT_EQ(Era(2019, 4), U("平成31年4月"));
    EXPECT_EQ(Era(1989, 1), U("平成1年1月"));
    EXPECT_EQ(Era(1988, 12), U("昭和63年12月"));
    EXPECT_EQ(Era(1926, 12), U("昭和1年12月"));
    EXPECT_EQ(Era(1926, 11), U("大正15年11月"));
    EXPECT_EQ(Era(1912, 7), U("大正1年7月"));
    EXPECT_EQ(Era(1912, 6), U("明治45年6月"));
    EXPECT_EQ(Era(1868, 1), U("明治1年1月"));
    EXPECT_EQ(Era(1867, 12), U("12月"));
    EXPECT_EQ(Era(2025, 3), U("令和7年3月"));
}

TEST(MonthTitles, GetEraYearOfDates)
{
    // The era changed on 1 May 2019; the whole month counts as the new era,
    // and so does every day of it.
    EXPECT_EQ(GetEraYear(QDate(2019, 5, 31)), U("令和1年"));
    EXPECT_EQ(GetEraYear(QDate(2019, 4, 30)), U("平成31年"));
    EXPECT_EQ(GetEraYear(QDate(1926, 12, 25)), U("昭和1年"));
    EXPECT_EQ(GetEraYear(QDate(1868, 1, 1)), U("明治1年"));
    EXPECT_EQ(GetEraYear(QDate(1867, 12, 31)), QString());
    EXPECT_EQ(GetEraYear(DateToValue(QDate(1989, 1, 1))), U("平成1年"));
    EXPECT_EQ(GetEraYear(QDate()), QString());
    EXPECT_EQ(GetEraYear(1e15), QString());
}

TEST(MonthTitles, EraStartDatesNewestFirst)
{
    const auto dates = EraStartDates();
    EXPECT_EQ(dates[0], QDate(2019, 5, 1));
    EXPECT_EQ(dates[1], QDate(1989, 1, 1));
    EXPECT_EQ(dates[2], QDate(1926, 12, 1));
    EXPECT_EQ(dates[3], QDate(1912, 7, 1));
    EXPECT_EQ(dates[4], QDate(1868, 1, 1));
    EXPECT_EQ(U(EraTable()[0].Name), U("令和"));
    EXPECT_EQ(U(EraTable()[4].Name), U("明治"));
}

// Every month from 1868 to 2100: the era year counted from the table agrees
// with the one counted from the first day of the month.
TEST(MonthTitles, EraOfMonthMatchesEraOfItsFirstDay)
{
    for (int y = 1860; y <= 2100; ++y)
        for (int m = 1; m <= 12; ++m)
            ASSERT_EQ(EraYearOfMonth(y, m), GetEraYear(QDate(y, m, 1))) << y << "-" << m;
}

TEST(MonthTitles, SevenStyles)
{
    EXPECT_EQ(MonthTitleText(0, 2024, 5), U("2024年5月"));
    EXPECT_EQ(MonthTitleText(1, 2025, 3), U("2025/3"));
    EXPECT_EQ(MonthTitleText(2, 2025, 3), U("3月"));
    EXPECT_EQ(MonthTitleText(3, 2025, 12), U("12"));
    EXPECT_EQ(MonthTitleText(4, 2025, 3), U("March 2025"));
    EXPECT_EQ(MonthTitleText(5, 2025, 9), U("September"));
    EXPECT_EQ(MonthTitleText(6, 2025, 3), U("令和7年3月"));
    EXPECT_EQ(MonthTitleText(-1, 2024, 5), U("2024年5月"));
}

TEST(MonthTitles, EnglishNames)
{
    EXPECT_EQ(EnglishMonthName(1), U("January"));
    EXPECT_EQ(EnglishMonthName(5), U("May"));
    EXPECT_EQ(EnglishMonthName(12), U("December"));
    EXPECT_TRUE(EnglishMonthName(0).isEmpty());
    EXPECT_TRUE(EnglishMonthName(13).isEmpty());
}

TEST(MonthTitles, DesignCaptions)
{
    const QStringList c = MonthStyleCaptions();
    ASSERT_EQ(c.size(), kMonthStyleCount);
    EXPECT_EQ(c[0], U("yyyy年m月"));
    EXPECT_EQ(c[4], U("英語(年あり)"));
    EXPECT_EQ(c[6], U("和暦"));
}

TEST(MonthSamples, FollowTheTypedText)
{
    ASSERT_TRUE(MonthSampleInputAccepted(U("2024"), U("05")));
    const QStringList s = MonthStyleSamples(U("2024"), U("05"));
    ASSERT_EQ(s.size(), 7);
    EXPECT_EQ(s[0], U("\"2024年05月\""));
    EXPECT_EQ(s[1], U("\"2024/05\""));
    EXPECT_EQ(s[2], U("\"05月\""));
    EXPECT_EQ(s[3], U("\"05\""));
    EXPECT_EQ(s[4], U("\"May 2024\""));
    EXPECT_EQ(s[5], U("\"May\""));
    EXPECT_EQ(s[6], U("\"令和6年05月\""));
    // A calendar for that month is titled without the leading zero.
    EXPECT_EQ(MonthTitleText(0, 2024, 5), U("2024年5月"));
}

TEST(MonthSamples, PlainInput)
{
    const QStringList s = MonthStyleSamples(U("2024"), U("5"));
    EXPECT_EQ(s[0], U("\"2024年5月\""));
    EXPECT_EQ(s[6], U("\"令和6年5月\""));
}

TEST(MonthSamples, RejectedInput)
{
    EXPECT_FALSE(MonthSampleInputAccepted(QString(), U("5")));
    EXPECT_FALSE(MonthSampleInputAccepted(U("2024"), QString()));
    EXPECT_FALSE(MonthSampleInputAccepted(U("0"), U("5")));
    EXPECT_FALSE(MonthSampleInputAccepted(U("2024"), U("0")));
    EXPECT_FALSE(MonthSampleInputAccepted(U("2024"), U("13")));
    EXPECT_FALSE(MonthSampleInputAccepted(U("20x4"), U("5")));
    EXPECT_FALSE(MonthSampleInputAccepted(U("99999999999999999999"), U("5")));
    EXPECT_TRUE(MonthSampleInputAccepted(U("1"), U("12")));
}

TEST(MonthSamples, YearsBeyondTheCalendarStillGiveAnEra)
{
    ASSERT_TRUE(MonthSampleInputAccepted(U("12345"), U("1")));
    const QStringList s = MonthStyleSamples(U("12345"), U("1"));
    EXPECT_EQ(s[0], U("\"12345年1月\""));
    EXPECT_EQ(s[6], U("\"令和10327年1月\""));
    // Before the first era only the month remains.
    EXPECT_EQ(MonthStyleSamples(U("1500"), U("3"))[6], U("\"3月\""));
}

} // namespace
} // namespace tamarie
