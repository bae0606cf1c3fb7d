#include "day_cell_painter.h"

#include "almanac.h"

#include <QPainter>

#include <array>

namespace tamarie {

namespace {

const std::array<const char *, 6> kRokuyo = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

const std::array<const char *, 27> kSekki = {
    "土用", "立春", "雨水", "啓蟄", "春分", "清明", "穀雨", "立夏", "小満",
    "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露", "秋分", "寒露",
    "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "入梅", "半夏生",
};

const std::array<const char *, 7> kEnglishWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

template <std::size_t N>
QString LabelOf(const std::array<const char *, N> &table, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return QString();
    return QString::fromUtf8(table[static_cast<std::size_t>(index)]);
}

// Sets the library's date; false when the value is no calendar date.
bool SetAlmanacDate(TDateValue date)
{
    const QDate d = ValueToDate(date);
    if (!d.isValid())
        return false;
    int solarMonth = 0;
    SetdataDll(0.0, 0.0, 0.0, d.year(), d.month(), d.day(), &solarMonth);
    return true;
}

} // namespace

QString RokuyoLabel(int index) { return LabelOf(kRokuyo, index); }
QString SekkiLabel(int code) { return LabelOf(kSekki, code); }
QString EnglishWeekdayName(int weekday) { return LabelOf(kEnglishWeekdays, weekday); }

QString GetRokuyo(TDateValue date)
{
    if (!SetAlmanacDate(date))
        return QString();
    int oldMonth = 0, oldDay = 0, rokuyo = -1;
    RokuyoDll(&oldMonth, &oldDay, &rokuyo);
    return RokuyoLabel(rokuyo);
}

QString GetSekki(TDateValue date)
{
    if (!SetAlmanacDate(date))
        return QString();
    int code = 27;
    double hour = 0.0, longitude = 0.0;
    SekkiDll(&code, &hour, &longitude);
    return SekkiLabel(code);
}

int LabelFontSize(int baseSize) { return RoundHalfEven(baseSize * 0.45); }

int ColumnWeekday(int startOfWeek, int col)
{
    const int w = startOfWeek + col;
    return w >= 7 ? w - 7 : w;
}

int WeekOfMonth(int day) { return (day - 1) / 7; }

bool DrawsAsHoliday(const HolidayFacts &facts)
{
    bool holiday = facts.everyWeek || facts.nthWeek || facts.national;
    if (facts.personal)
        holiday = *facts.personal;
    return holiday;
}

TColorValue SmallTextColor(TColorValue numberColor, TColorValue holidayColor, TColorValue workingDayColor)
{
    return numberColor == holidayColor ? workingDayColor : holidayColor;
}

CellBox MarkFrame(const CellBox &numberBox)
{
    return CellBox{numberBox.left - 2, numberBox.top - 2, numberBox.right + 2, numberBox.bottom + 2};
}

MarkShape ScheduleMarkShape(int markNo, const CellBox &f)
{
    MarkShape shape;
    const int l = f.left, t = f.top, r = f.right, b = f.bottom;
    switch (markNo) {
    case 1:
        shape.kind = MarkShape::Ellipse;
        shape.ellipse = QRect(l, t, r - l, b - t);
        break;
    case 2:
        shape.kind = MarkShape::Polyline;
        shape.polyline << QPoint(l, t) << QPoint(l, b) << QPoint(r, b) << QPoint(r, t) << QPoint(l, t);
        break;
    case 3:
        shape.kind = MarkShape::Polyline;
        shape.polyline << QPoint(l, b) << QPoint(r, b) << QPoint((l + r) / 2, t) << QPoint(l, b);
        break;
    case 4:
        shape.kind = MarkShape::Lines;
        shape.lines = {QLine(l, t, r, b), QLine(r, t, l, b)};
        break;
    default:
        break;
    }
    return shape;
}

void DrawMarkShape(QPainter &painter, const MarkShape &shape)
{
    switch (shape.kind) {
    case MarkShape::Ellipse:
        painter.drawEllipse(shape.ellipse);
        break;
    case MarkShape::Polyline:
        painter.drawPolyline(shape.polyline);
        break;
    case MarkShape::Lines:
        for (const QLine &line : shape.lines)
            painter.drawLine(line);
        break;
    case MarkShape::None:
        break;
    }
}

} // namespace tamarie
