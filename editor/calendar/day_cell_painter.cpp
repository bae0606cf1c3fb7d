#include "day_cell_painter.h"

#include "almanac.h"
#include "day_data.h"
#include "holidays.h"
#include "month_grid.h"

#include <QFontMetrics>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <unordered_map>

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

namespace {

// The labels of a date never change, so every repaint after the first takes
// them from here instead of the library.
struct AlmanacLabels {
    QString rokuyo;
    QString sekki;
};

const AlmanacLabels &CachedAlmanacLabels(TDateValue date)
{
    static std::unordered_map<double, AlmanacLabels> cache;
    auto it = cache.find(date);
    if (it != cache.end())
        return it->second;
    if (cache.size() >= 8192)  // about twenty years of days
        cache.clear();
    return cache.emplace(date, AlmanacLabels{GetRokuyo(date), GetSekki(date)}).first->second;
}

} // namespace

QString CachedRokuyo(TDateValue date) { return CachedAlmanacLabels(date).rokuyo; }
QString CachedSekki(TDateValue date) { return CachedAlmanacLabels(date).sekki; }

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

std::optional<QString> DayDataCells::NationalHoliday(TDateValue date) const
{
    QString name;
    if (!IsHoliday(date, name))
        return std::nullopt;
    return name;
}

std::optional<bool> DayDataCells::PersonalHolidayOf(TDateValue date) const
{
    if (const TPersonalHoliday *p = data_.PersonalHolidayOfDate(date))
        return p->Value;
    return std::nullopt;
}

std::optional<DayCellSchedule> DayDataCells::ScheduleOf(TDateValue date) const
{
    if (const TSchedule *s = data_.ScheduleOfDate(date))
        return DayCellSchedule{s->Str, static_cast<int>(s->MarkNo)};
    return std::nullopt;
}

int FontPointSize(const QFont &font, const QPaintDevice *device)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    const int dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
    return RoundHalfEven(font.pixelSize() * 72.0 / dpi);
}

QFont FontOfPointSize(const QFont &font, int pointSize, qreal scale)
{
    QFont f = font;
    const int points = pointSize < 1 ? 1 : pointSize;
    if (scale == 1.0)
        f.setPointSize(points);
    else
        f.setPointSizeF(points * scale);
    return f;
}

DayCellGrid DayCellGridOf(TDateValue month, int startOfWeek)
{
    DayCellGrid g;
    const QDate d = ValueToDate(month);
    g.StartOfWeek = startOfWeek >= 0 && startOfWeek <= 6 ? startOfWeek : 0;
    if (!d.isValid())
        return g;
    g.Year = d.year();
    g.Month = d.month();
    g.MonthOffset = MonthOffsetFor(g.Year, g.Month, g.StartOfWeek);
    g.DaysInMonth = DaysInMonthOf(g.Year, g.Month);
    return g;
}

