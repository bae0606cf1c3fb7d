#include "month_layout.h"

#include <QDate>
#include <algorithm>

namespace tamarie {

bool IsLeapYearValue(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonthOf(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYearValue(year))
        return 29;
    return kDays[month - 1];
}

int FirstWeekdayOfMonth(int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return -1;
    return first.dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7
}

int MonthOffsetFor(int year, int month, int startOfWeek)
{
    const int first = FirstWeekdayOfMonth(year, month);
    if (first < 0)
        return 1;
    const int w = first + 1; // 1 = Sunday .. 7 = Saturday
    const int a = ((w - startOfWeek) % 7 + 7) % 7;
    return a == 0 ? -5 : 2 - a;
}

TCellPos DayCellPos(int day, int monthOffset)
{
    const int n = day - monthOffset; // never negative: offset <= 1 <= day
    if (n < 0)
        return {};
    return {n % 7, n / 7 + 1};
}

int CellDayNumber(int col, int row, int monthOffset, int daysInMonth)
{
    if (col < 0 || col >= kGridCols || row < 1 || row >= kGridRows)
        return 0;
    const int n = col + monthOffset + 7 * (row - 1);
    return n >= 1 && n <= daysInMonth ? n : 0;
}

QString WeekdayShortName(int weekday)
{
    static const char *const kNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
    if (weekday < 0 || weekday > 6)
        return {};
    return QString::fromUtf8(kNames[weekday]);
}

QString CellTextFor(int col, int row, int startOfWeek, int monthOffset, int daysInMonth)
{
    if (col < 0 || col >= kGridCols || row < 0 || row >= kGridRows)
        return {};
    if (row == 0)
        return WeekdayShortName((col + startOfWeek) % 7);
    const int day = CellDayNumber(col, row, monthOffset, daysInMonth);
    return day ? QString::number(day) : QString();
}

TCellSize CellSizeFor(int clientWidth, int clientHeight, int gridLineWidth)
{
    const int lines = 6 * std::max(gridLineWidth, 0);
    return {std::max(clientWidth - lines, 0) / kGridCols, std::max(clientHeight - lines, 0) / kGridRows};
}

TCellRect CellRectFor(int col, int row, TCellSize size, int gridLineWidth)
{
    const int line = std::max(gridLineWidth, 0);
    const int left = col * (size.Width + line);
    const int top = row * (size.Height + line);
    return {left, top, left + size.Width, top + size.Height};
}

TCellPos CellAtPoint(int x, int y, TCellSize size, int gridLineWidth)
{
    const int line = std::max(gridLineWidth, 0);
    if (x < 0 || y < 0 || size.Width <= 0 || size.Height <= 0)
        return {};
    const int col = x / (size.Width + line);
    const int row = y / (size.Height + line);
    if (col >= kGridCols || row >= kGridRows)
        return {};
    if (x - col * (size.Width + line) >= size.Width || y - row * (size.Height + line) >= size.Height)
        return {}; // on a grid line
    return {col, row};
}

} // namespace tamarie
