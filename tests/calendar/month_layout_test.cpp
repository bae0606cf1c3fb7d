// The month layout without a display: offsets, day positions, cell texts,
// cell sizes and hit testing.
#include "calendar/month_layout.h"

#include <QDate>
#include <gtest/gtest.h>

namespace tamarie {
namespace {

QString U(const char *s)
{
    return QString::fromUtf8(s);
}

TEST(MonthLayout, JuneFirstSundayWeekStartingSunday)
{
    // 1 June 2025 is a Sunday.
    const int off = MonthOffsetFor(2025, 6, 0);
    EXPECT_EQ(off, 1);
    EXPECT_EQ(DayCellPos(1, off), (TCellPos{0, 1}));
    EXPECT_EQ(DayCellPos(30, off), (TCellPos{1, 5}));
    for (int col = 0; col < 7; ++col)
        EXPECT_TRUE(CellTextFor(col, 6, 0, off, 30).isEmpty()) << col;
}

TEST(MonthLayout, MarchFirstSaturdayWeekStartingSunday)
{
    const int off = MonthOffsetFor(2025, 3, 0);
    EXPECT_EQ(off, -5);
    EXPECT_EQ(DayCellPos(1, off), (TCellPos{6, 1}));
    EXPECT_EQ(DayCellPos(31, off), (TCellPos{1, 6}));
    EXPECT_EQ(CellTextFor(6, 1, 0, off, 31), U("1"));
    EXPECT_EQ(CellTextFor(1, 6, 0, off, 31), U("31"));
    EXPECT_TRUE(CellTextFor(5, 1, 0, off, 31).isEmpty());
    EXPECT_TRUE(CellTextFor(2, 6, 0, off, 31).isEmpty());
}

TEST(MonthLayout, MarchWeekStartingMonday)
{
    const int off = MonthOffsetFor(2025, 3, 1);
    EXPECT_EQ(off, -4);
    EXPECT_EQ(DayCellPos(1, off), (TCellPos{5, 1}));
}

TEST(MonthLayout, FebruaryFillsExactlyFourRows)
{
    // 1 February 2026 is a Sunday; 28 days fill rows 1 to 4.
    const int days = DaysInMonthOf(2026, 2);
    ASSERT_EQ(days, 28);
    const int off = MonthOffsetFor(2026, 2, 0);
    for (int row = 1; row <= 6; ++row)
        for (int col = 0; col < 7; ++col)
            EXPECT_EQ(CellTextFor(col, row, 0, off, days).isEmpty(), row >= 5) << col << "," << row;
}

TEST(MonthLayout, LeapFebruaryHas29DayCells)
{
    const int days = DaysInMonthOf(2024, 2);
    const int off = MonthOffsetFor(2024, 2, 0);
    int count = 0;
    for (int row = 1; row <= 6; ++row)
        for (int col = 0; col < 7; ++col)
            count += CellDayNumber(col, row, off, days) != 0;
    EXPECT_EQ(count, 29);
}

TEST(MonthLayout, HeaderFollowsFirstWeekday)
{
    EXPECT_EQ(CellTextFor(0, 0, 3, 1, 30), U("水"));
    EXPECT_EQ(CellTextFor(6, 0, 3, 1, 30), U("火"));
    const char *const names[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int col = 0; col < 7; ++col)
        EXPECT_EQ(CellTextFor(col, 0, 0, 1, 30), U(names[col]));
}

TEST(MonthLayout, DaysInMonthAndLeapYears)
{
    const int expected[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(DaysInMonthOf(2023, m), expected[m - 1]) << m;
    EXPECT_TRUE(IsLeapYearValue(2000));
    EXPECT_TRUE(IsLeapYearValue(2024));
    EXPECT_FALSE(IsLeapYearValue(1900));
    EXPECT_FALSE(IsLeapYearValue(2100));
    EXPECT_FALSE(IsLeapYearValue(2023));
    EXPECT_EQ(DaysInMonthOf(1900, 2), 28);
    EXPECT_EQ(DaysInMonthOf(2000, 2), 29);
    EXPECT_EQ(DaysInMonthOf(2024, 0), 0);
    EXPECT_EQ(DaysInMonthOf(2024, 13), 0);
}

// Every day of every month from 1890 to 2110, for every first weekday, stands
// in the column of its weekday, and the days run on in reading order from row 1.
TEST(MonthLayout, EveryDayStandsUnderItsWeekday)
{
    for (int year = 1890; year <= 2110; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const int days = QDate(year, month, 1).daysInMonth();
            ASSERT_EQ(DaysInMonthOf(year, month), days);
            for (int start = 0; start < 7; ++start) {
                const int off = MonthOffsetFor(year, month, start);
                ASSERT_GE(off, -5);
                ASSERT_LE(off, 1);
                for (int d = 1; d <= days; ++d) {
                    const TCellPos p = DayCellPos(d, off);
                    const int weekday = QDate(year, month, d).dayOfWeek() % 7;
                    ASSERT_EQ((p.Col + start) % 7, weekday) << year << "-" << month << "-" << d << " s" << start;
                    ASSERT_EQ(p.Row, (d - 1 + (DayCellPos(1, off).Col)) / 7 + 1);
                    ASSERT_EQ(CellDayNumber(p.Col, p.Row, off, days), d);
                    ASSERT_EQ(CellTextFor(p.Col, p.Row, start, off, days), QString::number(d));
                }
                // The 1st is always in the first day row.
                ASSERT_EQ(DayCellPos(1, off).Row, 1);
            }
        }
    }
}

TEST(MonthLayout, OutsideTheGridIsEmpty)
{
    EXPECT_TRUE(CellTextFor(-1, -1, 0, 1, 30).isEmpty());
    EXPECT_TRUE(CellTextFor(7, 1, 0, 1, 30).isEmpty());
    EXPECT_TRUE(CellTextFor(0, 7, 0, 1, 30).isEmpty());
    EXPECT_EQ(CellDayNumber(0, 0, 1, 30), 0);
    EXPECT_TRUE(WeekdayShortName(7).isEmpty());
    EXPECT_TRUE(WeekdayShortName(-1).isEmpty());
}

TEST(MonthLayout, MonthsQDateCannotHoldLayOutEmpty)
{
    EXPECT_EQ(FirstWeekdayOfMonth(2025, 13), -1);
    const int off = MonthOffsetFor(2025, 13, 0);
    EXPECT_GE(off, -5);
    EXPECT_LE(off, 1);
}

TEST(CellGeometry, SizesFromTheClientArea)
{
    // 219 x 170 without lines: 31 x 24, leaving 2 pixels right and bottom.
    EXPECT_EQ(CellSizeFor(219, 170, 0), (TCellSize{31, 24}));
    EXPECT_EQ(CellSizeFor(219, 170, 1), (TCellSize{(219 - 6) / 7, (170 - 6) / 7}));
    EXPECT_EQ(CellSizeFor(3, 3, 1), (TCellSize{0, 0}));
    EXPECT_EQ(CellSizeFor(-5, 10, 0), (TCellSize{0, 1}));
}

TEST(CellGeometry, HitTestingAndLeftOverPixels)
{
    const TCellSize size = CellSizeFor(219, 170, 0);
    EXPECT_EQ(CellAtPoint(0, 0, size, 0), (TCellPos{0, 0}));
    EXPECT_EQ(CellAtPoint(30, 23, size, 0), (TCellPos{0, 0}));
    EXPECT_EQ(CellAtPoint(31, 24, size, 0), (TCellPos{1, 1}));
    EXPECT_EQ(CellAtPoint(216, 167, size, 0), (TCellPos{6, 6}));
    // The rightmost and bottom two pixels belong to no cell.
    EXPECT_EQ(CellAtPoint(217, 10, size, 0), TCellPos{});
    EXPECT_EQ(CellAtPoint(218, 10, size, 0), TCellPos{});
    EXPECT_EQ(CellAtPoint(10, 168, size, 0), TCellPos{});
    EXPECT_EQ(CellAtPoint(-1, 5, size, 0), TCellPos{});
}

TEST(CellGeometry, GridLinesSeparateCells)
{
    const TCellSize size{10, 8};
    const TCellRect r = CellRectFor(2, 3, size, 1);
    EXPECT_EQ(r.Left, 22);
    EXPECT_EQ(r.Top, 27);
    EXPECT_EQ(r.Right, 32);
    EXPECT_EQ(r.Bottom, 35);
    EXPECT_EQ(CellAtPoint(10, 0, size, 1), TCellPos{}); // on the line
    EXPECT_EQ(CellAtPoint(11, 0, size, 1), (TCellPos{1, 0}));
}

} // namespace
} // namespace tamarie
