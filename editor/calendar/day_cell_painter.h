#pragma once
// Painting of one day cell of a calendar grid: the day number or weekday name
// in the working-day or holiday colour, the rokuyo and solar-term labels of
// the almanac, the schedule mark around the number and the small text under
// it.  The decisions are plain functions so they can be checked without a
// display; PaintDayCell puts them together on a painter.
#include "day_data.h"
#include "fitted_text.h"
#include "platform/values.h"

#include <QFont>
#include <QLine>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QPainter;
class QPaintDevice;

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
// The same, remembered per date for the repaints of the day cells.
QString CachedRokuyo(TDateValue date);
QString CachedSekki(TDateValue date);

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

// ---- Painting ---------------------------------------------------------

struct DayCellSchedule {
    QString Str;
    int MarkNo = 0;
};

// What the painting asks about a date; the main window answers from its day
// data.  Nothing here changes that data.
class DayCellData {
public:
    virtual ~DayCellData() = default;
    // Name of the national, substitute or citizens' holiday on date.
    virtual std::optional<QString> NationalHoliday(TDateValue date) const = 0;
    // The per-date override of date: true off, false working day.
    virtual std::optional<bool> PersonalHolidayOf(TDateValue date) const = 0;
    // The schedule entry of date.
    virtual std::optional<DayCellSchedule> ScheduleOf(TDateValue date) const = 0;
};

// The user's day data and the national holidays.
class DayDataCells : public DayCellData {
public:
    explicit DayDataCells(const TDayData &data) : data_(data) {}
    std::optional<QString> NationalHoliday(TDateValue date) const override;
    std::optional<bool> PersonalHolidayOf(TDateValue date) const override;
    std::optional<DayCellSchedule> ScheduleOf(TDateValue date) const override;

private:
    const TDayData &data_;
};

// Settings the painting of a cell reads, as plain values.  The weekday
// lists (always off, off in the ticked weeks, first .. fifth week) start
// empty here.
struct DayCellInputs : THolidayWeekdays {
    DayCellInputs() { HolidayOfWeek = {}; }
    TColorValue BackgroundColor = clWhite;  // the backing window's colour
    TColorValue HolidayColor = clRed;       // holiday text colour of the calendar
    TColorValue WorkingDayColor = clBlack;  // the grid's font colour
    int FirstDayOfWeek = 0;                 // 0 = Sunday .. 6
    int WeekDayMode = 0;                    // 0 "日", 1 "Sun"
    bool ShowAlmanac = true;                // rokuyo and solar terms
    const DayCellData *Data = nullptr;      // none: no holidays, overrides or schedules
    // size0 in points; 0 takes the painter's font's own size.
    int BasePointSize = 0;
    // Point sizes are multiplied by this for the painter's device (a device
    // of another resolution than the one the sizes were chosen on).
    qreal FontScale = 1.0;
    // The cell background is left unfilled (a translucent backing shows).
    bool KeyedBackground = false;
    // The almanac; CachedRokuyo and CachedSekki when empty.
    std::function<QString(TDateValue)> Rokuyo;
    std::function<QString(TDateValue)> Sekki;
};

// State of the cell being painted that the small text needs.
struct DayCellState {
    CellBox Cell;
    int NumberHeight = 0;   // th: height of the day number
    int BaseSize = 0;       // size0: the grid font's size in points
    TColorValue TextColor = clBlack;  // colour the number was drawn in
    TColorValue HolidayColor = clRed;
    TColorValue WorkingDayColor = clBlack;
    qreal FontScale = 1.0;  // as DayCellInputs::FontScale
};

// Draws s in the small font under the day number, fitted to the cell, in the
// colour that contrasts with the number's.  Restores the painter's font.
void DrawFittedText(QPainter &Canvas, const DayCellState &state, const QString &s);

// Point size of a font; fonts sized in pixels are converted at the device's
// resolution.
int FontPointSize(const QFont &font, const QPaintDevice *device);
// The font at another point size (at least 1), times scale for the device.
QFont FontOfPointSize(const QFont &font, int pointSize, qreal scale = 1.0);

// The month a grid shows, as plain values.
struct DayCellGrid {
    int Year = 0;
    int Month = 0;
    int StartOfWeek = 0;
    int MonthOffset = 1;
    int DaysInMonth = 0;
};
DayCellGrid DayCellGridOf(TDateValue month, int startOfWeek);

// Paints cell (ACol, ARow) of a month; the painter's font is the grid's
// font (already scaled for the device).  Header cells are row 0.
void PaintDayCell(QPainter &Canvas, const DayCellGrid &Grid, int ACol, int ARow, const QRect &ARect,
                  const DayCellInputs &In);

} // namespace tamarie
