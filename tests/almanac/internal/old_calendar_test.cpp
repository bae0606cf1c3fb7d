// Year tables of the old calendar, their cache, and the principal-term search.
#include <gtest/gtest.h>

#include <QDate>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "almanac.h"
#include "almanac_state.h"
#include "checked_numbers.h"
#include "day_counts.h"
#include "ephemeris.h"
#include "old_calendar.h"
#include "old_calendar_cache.h"

namespace almanac {
namespace {

long long DayNumberOf(int y, int m, int d) { return TruncToInt64(CivilToDays(y, m, d).EpochDay); }

bool SameTables(const OldCalendarYear &a, const OldCalendarYear &b) {
    return a.year == b.year && a.monthStartCount == b.monthStartCount &&
           a.numberedByAnchors == b.numberedByAnchors &&
           std::equal(std::begin(a.PrincipalTermDays), std::end(a.PrincipalTermDays), std::begin(b.PrincipalTermDays)) &&
           std::equal(std::begin(a.MonthStartDays), std::end(a.MonthStartDays), std::begin(b.MonthStartDays)) &&
           std::equal(std::begin(a.MonthNumbers), std::end(a.MonthNumbers), std::begin(b.MonthNumbers));
}

struct Exported {
    int month, day, rokuyo;
    bool operator==(const Exported &) const = default;
};

Exported ViaExports(const QDate &date) {
    int solarMonth = 0;
    SetdataDll(0.0, 0.0, 0.0, date.year(), date.month(), date.day(), &solarMonth);
    Exported e{-99, -99, -99};
    RokuyoDll(&e.month, &e.day, &e.rokuyo);
    return e;
}

TEST(TermDayOfMonth, DayDuringWhichTheLongitudeIsReached) {
    // The sun passes 315 degrees during 2019-02-04 (314.48 at its start).
    const double E = CivilToDays(2019, 2, 1).EpochDay;
    EXPECT_EQ(TermDayOfMonth(2, 1, 315.0, E), 4);
    // March is searched raw: the vernal equinox is 360, reached during 2000-03-20.
    EXPECT_EQ(TermDayOfMonth(3, 17, 360.0, CivilToDays(2000, 3, 17).EpochDay), 20);
    // Not reached within ten midnights.
    EXPECT_EQ(TermDayOfMonth(6, 1, 90.0, CivilToDays(2000, 5, 1).EpochDay), 9);
}

TEST(OldCalendarYear, TablesOf2017) {
    OldCalendarYear t;
    BuildOldCalendarYear(2017, t);
    EXPECT_FALSE(t.numberedByAnchors);
    // Principal terms are in order and about a month apart.
    for (int i = 1; i < kPrincipalTermCount; ++i) {
        const long long gap = t.PrincipalTermDays[i] - t.PrincipalTermDays[i - 1];
        EXPECT_GE(gap, 29);
        EXPECT_LE(gap, 32);
    }
    // The winter solstice of 2017 fell on 22 December, the vernal equinox on 20 March.
    EXPECT_EQ(t.PrincipalTermDays[13], DayNumberOf(2017, 12, 22));
    EXPECT_EQ(t.PrincipalTermDays[4], DayNumberOf(2017, 3, 20));
    // New moons 29 or 30 days apart; 28 January 2017 among them.
    ASSERT_GE(t.monthStartCount, 18);
    for (int j = 1; j < t.monthStartCount; ++j) {
        const long long gap = t.MonthStartDays[j] - t.MonthStartDays[j - 1];
        EXPECT_TRUE(gap == 29 || gap == 30) << j;
    }
    EXPECT_NE(std::find(t.MonthStartDays, t.MonthStartDays + t.monthStartCount, DayNumberOf(2017, 1, 28)),
              t.MonthStartDays + t.monthStartCount);
}

TEST(OldCalendarYear, AnchorRuleOnlyFor1965And2053Between1901And2099) {
    for (int year = 1901; year <= 2099; ++year) {
        OldCalendarYear t;
        BuildOldCalendarYear(year, t);
        EXPECT_EQ(t.numberedByAnchors, year == 1965 || year == 2053) << year;
    }
}

TEST(OldCalendarYear, FixedCorrectionOf1975) {
    OldCalendarYear t;
    BuildOldCalendarYear(1975, t);
    EXPECT_EQ(t.MonthStartDays[1], -18);
    const int expected[] = {10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), t.MonthNumbers));
}

TEST(OldCalendarYear, RokuyoIndexKeepsTheSignOfTheDividend) {
    EXPECT_EQ(RokuyoIndex(1, 1), 0);
    EXPECT_EQ(RokuyoIndex(-5, 1), 4);
    EXPECT_EQ(RokuyoIndex(12, 30), 4);
    EXPECT_EQ(RokuyoIndex(0, 1), -1);  // an unnumbered month has no rokuyo
}

// The cache must answer exactly as fresh tables do, whatever order years are
// asked in and however often they are evicted.
TEST(OldCalendarCache, AnswersEqualFreshTablesFor1901To2099) {
    std::vector<int> years;
    for (int y = 1901; y <= 2099; ++y) years.push_back(y);
    std::mt19937 random(20260901);
    std::shuffle(years.begin(), years.end(), random);
    std::uniform_int_distribution<int> otherYear(1901, 2099);

    ClearOldCalendarCache();
    int mismatches = 0;
    for (int year : years) {
        OldCalendarYear fresh;
        BuildOldCalendarYear(year, fresh);
        for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1)) {
            const OldCalendarDate expected =
                LookUpOldCalendar(fresh, DayNumberOf(date.year(), date.month(), date.day()));
            const Exported got = ViaExports(date);
            if (got != Exported{expected.month, static_cast<int>(expected.day), expected.rokuyo}) {
                if (++mismatches < 10) ADD_FAILURE() << date.toString(Qt::ISODate).toStdString();
            }
            // Now and then ask another year, so tables are evicted and rebuilt.
            if (date.day() == 15) ViaExports(QDate(otherYear(random), 6, 1));
        }
        EXPECT_TRUE(SameTables(OldCalendarYearOf(year), fresh)) << year;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(OldCalendarCache, ExportsGiveTheSameAnswerAfterClearing) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> dayOfYear(0, 364);
    for (int year = 1901; year <= 2099; year += 3) {
        const QDate date = QDate(year, 1, 1).addDays(dayOfYear(random));
        const Exported warm = ViaExports(date);
        ClearOldCalendarCache();
        EXPECT_EQ(ViaExports(date), warm) << date.toString(Qt::ISODate).toStdString();
    }
}

TEST(OldCalendarCache, RokuyoKeepsTheSetDateAndDayCounts) {
    int solarMonth = 0;
    SetdataDll(35.0, 139.0, 10.0, 2024, 7, 7, &solarMonth);
    const AlmanacState before = State();
    ClearOldCalendarCache();
    int m = 0, d = 0, r = 0;
    RokuyoDll(&m, &d, &r);
    EXPECT_EQ(State().EpochDay, before.EpochDay);
    EXPECT_EQ(State().J1900Day, before.J1900Day);
    EXPECT_EQ(State().year, 2024);
    EXPECT_EQ(State().month, 7);
    EXPECT_EQ(State().day, 7);
    EXPECT_EQ(State().latitude, before.latitude);
    EXPECT_EQ(State().oldMonth, m);
    EXPECT_EQ(State().oldDay, d);
    EXPECT_EQ(State().rokuyo, r);
}

}  // namespace
}  // namespace almanac
