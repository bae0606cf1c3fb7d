// The month grid widget: date, current cell, notifications, clicks, sizes
// and the painting hook, headless.
#include "calendar/month_grid.h"

#include <QTest>
#include <gtest/gtest.h>

namespace tamarie {
namespace {

TDateValue D(int y, int m, int d)
{
    return DateToValue(QDate(y, m, d));
}

// Counts change notifications and click notifications.
struct Counter {
    int changes = 0;
    int clicks = 0;
    int doubleClicks = 0;
    void Wire(TCalendar &grid)
    {
        grid.OnChange = [this](QObject *) { ++changes; };
        grid.OnClick = [this](QObject *) { ++clicks; };
        grid.OnDblClick = [this](QObject *) { ++doubleClicks; };
    }
};

TEST(MonthGrid, CreatedOnToday)
{
    TCalendar grid;
    const QDate today = QDate::currentDate();
    EXPECT_EQ(grid.CalendarDate(), DateToValue(today));
    EXPECT_TRUE(grid.UseCurrentDate());
    EXPECT_EQ(grid.Year(), today.year());
    EXPECT_EQ(grid.Month(), today.month());
    EXPECT_EQ(grid.Day(), today.day());
    EXPECT_EQ(grid.GetCellText(grid.Col(), grid.Row()), QString::number(today.day()));
    EXPECT_EQ(grid.ColCount(), 7);
    EXPECT_EQ(grid.RowCount(), 7);
}

TEST(MonthGrid, WritingCalendarDateMovesTheCurrentCell)
{
    TCalendar grid;
    Counter n;
    n.Wire(grid);
    grid.SetCalendarDate(D(2025, 3, 15));
    EXPECT_EQ(grid.MonthOffset(), -5);
    EXPECT_EQ(grid.Col(), 6);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(n.changes, 1);
    // The write keeps UseCurrentDate as it was.
    EXPECT_TRUE(grid.UseCurrentDate());
    EXPECT_EQ(grid.CellText(6, 1), QStringLiteral("1"));
}

TEST(MonthGrid, CurrentCellForEveryFirstWeekday)
{
    TCalendar grid;
    grid.SetCalendarDate(D(2025, 6, 30));
    for (int start = 0; start < 7; ++start) {
        grid.SetStartOfWeek(start);
        EXPECT_EQ(grid.GetCellText(grid.Col(), grid.Row()), QStringLiteral("30")) << start;
        // 30 June 2025 is a Monday.
        EXPECT_EQ((grid.Col() + start) % 7, 1) << start;
        EXPECT_EQ(grid.GetCellText(0, 0), WeekdayShortName(start));
    }
}

TEST(MonthGrid, StartOfWeekWritesOnlyChanges)
{
    TCalendar grid;
    grid.SetCalendarDate(D(2025, 3, 1));
    grid.SetStartOfWeek(1);
    EXPECT_EQ(grid.MonthOffset(), -4);
    EXPECT_EQ(grid.Col(), 5);
    grid.SetStartOfWeek(9); // not a weekday
    EXPECT_EQ(grid.StartOfWeek(), 1);
}

TEST(MonthGrid, DayWrites)
{
    TCalendar grid;
    grid.SetCalendarDate(D(2025, 6, 10));
    Counter n;
    n.Wire(grid);
    grid.SetDay(10); // same day: nothing
    EXPECT_EQ(n.changes, 0);
    grid.SetDay(31); // June has 30 days
    EXPECT_EQ(grid.Day(), 10);
    EXPECT_EQ(n.changes, 0);
    grid.SetDay(0);
    EXPECT_EQ(grid.Day(), 10);
    grid.SetDay(30);
    EXPECT_EQ(grid.Day(), 30);
    EXPECT_EQ(n.changes, 1);
    EXPECT_FALSE(grid.UseCurrentDate());
    EXPECT_EQ(grid.CalendarDate(), D(2025, 6, 30));
    EXPECT_EQ(grid.GetCellText(grid.Col(), grid.Row()), QStringLiteral("30"));
}

TEST(MonthGrid, MonthAndYearWrites)
{
    TCalendar grid;
    grid.SetCalendarDate(D(2024, 1, 31));
    Counter n;
    n.Wire(grid);
    grid.SetMonth(13);
    grid.SetMonth(0);
    grid.SetMonth(1);
    EXPECT_EQ(n.changes, 0);
    // 31 February does not exist: the last day of February is taken.
    grid.SetMonth(2);
    EXPECT_EQ(grid.CalendarDate(), D(2024, 2, 29));
    grid.SetYear(2023);
    EXPECT_EQ(grid.CalendarDate(), D(2023, 2, 28));
    EXPECT_EQ(n.changes, 2);
    grid.SetYear(0);
    grid.SetYear(2023);
    grid.SetYear(10000); // beyond what a date value holds
    EXPECT_EQ(grid.CalendarDate(), D(2023, 2, 28));
    EXPECT_EQ(n.changes, 2);
}

TEST(MonthGrid, UseCurrentDateReturnsToToday)
{
    TCalendar grid;
    grid.SetDay(grid.Day() == 1 ? 2 : 1);
    EXPECT_FALSE(grid.UseCurrentDate());
    grid.SetUseCurrentDate(true);
    EXPECT_EQ(grid.CalendarDate(), DateToValue(QDate::currentDate()));
}

TEST(MonthGrid, AbsurdDateShowsAnEmptyMonth)
{
    TCalendar grid;
    grid.SetCalendarDate(1e12);
    EXPECT_EQ(grid.Year(), 0);
    EXPECT_EQ(grid.DaysThisMonth(), 0);
    EXPECT_EQ(grid.Col(), -1);
    for (int row = 1; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            EXPECT_TRUE(grid.GetCellText(col, row).isEmpty());
    grid.SetDay(3); // ignored, no crash
    grid.SetCalendarDate(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(grid.Day(), 0);
    grid.SetCalendarDate(D(2025, 6, 1));
    EXPECT_EQ(grid.Col(), 0);
}

TEST(MonthGrid, CellSizesFollowResize)
{
    TCalendar grid;
    grid.SetGridLineWidth(0);
    grid.resize(219, 170);
    EXPECT_EQ(grid.DefaultColWidth(), 31);
    EXPECT_EQ(grid.DefaultRowHeight(), 24);
    EXPECT_EQ(grid.CellRect(6, 6), QRect(186, 144, 31, 24));
    int col = 0, row = 0;
    grid.MouseToCell(217, 100, col, row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
    grid.MouseToCell(100, 100, col, row);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 4);
    grid.resize(70, 70);
    EXPECT_EQ(grid.DefaultColWidth(), 10);
}

TEST(MonthGrid, ClickMakesTheDayTheDate)
{
    TplCalendarFormCalendar grid;
    grid.SetGridLineWidth(0);
    grid.resize(219, 170);
    grid.SetCalendarDate(D(2025, 6, 1));
    Counter n;
    n.Wire(grid);
    // Day 18 of June 2025 (start Sunday): column 3, row 3.
    const QRect r = grid.CellRect(3, 3);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, r.center());
    EXPECT_EQ(grid.CalendarDate(), D(2025, 6, 18));
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(n.changes, 1);
    EXPECT_EQ(n.clicks, 1);
    // Clicking the same day again raises no change.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, r.center());
    EXPECT_EQ(n.changes, 1);
    EXPECT_EQ(n.clicks, 2);
}

TEST(MonthGrid, CellsOutsideTheMonthCannotBecomeCurrent)
{
    TplCalendarFormCalendar grid;
    grid.SetGridLineWidth(0);
    grid.resize(219, 170);
    grid.SetCalendarDate(D(2025, 6, 5));
    Counter n;
    n.Wire(grid);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.CellRect(2, 6).center()); // empty row 6
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.CellRect(2, 0).center()); // header
    EXPECT_EQ(grid.CalendarDate(), D(2025, 6, 5));
    EXPECT_EQ(n.changes, 0);
    EXPECT_EQ(grid.GetCellText(grid.Col(), grid.Row()), QStringLiteral("5"));
}

TEST(MonthGrid, ReadOnlyGridStillFollowsItsDate)
{
    TplCalendarFormCalendar grid;
    grid.SetGridLineWidth(0);
    grid.resize(219, 170);
    grid.SetCalendarDate(D(2025, 6, 5));
    grid.SetReadOnly(true);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.CellRect(3, 3).center());
    EXPECT_EQ(grid.Day(), 5);
    grid.SetCalendarDate(D(2025, 6, 18));
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 3);
}

