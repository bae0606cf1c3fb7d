#include "arrangement_painter.h"

#include "day_cell_painter.h"
#include "month_grid.h"
#include "month_layout.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace tamarie {

namespace {

// Point sizes chosen at fontDpi, drawn on the painter's device.
qreal FontScaleFor(const QPainter &painter, qreal fontDpi)
{
    const QPaintDevice *device = painter.device();
    const int dpi = device ? device->logicalDpiY() : 0;
    if (dpi <= 0 || fontDpi <= 0 || std::abs(dpi - fontDpi) < 0.01)
        return 1.0;
    return fontDpi / dpi;
}

QFont Sized(const QFont &face, int points, qreal scale)
{
    return FontOfPointSize(face, points, scale);
}

bool LetsBackingShow(const CalendarLayer &c, TColorValue colour)
{
    return c.keyed && colour == c.keyColor;
}

// An opaque fill of the calendar window, unless its colour is the key.
void FillOpaque(QPainter &p, const CalendarLayer &c, const QRect &rect, TColorValue colour)
{
    if (!LetsBackingShow(c, colour))
        p.fillRect(rect, ResolveColorValue(colour));
}

void PaintTitle(QPainter &p, const CalendarLayer &c, qreal scale)
{
    const QRect r = c.titleRect;
    if (r.isEmpty())
        return;
    FillOpaque(p, c, r, c.panelColor);
    if (c.title.isEmpty())
        return;
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.setFont(Sized(c.titleFont, c.titlePoints, scale));
    p.setPen(ResolveColorValue(c.titleColor));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, c.title);
    p.restore();
}

void PaintGridCells(QPainter &p, const CalendarLayer &c, const CalendarDisplayOptions &o, const CalendarPaintData &data,
                    qreal scale)
{
    const QRect g = c.gridRect;
    if (g.isEmpty())
        return;
    p.save();
    p.translate(g.topLeft());
    p.setClipRect(QRect(QPoint(0, 0), g.size()), Qt::IntersectClip);
    FillOpaque(p, c, QRect(QPoint(0, 0), g.size()), c.gridColor);

    DayCellInputs in;
    static_cast<THolidayWeekdays &>(in) = data.weekdays;
    in.BackgroundColor = c.backColor;
    in.HolidayColor = c.holidayColor;
    in.WorkingDayColor = c.dayTextColor;
    in.FirstDayOfWeek = o.firstDayOfWeek;
    in.WeekDayMode = o.weekDayMode;
    in.ShowAlmanac = o.showAlmanac;
    in.Data = data.data;
    in.BasePointSize = c.gridPoints;
    in.FontScale = scale;
    in.KeyedBackground = LetsBackingShow(c, c.backColor);

    const DayCellGrid month = DayCellGridOf(c.month, o.firstDayOfWeek);
    const TCellSize size = CellSizeFor(g.width(), g.height(), c.gridLineWidth);
    const QFont font = Sized(c.gridFont, c.gridPoints, scale);
    for (int row = 0; row < kGridRows; ++row) {
        for (int col = 0; col < kGridCols; ++col) {
            const TCellRect r = CellRectFor(col, row, size, c.gridLineWidth);
            const QRect rect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
            if (rect.isEmpty())
                continue;
            p.setFont(font);
            PaintDayCell(p, month, col, row, rect, in);
        }
    }
    p.restore();
}

// The photo stretched over bounds, decoded for the device pixels it covers.
void PaintPhoto(QPainter &p, const PhotoLayer &photo, PhotoSource &source)
{
    if (photo.fileName.isEmpty() || photo.bounds.isEmpty())
        return;
    const QTransform toDevice = p.deviceTransform();
    const QImage picture = source.Picture(photo.fileName, photo.quarterTurns, PhotoPixelsOnDevice(toDevice, photo.bounds));
    if (picture.isNull())
        return;
    if (toDevice.type() > QTransform::TxScale) {
        p.drawImage(QRectF(photo.bounds), picture);
        return;
    }
    p.save();
    p.resetTransform();
    p.drawImage(PhotoOnDevice(toDevice, photo.bounds), picture);
    p.restore();
}

} // namespace

void PaintCalendar(QPainter &painter, const CalendarLayer &layer, const CalendarDisplayOptions &options,
                   const CalendarPaintData &data, qreal fontDpi, CalendarSurface surface)
{
    const bool keyedWindow = surface == CalendarSurface::KeyedWindow;
    CalendarLayer opaque;
    if (keyedWindow) {
        opaque = layer;
        opaque.keyed = false;
        opaque.backVisible = false;
    }
    const CalendarLayer &c = keyedWindow ? opaque : layer;
    const qreal scale = FontScaleFor(painter, fontDpi);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, !keyedWindow);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (c.backVisible && c.alpha > 0) {
        const QRect back = c.backBounds.translated(-c.bounds.topLeft());
        painter.save();
        painter.setOpacity(c.alpha / 255.0);
        painter.fillRect(back, ValueToColor(c.backColor));
        painter.restore();
    }
    const QRect window(QPoint(0, 0), c.bounds.size());
    painter.setClipRect(window, Qt::IntersectClip);
    FillOpaque(painter, c, window, c.windowColor);
    PaintTitle(painter, c, scale);
    PaintGridCells(painter, c, options, data, scale);
    painter.restore();
}

QRectF PhotoOnDevice(const QTransform &toDevice, const QRect &bounds) { return toDevice.mapRect(QRectF(bounds)); }

QSize PhotoPixelsOnDevice(const QTransform &toDevice, const QRect &bounds)
{
    const QRectF onDevice = PhotoOnDevice(toDevice, bounds);
    return QSize(std::max(1, int(std::ceil(onDevice.width() - 1e-6))), std::max(1, int(std::ceil(onDevice.height() - 1e-6))));
}

QTransform PaperToTarget(const QRectF &source, const QRectF &target)
{
    QTransform t;
    t.translate(target.left(), target.top());
    t.scale(target.width() / source.width(), target.height() / source.height());
    t.translate(-source.left(), -source.top());
    return t;
}

void PaintArrangement(QPainter &painter, const Arrangement &a, const CalendarPaintData &data, PhotoSource *photos)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), a.paperSize), ValueToColor(a.paperColor));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    PhotoSource &source = photos ? *photos : DecodingPhotoSource();
    for (const PhotoLayer &photo : a.photos)
        PaintPhoto(painter, photo, source);
    for (const CalendarLayer &c : a.calendars) {
        painter.save();
        painter.translate(c.bounds.topLeft());
        PaintCalendar(painter, c, a.options, data, a.fontDpi);
        painter.restore();
    }
    painter.restore();
}

void PaintArrangement(QPainter &painter, const Arrangement &a, const CalendarPaintData &data, const QRectF &source,
                      const QRectF &target, PhotoSource *photos)
{
    if (source.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setTransform(PaperToTarget(source, target), true);
    PaintArrangement(painter, a, data, photos);
    painter.restore();
}

} // namespace tamarie
