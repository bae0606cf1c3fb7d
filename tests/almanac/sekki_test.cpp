// Solar terms of a day (SekkiDll) and the day search of the start of spring
// and the equinoxes (KisetuDll).
#include <gtest/gtest.h>

#include <QDate>
#include <array>
#include <climits>
#include <cmath>
#include <string>

#include "almanac.h"
#include "almanac/sjis_text.h"

using almanac_test::FromCp932;

namespace {

const std::array<std::string, 28> kTermNames = {
    "土用", "立春", "雨水", "啓蟄", "春分", "清明", "穀雨", "立夏", "小満", "芒種",
    "夏至", "小暑", "大暑", "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬",
    "小雪", "大雪", "冬至", "小寒", "大寒", "入梅", "半夏生", "－－",
};

struct Term {
    int code = -1;
    double hour = -1.0;
    double longitude = -1.0;
    std::string name;
};

Term TermOf(int year, int month, int day) {
    int solarMonth = 0;
    SetdataDll(0.0, 0.0, 0.0, year, month, day, &solarMonth);
    Term term;
    term.name = FromCp932(SekkiDll(&term.code, &term.hour, &term.longitude));
    return term;
}

struct WorkedTerm {
    int month, day, code;
    double hour;
};

TEST(SekkiDll, WorkedTermDaysOf2020) {
    const WorkedTerm worked[] = {
        {1, 6, 23, 6.52},  {1, 18, 0, 1.22},  {1, 20, 24, 23.93}, {2, 4, 1, 18.08},
        {3, 20, 4, 12.87}, {4, 16, 0, 22.16}, {6, 10, 25, 19.52}, {6, 21, 10, 6.79},
        {7, 1, 26, 18.39}, {10, 20, 0, 7.66}, {12, 21, 22, 19.06},
    };
    for (const WorkedTerm &w : worked) {
        SCOPED_TRACE(testing::Message() << "2020-" << w.month << "-" << w.day);
        const Term term = TermOf(2020, w.month, w.day);
        EXPECT_EQ(term.code, w.code);
        EXPECT_NEAR(term.hour, w.hour, 0.006);
        EXPECT_EQ(term.name, kTermNames[w.code]);
    }
}

TEST(SekkiDll, StartOfSpring2019AndTheDayAfter) {
    const Term start = TermOf(2019, 2, 4);
    EXPECT_EQ(start.code, 1);
    EXPECT_EQ(start.name, "立春");
    EXPECT_NEAR(start.hour, 12.25, 0.006);
    EXPECT_NEAR(start.longitude, 315.50, 0.01);

    const Term after = TermOf(2019, 2, 5);
    EXPECT_EQ(after.code, 27);
    EXPECT_EQ(after.name, "－－");
    EXPECT_DOUBLE_EQ(after.hour, 99.9);
}

TEST(SekkiDll, VernalEquinoxIsFoundPast360) {
    const Term equinox = TermOf(2000, 3, 20);
    EXPECT_EQ(equinox.code, 4);
    EXPECT_EQ(equinox.name, "春分");
    EXPECT_NEAR(equinox.hour, 16.60, 0.006);
    // Not reduced to a circle.
    EXPECT_NEAR(equinox.longitude, 360.31, 0.01);
}

TEST(SekkiDll, DayCrossingNoWholeDegreeGivesMarker) {
    const Term term = TermOf(2020, 4, 20);
    EXPECT_EQ(term.code, 27);
    EXPECT_DOUBLE_EQ(term.hour, 88.8);
    EXPECT_EQ(term.name, "－－");
}

// In 2021 the sun reached 315 degrees a moment after the midnight that
// starts 4 February and passed 316 before the day ended: the day crossing
// two whole degrees still holds the start of spring.
TEST(SekkiDll, DayCrossingTwoWholeDegreesKeepsItsTerm) {
    const Term before = TermOf(2021, 2, 3);
    EXPECT_EQ(before.code, 27);
    EXPECT_LT(before.longitude, 315.0);
    const Term term = TermOf(2021, 2, 4);
    EXPECT_GT(term.longitude, 316.0);
    EXPECT_EQ(term.code, 1);
    EXPECT_EQ(term.name, "立春");
    EXPECT_GE(term.hour, 0.0);
    EXPECT_LT(term.hour, 0.05);
}

TEST(SekkiDll, EveryTermOnceAndFourDoyoDaysEachYear) {
    for (int year = 1901; year <= 2099; ++year) {
        SCOPED_TRACE(year);
        std::array<int, 28> count{};
        std::array<QDate, 28> lastDay{};
        for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1)) {
            const Term term = TermOf(year, date.month(), date.day());
            ASSERT_GE(term.code, 0);
            ASSERT_LE(term.code, 27);
            ++count[term.code];
            lastDay[term.code] = date;
            if (term.code == 27) {
                EXPECT_TRUE(term.hour == 88.8 || term.hour == 99.9) << term.hour;
            } else {
                EXPECT_GE(term.hour, 0.0);
                EXPECT_LT(term.hour, 24.0);
            }
        }
        EXPECT_EQ(count[0], 4);
        for (int code = 1; code <= 26; ++code) {
            EXPECT_EQ(count[code], 1) << "code " << code;
        }
        // The seasons fall where they must in the Gregorian year.
        EXPECT_EQ(lastDay[1].month(), 2);   // start of spring
        EXPECT_EQ(lastDay[4].month(), 3);   // vernal equinox
        EXPECT_EQ(lastDay[10].month(), 6);  // summer solstice
        EXPECT_EQ(lastDay[16].month(), 9);  // autumnal equinox
        EXPECT_EQ(lastDay[22].month(), 12); // winter solstice
    }
}

