#include "document_drawing.h"

#include <QFontMetrics>
#include <algorithm>

#include "day_cell_painter.h"

namespace tamarie {

QSize ShownSize(QSize size, QSize minimum)
{
    return QSize(std::max(size.width(), minimum.width()), std::max(size.height(), minimum.height()));
}

QRect CalendarWindowRect(const DocumentCalendar &c, QSize paper)
{
    const QRect r = RectOf(c.bounds, paper);
    return QRect(r.topLeft(), ShownSize(r.size(), kMinShownCalendar));
}

QRect PhotoRect(const DocumentPhoto &p, QSize paper)
{
    const QRect r = RectOf(p.bounds, paper);
    return QRect(r.topLeft(), ShownSize(r.size(), kMinShownPhoto));
}

int GridPointsForWidth(int width) { return std::max(1, RoundHalfEven(width * 0.04)); }

int TitleHeightFor(const QFont &titleFont, int titlePoints)
{
    return QFontMetrics(FontOfPointSize(titleFont, titlePoints)).height() + 10;
}

void LayOutCalendar(DocumentCalendar &c, int width, bool keepGridPoints)
{
    if (!keepGridPoints)
        c.gridPoints = GridPointsForWidth(width);
    c.titlePoints = std::max(1, RoundHalfEven(c.gridPoints * 1.5));
    c.titleHeight = TitleHeightFor(c.titleFont, c.titlePoints);
}

CalendarInnerRects CalendarInnerRectsFor(QSize window, int titleHeight)
{
    const int W = window.width();
    const int H = window.height();
    CalendarInnerRects r;
    r.title = QRect(0, 0, W, titleHeight);
    int gridWidth = W;
    int gridLeft = 0;
    if (W % 7 > 0) {
        gridWidth = W - W % 7;
        gridLeft = (W - gridWidth) / 2;
    }
    int gridHeight = std::max(0, H - titleHeight);
    gridHeight -= gridHeight % 7;
    r.grid = QRect(gridLeft, titleHeight, gridWidth, gridHeight);
    return r;
}

CalendarLayer CalendarLayerOf(const Document &d, int n, QPoint origin)
{
    CalendarLayer layer;
    const DocumentCalendar *c = d.Calendar(n);
    if (!c)
        return layer;
    layer.index = n;
    layer.month = c->month;
    layer.bounds = CalendarWindowRect(*c, d.paper.layoutSize).translated(-origin);
    layer.backVisible = true;
    layer.backBounds = layer.bounds;
    layer.alpha = c->alpha;
    layer.backColor = c->backColor;
    layer.windowColor = c->backColor;
    layer.gridColor = c->backColor;
    layer.keyed = true;
    layer.keyColor = c->backColor;
    layer.panelColor = c->panelColor;
    layer.holidayColor = c->holidayColor;
    layer.dayTextColor = c->dayTextColor;
    layer.gridFont = c->gridFont;
    layer.gridPoints = c->gridPoints;
    layer.titleFont = c->titleFont;
    layer.titlePoints = c->titlePoints;
    layer.titleColor = c->titleColor;
    layer.title = c->title;
    const CalendarInnerRects inner = CalendarInnerRectsFor(layer.bounds.size(), c->titleHeight);
    layer.titleRect = inner.title;
    layer.gridRect = inner.grid;
    layer.gridLineWidth = 0;
    return layer;
}

Arrangement ArrangementOf(const Document &d, qreal fontDpi, QPoint origin)
{
    Arrangement a;
    a.paperSize = d.paper.layoutSize;
    a.landscape = d.paper.orientation == 1;  // "横"
    a.paperColor = d.paper.color;
    a.options = d.settings.options;
    a.options.firstDayOfWeek = std::max(0, a.options.firstDayOfWeek);
    a.fontDpi = fontDpi;
    for (int i : d.photoOrder) {
        if (i < 0 || i >= d.photos.size())
            continue;
        const DocumentPhoto &p = d.photos[i];
        PhotoLayer layer;
        layer.fileName = p.fileName;
        layer.quarterTurns = p.quarterTurns;
        layer.bounds = PhotoRect(p, d.paper.layoutSize).translated(-origin);
        a.photos.push_back(std::move(layer));
    }
    for (int n : d.calendarOrder)
        if (d.Calendar(n))
            a.calendars.push_back(CalendarLayerOf(d, n, origin));
    return a;
}

} // namespace tamarie