TEST(MonthGrid, DoubleClickIsReported)
{
    TplCalendarFormCalendar grid;
    grid.SetGridLineWidth(0);
    grid.resize(219, 170);
    grid.SetCalendarDate(D(2025, 6, 5));
    Counter n;
    n.Wire(grid);
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, grid.CellRect(4, 2).center());
    EXPECT_EQ(n.doubleClicks, 1);
    EXPECT_EQ(grid.Day(), 12);
}

TEST(MonthGrid, ArrowKeysWalkThroughDays)
{
    TplCalendarFormCalendar grid;
    grid.resize(219, 170);
    grid.SetCalendarDate(D(2025, 6, 1)); // column 0, row 1
    QTest::keyClick(&grid, Qt::Key_Left);  // leaves the grid: stays
    EXPECT_EQ(grid.Day(), 1);
    QTest::keyClick(&grid, Qt::Key_Up); // header: stays
    EXPECT_EQ(grid.Day(), 1);
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.Day(), 2);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Day(), 9);
}

TEST(MonthGrid, CellDateOfDayCells)
{
    TCalendar grid;
    grid.SetCalendarDate(D(2025, 3, 15));
    EXPECT_EQ(grid.CellDate(6, 1), D(2025, 3, 1));
    EXPECT_EQ(grid.CellDate(1, 6), D(2025, 3, 31));
    EXPECT_EQ(grid.CellDate(0, 1), 0);
    EXPECT_EQ(grid.CellDate(3, 0), 0);
}

} // namespace
} // namespace tamarie