TEST(SekkiDll, LongitudeAtDayEndMatchesSolarMonthAndAdvancesADegree) {
    double previous = NAN;
    for (QDate date(2023, 1, 1); date.year() == 2023; date = date.addDays(1)) {
        int solarMonth = 0;
        SetdataDll(0.0, 0.0, 0.0, date.year(), date.month(), date.day(), &solarMonth);
        int code = -1;
        double hour = 0.0;
        double longitude = 0.0;
        SekkiDll(&code, &hour, &longitude);
        // Month 1 starts at 315 degrees, each month spans 30.
        const double reduced = std::fmod(longitude + 360.0, 360.0);
        const int expectedMonth = static_cast<int>(std::fmod(reduced - 315.0 + 360.0, 360.0) / 30.0) + 1;
        EXPECT_EQ(solarMonth, expectedMonth) << date.toString(Qt::ISODate).toStdString();
        if (!std::isnan(previous)) {
            const double step = std::fmod(longitude - previous + 720.0, 360.0);
            EXPECT_GT(step, 0.94);
            EXPECT_LT(step, 1.03);
        }
        previous = longitude;
    }
}

TEST(SekkiDll, NullOutputsAreSkippedAndOthersStillWritten) {
    SetdataDll(0.0, 0.0, 0.0, 2019, 2, 4, nullptr);
    EXPECT_EQ(FromCp932(SekkiDll(nullptr, nullptr, nullptr)), "立春");
    double hour = 0.0;
    EXPECT_EQ(FromCp932(SekkiDll(nullptr, &hour, nullptr)), "立春");
    EXPECT_NEAR(hour, 12.25, 0.006);
}

int Kisetu(int year, int type, double *hour) {
    SetdataDll(0.0, 0.0, 0.0, year, 7, 1, nullptr);
    return KisetuDll(type, hour);
}

TEST(KisetuDll, WorkedDaysAndHours) {
    double hour = 0.0;
    EXPECT_EQ(Kisetu(2019, 1, &hour), 4);
    EXPECT_NEAR(hour, 12.22, 0.006);
    EXPECT_EQ(Kisetu(2019, 2, &hour), 21);
    EXPECT_NEAR(hour, 6.98, 0.006);
    EXPECT_EQ(Kisetu(2019, 3, &hour), 23);
    EXPECT_NEAR(hour, 16.84, 0.006);

    EXPECT_EQ(Kisetu(2000, 1, &hour), 4);
    EXPECT_EQ(Kisetu(2000, 2, &hour), 20);
    EXPECT_EQ(Kisetu(2000, 3, &hour), 23);
}

TEST(KisetuDll, OtherTypesReturnZeroAndWriteNothing) {
    for (int type : {0, 4, -1, 99, INT_MIN, INT_MAX}) {
        double hour = 1234.5;
        EXPECT_EQ(Kisetu(2019, type, &hour), 0) << type;
        EXPECT_EQ(hour, 1234.5) << type;
    }
    EXPECT_EQ(Kisetu(2019, 1, nullptr), 4);
}

TEST(KisetuDll, LeavesTheSetDateAlone) {
    int code = -1;
    double hour = 0.0;
    double longitude = 0.0;
    SetdataDll(0.0, 0.0, 0.0, 2019, 2, 4, nullptr);
    ASSERT_EQ(KisetuDll(3, &hour), 23);
    SekkiDll(&code, &hour, &longitude);
    EXPECT_EQ(code, 1);
    EXPECT_NEAR(hour, 12.25, 0.006);
}

// The day search and the day test take the sun at the same midnights (the
// search with the Delta-T allowance of about 45 seconds); both must place the
// term at the same moment.
TEST(KisetuDll, AgreesWithTheTermDaysOfSekkiDll) {
    const struct {
        int type, month, code;
    } kinds[] = {{1, 2, 1}, {2, 3, 4}, {3, 9, 16}};
    for (int year = 1901; year <= 2099; ++year) {
        for (const auto &kind : kinds) {
            SCOPED_TRACE(testing::Message() << year << " type " << kind.type);
            double searchHour = 0.0;
            const int searchDay = Kisetu(year, kind.type, &searchHour);
            ASSERT_GE(searchDay, 1);
            ASSERT_LE(searchDay, 30);
            int termDay = 0;
            double termHour = 0.0;
            for (int day = searchDay - 1; day <= searchDay + 1; ++day) {
                const Term term = TermOf(year, kind.month, day);
                if (term.code == kind.code) {
                    termDay = day;
                    termHour = term.hour;
                }
            }
            ASSERT_NE(termDay, 0);
            const double searchMoment = searchDay + searchHour / 24.0;
            const double termMoment = termDay + termHour / 24.0;
            EXPECT_NEAR(searchMoment, termMoment, 0.002);
        }
    }
}

TEST(KisetuDll, StartPastTheCrossingGivesTheDayBeforeTheStart) {
    // The day counts take every fourth year as a leap year, so over the
    // centuries the calendar runs ahead of the seasons: by the year 3000 the
    // autumnal equinox of these counts comes before 20 September, and the
    // first midnight of the search is already past 180 degrees.
    double hour = 0.0;
    EXPECT_EQ(Kisetu(3000, 3, &hour), 19);
    // The vernal equinox, sought as 360 degrees, is then met only a year on,
    // within the search's limit of a year of days.
    const int day = Kisetu(3000, 2, &hour);
    EXPECT_GT(day, 18 + 300);
    EXPECT_LE(day, 18 + 365);
    EXPECT_GE(hour, 0.0);
    EXPECT_LT(hour, 24.0);
}

}  // namespace