namespace {

// Day numbers, weekday names and almanac labels are a few dozen strings
// measured over and over; their metrics are kept per font and resolution.
struct MeasuredText {
    QString text;
    int width = 0;   // advance width
    int height = 0;  // font height
    int ascent = 0;
};

class MeasuredTextCache {
public:
    const MeasuredText &Get(const QFont &font, const QPaintDevice *device, const QString &s)
    {
        const int dpi = device ? device->logicalDpiY() : 0;
        auto &perFont = fonts_[dpi][font];
        auto it = perFont.find(s);
        if (it != perFont.end())
            return *it;
        if (++count_ > kLimit) {  // many sizes seen: start afresh
            fonts_.clear();
            count_ = 1;
            return Get(font, device, s);
        }
        const QFontMetrics metrics(font, const_cast<QPaintDevice *>(device));
        return *perFont.insert(s, MeasuredText{s, metrics.horizontalAdvance(s), metrics.height(), metrics.ascent()});
    }

private:
    static constexpr int kLimit = 4096;
    QHash<int, QHash<QFont, QHash<QString, MeasuredText>>> fonts_;
    int count_ = 0;
};

MeasuredTextCache &TextCache()
{
    static MeasuredTextCache cache;
    return cache;
}

// The almanac labels drawn once into small transparent pictures per font and
// colour: with them shown, a repaint stamps two pictures per day instead of
// laying out two more texts.
class LabelPictureCache {
public:
    const QImage &Get(const QFont &font, const QPaintDevice *device, const QColor &color, const MeasuredText &text)
    {
        const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
        const Key key{device ? device->logicalDpiY() : 0, ratio, color.rgba(), text.text};
        auto &perFont = pictures_[font];
        auto it = perFont.find(key);
        if (it != perFont.end())
            return *it;
        if (++count_ > kLimit) {
            pictures_.clear();
            count_ = 1;
            return Get(font, device, color, text);
        }
        const QSize size(std::max(1, text.width), std::max(1, text.height));
        QImage picture(size * ratio, QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        picture.setDotsPerMeterX(device ? RoundHalfEven(device->logicalDpiX() / 0.0254) : picture.dotsPerMeterX());
        picture.setDotsPerMeterY(device ? RoundHalfEven(device->logicalDpiY() / 0.0254) : picture.dotsPerMeterY());
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setFont(font);
        p.setPen(color);
        p.drawText(0, text.ascent, text.text);
        p.end();
        return *perFont.insert(key, picture);
    }

private:
    struct Key {
        int dpi;
        qreal ratio;
        QRgb color;
        QString text;
        bool operator==(const Key &o) const
        {
            return dpi == o.dpi && ratio == o.ratio && color == o.color && text == o.text;
        }
    };
    friend size_t qHash(const Key &k, size_t seed = 0) noexcept
    {
        return qHashMulti(seed, k.dpi, k.color, k.text);
    }
    static constexpr int kLimit = 2048;
    QHash<QFont, QHash<Key, QImage>> pictures_;
    int count_ = 0;
};

LabelPictureCache &LabelPictures()
{
    static LabelPictureCache cache;
    return cache;
}

// Draws text with its top-left corner at (x, y), on its background when the
// painter's background mode is opaque.
void DrawTextAt(QPainter &Canvas, int x, int y, const MeasuredText &text)
{
    if (Canvas.backgroundMode() == Qt::OpaqueMode)
        Canvas.fillRect(QRect(x, y, text.width, text.height), Canvas.background());
    Canvas.drawText(x, y + text.ascent, text.text);
}

// Pictures of labels are only right one to one on a pixel device; scaled,
// printed or written as vectors the text is drawn itself.
bool StampsLabels(const QPainter &Canvas)
{
    const QPaintDevice *device = Canvas.device();
    if (!device)
        return false;
    const int type = device->devType();
    if (type != QInternal::Widget && type != QInternal::Image && type != QInternal::Pixmap)
        return false;
    return Canvas.deviceTransform().type() <= QTransform::TxTranslate;
}

// A label at (x, y) like DrawTextAt, from its picture where that is exact.
void DrawLabelAt(QPainter &Canvas, int x, int y, const MeasuredText &text)
{
    if (text.text.isEmpty())
        return;
    if (!StampsLabels(Canvas)) {
        DrawTextAt(Canvas, x, y, text);
        return;
    }
    if (Canvas.backgroundMode() == Qt::OpaqueMode)
        Canvas.fillRect(QRect(x, y, text.width, text.height), Canvas.background());
    Canvas.drawImage(QPoint(x, y), LabelPictures().Get(Canvas.font(), Canvas.device(), Canvas.pen().color(), text));
}

} // namespace

void DrawFittedText(QPainter &Canvas, const DayCellState &state, const QString &s)
{
    const QFont base = Canvas.font();
    Canvas.setPen(ResolveColorValue(SmallTextColor(state.TextColor, state.HolidayColor, state.WorkingDayColor)));
    Canvas.setFont(FontOfPointSize(base, LabelFontSize(state.BaseSize), state.FontScale));
    DrawFittedLines(Canvas, state.Cell, state.NumberHeight, s);
    Canvas.setFont(base);
}

void PaintDayCell(QPainter &Canvas, const DayCellGrid &Grid, int ACol, int ARow, const QRect &ARect,
                  const DayCellInputs &In)
{
    Canvas.save();
    Canvas.setClipRect(ARect, Qt::IntersectClip);
    const CellBox cell{ARect.left(), ARect.top(), ARect.left() + ARect.width(), ARect.top() + ARect.height()};
    const int L = cell.left, T = cell.top, W = cell.Width();
    const QColor background = ResolveColorValue(In.BackgroundColor);
    if (!In.KeyedBackground)
        Canvas.fillRect(ARect, background);

    QString text = CellTextFor(ACol, ARow, Grid.StartOfWeek, Grid.MonthOffset, Grid.DaysInMonth);
    const int day = ARow == 0 ? 0 : text.toInt();
    const int w = ColumnWeekday(Grid.StartOfWeek, ACol);

    const TWeekdayRuleFacts weekdayFacts = WeekdayRuleFacts(In, w, day);
    HolidayFacts facts;
    facts.everyWeek = weekdayFacts.everyWeek;
    facts.nthWeek = weekdayFacts.nthWeek;
    TDateValue date = 0;
    QString holidayName;
    if (day != 0) {
        const QDate d(Grid.Year, Grid.Month, day);
        if (d.isValid())
            date = DateToValue(d);
    }
    if (date != 0 && In.Data) {
        if (const auto name = In.Data->NationalHoliday(date)) {
            facts.national = true;
            holidayName = *name;
        }
        facts.personal = In.Data->PersonalHolidayOf(date);
    }
    const bool isHoliday = facts.national;
    const TColorValue textColor = DrawsAsHoliday(facts) ? In.HolidayColor : In.WorkingDayColor;
    const QColor pen = ResolveColorValue(textColor);

    if (ARow == 0 && In.WeekDayMode == 1)
        text = EnglishWeekdayName(w);

    const QFont base = Canvas.font();
    const int size0 = In.BasePointSize > 0 ? In.BasePointSize : FontPointSize(base, Canvas.device());
    const QFont small = FontOfPointSize(base, LabelFontSize(size0), In.FontScale);
    MeasuredTextCache &cache = TextCache();
    const MeasuredText &number = cache.Get(base, Canvas.device(), text);
    const int th = number.height;
    const int tw = number.width;

    Canvas.setPen(pen);
    Canvas.setBackground(background);
    Canvas.setBackgroundMode(In.KeyedBackground ? Qt::TransparentMode : Qt::OpaqueMode);
    CellBox numberBox;
    if (In.ShowAlmanac && date != 0) {
        const QString rokuyoLabel = In.Rokuyo ? In.Rokuyo(date) : CachedRokuyo(date);
        const QString sekkiLabel = In.Sekki ? In.Sekki(date) : CachedSekki(date);
        const MeasuredText &rokuyo = cache.Get(small, Canvas.device(), rokuyoLabel);
        const int rw = rokuyo.width;
        const int x0 = L + (W - (tw + rw)) / 2;
        DrawTextAt(Canvas, x0, T, number);
        Canvas.setFont(small);
        const int x1 = L + (W + tw - rw) / 2;
        DrawLabelAt(Canvas, x1, T, rokuyo);
        if (!sekkiLabel.isEmpty())
            DrawLabelAt(Canvas, x1, T + th / 2, cache.Get(small, Canvas.device(), sekkiLabel));
        numberBox = CellBox{x0, T, x0 + tw, T + th};
        Canvas.setFont(base);
    } else {
        const int x = L + (W - tw) / 2;
        DrawTextAt(Canvas, x, T, number);
        numberBox = CellBox{x, T, x + tw, T + th};
    }
    Canvas.setBackgroundMode(Qt::TransparentMode);

    DayCellState state{cell, th, size0, textColor, In.HolidayColor, In.WorkingDayColor};
    state.FontScale = In.FontScale;
    bool textDrawn = false;
    if (date != 0 && In.Data) {
        if (const auto entry = In.Data->ScheduleOf(date)) {
            Canvas.setPen(QPen(pen, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            Canvas.setBrush(Qt::NoBrush);
            DrawMarkShape(Canvas, ScheduleMarkShape(entry->MarkNo, MarkFrame(numberBox)));
            if (!entry->Str.isEmpty()) {
                DrawFittedText(Canvas, state, isHoliday ? entry->Str + QLatin1Char(' ') + holidayName : entry->Str);
                textDrawn = true;
            }
        }
    }
    if (isHoliday && !textDrawn)
        DrawFittedText(Canvas, state, holidayName);
    Canvas.restore();
}

} // namespace tamarie
