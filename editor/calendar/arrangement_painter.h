#pragma once
// One painter for the arrangement and for each of its calendars, onto any
// QPainter at any scale: the painter's transform maps the paper's (or the
// calendar window's) screen pixels onto the device.  Text and marks stay
// vectors, the backing is a translucent fill, photos are decoded for the
// device pixels they cover, one at a time.
#include "arrangement.h"
#include "day_data.h"
#include "photo_source.h"

#include <QTransform>

class QPainter;

namespace tamarie {

class DayCellData;

// What the day cells ask besides the arrangement: the user's day data
// (holidays, overrides, schedules) and weekday holiday lists.
struct CalendarPaintData {
    const DayCellData *data = nullptr;  // none: no holidays, overrides or schedules
    THolidayWeekdays weekdays;
};

// Where a calendar is painted.  WithBacking: the output and a translucent
// window; the backing's translucent fill comes first and fills in the key
// colour are left out so that it shows.  KeyedWindow: an opaque window whose
// key-coloured pixels the window system cuts out to show the backing window
// behind; every colour is painted, the key too, and lines are not
// antialiased, so no half-blended pixel is left around the holes.
enum class CalendarSurface { WithBacking, KeyedWindow };

// Calendar c with the calendar window's top-left at the painter's origin.
void PaintCalendar(QPainter &painter, const CalendarLayer &c, const CalendarDisplayOptions &options,
                   const CalendarPaintData &data, qreal fontDpi = 96.0,
                   CalendarSurface surface = CalendarSurface::WithBacking);

// The paper, its photos and its calendars, in the paper's coordinates.
// Photos come from photos, or are decoded as they are drawn.
void PaintArrangement(QPainter &painter, const Arrangement &arrangement, const CalendarPaintData &data,
                      PhotoSource *photos = nullptr);

// The source rectangle of the paper drawn into the target rectangle of the
// device (width and height scaled independently).
void PaintArrangement(QPainter &painter, const Arrangement &arrangement, const CalendarPaintData &data,
                      const QRectF &source, const QRectF &target, PhotoSource *photos = nullptr);

// Where the paper's source rectangle lands in the target rectangle.
QTransform PaperToTarget(const QRectF &source, const QRectF &target);
// The device pixels a photo's bounds cover under the paper-to-device transform.
QRectF PhotoOnDevice(const QTransform &toDevice, const QRect &bounds);
QSize PhotoPixelsOnDevice(const QTransform &toDevice, const QRect &bounds);

} // namespace tamarie
