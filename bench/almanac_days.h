#pragma once
// Days the almanac benchmarks ask for, as the calendar's day cells ask them.

// A year not asked for recently: cycling through two centuries defeats the
// library's small cache of year tables.
inline int ColdYear()
{
    static int next = 1901;
    const int year = next;
    next = year >= 2099 ? 1901 : year + 1;
    return year;
}

// One repaint's worth: twelve months of 31 cells (a day past the month's end
// shifts on linearly, as the library allows).
template <class Cell> void ForRepaintCells(int year, Cell cell)
{
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= 31; ++day)
            cell(year, month, day);
}
