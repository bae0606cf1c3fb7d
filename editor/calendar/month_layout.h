#pragma once
// The month layout as plain functions, so that the grid widget only paints
// and reacts to input.  Weekdays are 0 = Sunday ... 6 = Saturday; columns
// and rows count from 0, row 0 being the header of weekday names.
#include <QString>

namespace tamarie {

constexpr int kGridCols = 7;
constexpr int kGridRows = 7;

bool IsLeapYearValue(int year);
// 0 for a month outside 1..12.
int DaysInMonthOf(int year, int month);

// Weekday (0 = Sunday) of the 1st of the month; -1 for a date QDate cannot hold.
int FirstWeekdayOfMonth(int year, int month);

// Added to a column index, gives the day number of row 1 of that column:
// -5 to 1.  startOfWeek is the weekday shown in column 0.
int MonthOffsetFor(int year, int month, int startOfWeek);

struct TCellPos {
    int Col = -1;
    int Row = -1;
    bool operator==(const TCellPos &) const = default;
};

// Cell holding day `day` (1..31) for the given month offset.
TCellPos DayCellPos(int day, int monthOffset);
// Day number shown in a cell, 0 for the header row, cells outside the month
// and positions outside the grid.
int CellDayNumber(int col, int row, int monthOffset, int daysInMonth);

// Abbreviated weekday name of the locale the program is made for: "日" .. "土".
QString WeekdayShortName(int weekday);
// The text of a cell: a weekday name in row 0, the day number or "" below.
QString CellTextFor(int col, int row, int startOfWeek, int monthOffset, int daysInMonth);

// Every column is (client width - 6 * line width) div 7 wide and every row
// (client height - 6 * line width) div 7 high; never negative.
struct TCellSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TCellSize &) const = default;
};
TCellSize CellSizeFor(int clientWidth, int clientHeight, int gridLineWidth);

// Cells are laid out from the top-left corner, separated by the grid lines.
struct TCellRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0; // right and bottom excluded
};
TCellRect CellRectFor(int col, int row, TCellSize size, int gridLineWidth);
// The cell whose rectangle holds (x, y); {-1, -1} for a point in no cell
// (outside the grid, on a grid line or in the left-over pixels).
TCellPos CellAtPoint(int x, int y, TCellSize size, int gridLineWidth);

} // namespace tamarie
