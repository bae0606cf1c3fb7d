#include "document.h"

#include <algorithm>

namespace tamarie {

PaperPlace PlaceOf(const QRect &onPaper, QSize paper)
{
    if (paper.width() <= 0 || paper.height() <= 0)
        return {};
    const double w = paper.width();
    const double h = paper.height();
    return {onPaper.left() / w, onPaper.top() / h, onPaper.width() / w, onPaper.height() / h};
}

QRect RectOf(const PaperPlace &place, QSize paper)
{
    const double w = paper.width();
    const double h = paper.height();
    return QRect(RoundHalfEven(place.left * w), RoundHalfEven(place.top * h), RoundHalfEven(place.width * w),
                 RoundHalfEven(place.height * h));
}

const DocumentCalendar *Document::Calendar(int n) const
{
    return n >= 1 && n <= calendars.size() ? &calendars[n - 1] : nullptr;
}

DocumentCalendar *Document::Calendar(int n)
{
    return n >= 1 && n <= calendars.size() ? &calendars[n - 1] : nullptr;
}

QFont CommonFontFace(const Document &d)
{
    if (d.settings.font.followsCalendar1 && !d.calendars.isEmpty())
        return d.calendars[0].gridFont;
    return d.settings.font.font;
}

int CommonFontPoints(const Document &d)
{
    if (d.settings.font.followsCalendar1 && !d.calendars.isEmpty())
        return d.calendars[0].gridPoints;
    return d.settings.font.points;
}

TColorValue CommonFontColor(const Document &d)
{
    if (d.settings.font.followsCalendar1 && !d.calendars.isEmpty())
        return d.calendars[0].dayTextColor;
    return d.settings.font.color;
}

int AddPhoto(Document &d, const DocumentPhoto &photo)
{
    d.photos.append(photo);
    const int i = int(d.photos.size()) - 1;
    d.photoOrder.append(i);
    return i;
}

void RemovePhoto(Document &d, int i)
{
    if (i < 0 || i >= d.photos.size())
        return;
    d.photos.removeAt(i);
    // The stacking places stay with the indices; the last index is gone.
    d.photoOrder.removeAll(int(d.photos.size()));
}

void BringPhotoToFront(Document &d, int i)
{
    if (!d.photoOrder.contains(i))
        return;
    d.photoOrder.removeAll(i);
    d.photoOrder.append(i);
}

void SendPhotoToBack(Document &d, int i)
{
    if (!d.photoOrder.contains(i))
        return;
    d.photoOrder.removeAll(i);
    d.photoOrder.prepend(i);
}

void RaiseCalendar(Document &d, int n)
{
    if (n < 1 || n > d.calendars.size())
        return;
    d.calendarOrder.removeAll(n);
    d.calendarOrder.append(n);
}

void KeepCalendarOrder(Document &d)
{
    const int count = d.CalendarCount();
    QList<int> order;
    for (int n : d.calendarOrder)
        if (n >= 1 && n <= count && !order.contains(n))
            order.append(n);
    for (int n = 1; n <= count; ++n)
        if (!order.contains(n))
            order.append(n);
    d.calendarOrder = order;
}

namespace {

template <typename T> void Take(T &current, const T &from, const T &to)
{
    if (!(from == to))
        current = to;
}

void MergeCalendar(DocumentCalendar &c, const DocumentCalendar &from, const DocumentCalendar &to)
{
    Take(c.month, from.month, to.month);
    Take(c.title, from.title, to.title);
    Take(c.bounds, from.bounds, to.bounds);
    Take(c.scaleFrom, from.scaleFrom, to.scaleFrom);
    Take(c.backColor, from.backColor, to.backColor);
    Take(c.alpha, from.alpha, to.alpha);
    Take(c.panelColor, from.panelColor, to.panelColor);
    Take(c.holidayColor, from.holidayColor, to.holidayColor);
    Take(c.dayTextColor, from.dayTextColor, to.dayTextColor);
    Take(c.gridFont, from.gridFont, to.gridFont);
    Take(c.gridPoints, from.gridPoints, to.gridPoints);
    Take(c.titleFont, from.titleFont, to.titleFont);
    Take(c.titlePoints, from.titlePoints, to.titlePoints);
    Take(c.titleColor, from.titleColor, to.titleColor);
    Take(c.titleCharset, from.titleCharset, to.titleCharset);
    Take(c.titleHeight, from.titleHeight, to.titleHeight);
}

void MergePhoto(DocumentPhoto &p, const DocumentPhoto &from, const DocumentPhoto &to)
{
    Take(p.fileName, from.fileName, to.fileName);
    Take(p.bounds, from.bounds, to.bounds);
    Take(p.scaleFrom, from.scaleFrom, to.scaleFrom);
    Take(p.quarterTurns, from.quarterTurns, to.quarterTurns);
}

void MergeSettings(DocumentSettings &s, const DocumentSettings &from, const DocumentSettings &to)
{
    Take(s.backColor, from.backColor, to.backColor);
    Take(s.panelColor, from.panelColor, to.panelColor);
    Take(s.sameBackColor, from.sameBackColor, to.sameBackColor);
    Take(s.alpha, from.alpha, to.alpha);
    Take(s.holidayColor, from.holidayColor, to.holidayColor);
    Take(s.dayTextColor, from.dayTextColor, to.dayTextColor);
    Take(s.options.firstDayOfWeek, from.options.firstDayOfWeek, to.options.firstDayOfWeek);
    Take(s.options.monthMode, from.options.monthMode, to.options.monthMode);
    Take(s.options.weekDayMode, from.options.weekDayMode, to.options.weekDayMode);
    Take(s.options.showAlmanac, from.options.showAlmanac, to.options.showAlmanac);
    Take(s.sameSize, from.sameSize, to.sameSize);
    Take(s.font, from.font, to.font);
}

// Lists whose length changed (a calendar set or a photo added or removed)
// are taken whole; otherwise element by element.
template <typename T, typename F>
void MergeList(QList<T> &current, const QList<T> &from, const QList<T> &to, F &&mergeOne)
{
    if (from == to)
        return;
    if (from.size() != to.size() || current.size() != to.size()) {
        current = to;
        return;
    }
    for (qsizetype i = 0; i < to.size(); ++i)
        if (!(from[i] == to[i]))
            mergeOne(current[i], from[i], to[i]);
}

} // namespace

Document MergeChange(const Document &current, const Document &from, const Document &to)
{
    Document d = current;
    Take(d.paper.orientation, from.paper.orientation, to.paper.orientation);
    Take(d.paper.color, from.paper.color, to.paper.color);
    Take(d.paper.layoutSize, from.paper.layoutSize, to.paper.layoutSize);
    MergeSettings(d.settings, from.settings, to.settings);
    MergeList(d.calendars, from.calendars, to.calendars, MergeCalendar);
    Take(d.calendarOrder, from.calendarOrder, to.calendarOrder);
    const bool photoSetChanged = from.photos.size() != to.photos.size();
    MergeList(d.photos, from.photos, to.photos, MergePhoto);
    if (photoSetChanged)
        d.photoOrder = to.photoOrder;
    else
        Take(d.photoOrder, from.photoOrder, to.photoOrder);
    Take(d.selectedPhoto, from.selectedPhoto, to.selectedPhoto);
    KeepCalendarOrder(d);
    return d;
}

} // namespace tamarie
