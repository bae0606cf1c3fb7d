#pragma once
// One painter for the arrangement and for each of its calendars, onto any
// QPainter at any scale: the painter's transform maps the paper's (or the
// calendar window's) screen pixels onto the device.  Text and marks stay
// vectors, the backing is a translucent fill, photos are downscaled from
// their decoded originals to the device pixels they cover.
#include "arrangement.h"
#include "day_data.h"

class QPainter;

namespace tamarie {

class DayCellData;

// What the day cells ask besides the arrangement: the user's day data
// (holidays, overrides, schedules) and weekday holiday lists.
struct CalendarPaintData {
    const DayCellData *data = nullptr;  // none: no holidays, overrides or schedules
    THolidayWeekdays weekdays;
};

// Calendar c with the calendar window's top-left at the painter's origin.
// The backing's translucent fill is painted first unless withBacking is false
// (a window that is itself translucent paints the backing on its own).
void PaintCalendar(QPainter &painter, const CalendarLayer &c, const CalendarDisplayOptions &options,
                   const CalendarPaintData &data, qreal fontDpi = 96.0, bool withBacking = true);

// The paper, its photos and its calendars, in the paper's coordinates.
void PaintArrangement(QPainter &painter, const Arrangement &arrangement, const CalendarPaintData &data);

// The source rectangle of the paper drawn into the target rectangle of the
// device (width and height scaled independently).
void PaintArrangement(QPainter &painter, const Arrangement &arrangement, const CalendarPaintData &data,
                      const QRectF &source, const QRectF &target);

} // namespace tamarie
