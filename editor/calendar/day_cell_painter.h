#pragma once
// Painting of one day cell of a calendar grid: the day number or weekday name
// in the working-day or holiday colour, the rokuyo and solar-term labels of
// the almanac, the schedule mark around the number and the small text under
// it.  The decisions are plain functions so they can be checked without a
// display; PaintDayCell puts them together on a painter.
#include "fitted_text.h"
#include "values.h"

#include <QLine>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace tamarie {

// Label of a rokuyo index 0..5; empty for any other index.
QString RokuyoLabel(int index);
// Label of a solar-term or seasonal-day code 0..26; empty for 27 (no term)
// and any other code.
QString SekkiLabel(int code);
// "Sun" .. "Sat" for weekday 0 (Sunday) .. 6; empty otherwise.
QString EnglishWeekdayName(int weekday);

// Almanac labels of a date, asked from the almanac library.
QString GetRokuyo(TDateValue date);
QString GetSekki(TDateValue date);

// Size of the rokuyo, solar-term and small texts for a base font size:
// 45 % of it, to the nearest with halves to even (10 -> 4, 11 -> 5, 30 -> 14).
int LabelFontSize(int baseSize);

// Weekday (0 = Sunday) shown in column col when the week starts on startOfWeek.
int ColumnWeekday(int startOfWeek, int col);

// Week of the month (0 = first .. 4 = fifth) of a day of the month.
int WeekOfMonth(int day);

// What is known about a cell when its number colour is chosen.  Each later
// fact overrides the earlier ones: weekday rules, national holiday, override.
struct HolidayFacts {
    bool everyWeek = false;        // weekday ticked as always off
    bool nthWeek = false;          // weekday and week of the month ticked
    bool national = false;         // national, substitute or citizens' holiday
    std::optional<bool> personal;  // per-date override: true off, false working
};
bool DrawsAsHoliday(const HolidayFacts &facts);

// Colour of the small text: whichever of the two colours the number is not in.
TColorValue SmallTextColor(TColorValue numberColor, TColorValue holidayColor, TColorValue workingDayColor);

// The frame of a schedule mark: the number's box widened by 2 on every side.
CellBox MarkFrame(const CellBox &numberBox);

// Outline of schedule mark markNo in frame f: 1 ring, 2 box, 3 triangle,
// 4 cross; anything else draws nothing.
struct MarkShape {
    enum Kind { None, Ellipse, Polyline, Lines } kind = None;
    QRect ellipse;              // Ellipse: the rectangle it is inscribed in
    QPolygon polyline;          // Polyline: closed outline, first point repeated
    std::vector<QLine> lines;   // Lines: separate strokes
};
MarkShape ScheduleMarkShape(int markNo, const CellBox &frame);
void DrawMarkShape(QPainter &painter, const MarkShape &shape);

} // namespace tamarie
