#include "document_edits.h"

#include <QDate>
#include <algorithm>

#include "apply_to.h"
#include "document_drawing.h"
#include "document_file.h"
#include "month_titles.h"
#include "paper_layout.h"

namespace tamarie {

namespace {

void SetStoredSize(PaperPlace &place, QSize size, QSize paper)
{
    const PaperPlace sized = PlaceOf(QRect(QPoint(0, 0), size), paper);
    place.width = sized.width;
    place.height = sized.height;
}

// The size to keep for a window now showing `shown`: the stored one while it
// shows as that, else what it shows.
QSize KeptSize(QSize stored, QSize shown, QSize minimum)
{
    return ShownSize(stored, minimum) == shown ? stored : shown;
}

} // namespace

std::vector<int> ChosenCalendars(const Document &d, int tekiyoIndex)
{
    std::vector<int> chosen;
    for (int n : ApplyToTargets(tekiyoIndex, d.CalendarCount()).calendars)
        if (d.Calendar(n))
            chosen.push_back(n);
    return chosen;
}

void LayOutCalendarOnPaper(Document &d, int n, bool keepGridPoints)
{
    if (DocumentCalendar *c = d.Calendar(n))
        LayOutCalendar(*c, CalendarWindowRect(*c, d.paper.layoutSize).width(), keepGridPoints);
}

void ApplyCalendarBackColor(Document &d, int n)
{
    if (DocumentCalendar *c = d.Calendar(n))
        c->backColor = d.settings.backColor;
}

void ApplyCalendarPanelColor(Document &d, int n)
{
    if (DocumentCalendar *c = d.Calendar(n))
        c->panelColor = d.settings.panelColor;
}

void ApplyCalendarAlpha(Document &d, int n)
{
    if (DocumentCalendar *c = d.Calendar(n))
        c->alpha = d.settings.alpha;
}

void ApplyHolidayTextColor(Document &d, int n)
{
    if (DocumentCalendar *c = d.Calendar(n))
        c->holidayColor = d.settings.holidayColor;
}

void ApplyDayTextColor(Document &d, int n)
{
    if (DocumentCalendar *c = d.Calendar(n))
        c->dayTextColor = d.settings.dayTextColor;
}

void ApplyCalendarFont(Document &d, int n)
{
    const QFont chosen = CommonFontFace(d);
    const int points = CommonFontPoints(d);
    const TColorValue color = CommonFontColor(d);
    DocumentCalendar *c = d.Calendar(n);
    if (!c)
        return;
    // The grid's colour is the weekday text colour and stays.
    QFont grid = c->gridFont;
    grid.setFamily(chosen.family());
    grid.setBold(chosen.bold());
    grid.setWeight(chosen.weight());
    grid.setItalic(chosen.italic());
    grid.setUnderline(chosen.underline());
    grid.setStrikeOut(chosen.strikeOut());
    c->gridFont = grid;
    c->gridPoints = std::max(1, points);
    c->titleFont = grid;
    c->titlePoints = std::max(1, TitlePointSize(points));
    c->titleColor = color;
}

void ApplySameBackColor(Document &d, int tekiyoIndex)
{
    for (int n : ChosenCalendars(d, tekiyoIndex))
        d.Calendar(n)->panelColor = d.Calendar(n)->backColor;
    if (const DocumentCalendar *source = d.Calendar(ApplyToSourceCalendar(tekiyoIndex, d.CalendarCount())))
        d.settings.panelColor = source->panelColor;
}

void UpdateMonthTitles(Document &d)
{
    for (DocumentCalendar &c : d.calendars) {
        const QDate m = ValueToDate(c.month);
        c.title = MonthTitleText(d.settings.options.monthMode, m.year(), m.month());
    }
}

QSize StoredCalendarSize(const Document &d, int n)
{
    const DocumentCalendar *c = d.Calendar(n);
    return c ? RectOf(c->bounds, d.paper.layoutSize).size() : QSize();
}

QSize StoredPhotoSize(const Document &d, int i)
{
    return i >= 0 && i < d.photos.size() ? RectOf(d.photos[i].bounds, d.paper.layoutSize).size() : QSize();
}

void PlaceCalendarAt(Document &d, int n, const QRect &onPaper)
{
    DocumentCalendar *c = d.Calendar(n);
    if (!c)
        return;
    const QSize size = KeptSize(StoredCalendarSize(d, n), onPaper.size(), kMinShownCalendar);
    c->bounds = PlaceOf(QRect(onPaper.topLeft(), size), d.paper.layoutSize);
    c->scaleFrom = c->bounds;
}

void PlacePhotoAt(Document &d, int i, const QRect &onPaper)
{
    if (i < 0 || i >= d.photos.size())
        return;
    const QSize size = KeptSize(StoredPhotoSize(d, i), onPaper.size(), kMinShownPhoto);
    DocumentPhoto &p = d.photos[i];
    p.bounds = PlaceOf(QRect(onPaper.topLeft(), size), d.paper.layoutSize);
    p.scaleFrom = p.bounds;
}

void WheelStepCalendar(Document &d, int n, WheelDirection direction, WheelKeys keys)
{
    DocumentCalendar *c = d.Calendar(n);
    if (!c)
        return;
    const QSize next = WheelStep(StoredCalendarSize(d, n), direction, keys, d.paper.layoutSize);
    SetStoredSize(c->bounds, next, d.paper.layoutSize);
    c->scaleFrom = c->bounds;
    LayOutCalendarOnPaper(d, n);
    for (int m : SameSizeFollowers(n, d.CalendarCount(), d.settings.sameSize)) {
        DocumentCalendar *other = d.Calendar(m);
        SetStoredSize(other->bounds, next, d.paper.layoutSize);
        other->scaleFrom = other->bounds;
        LayOutCalendarOnPaper(d, m);
    }
}

void WheelStepPhoto(Document &d, int i, WheelDirection direction, WheelKeys keys)
{
    if (i < 0 || i >= d.photos.size())
        return;
    const QSize next = WheelStep(StoredPhotoSize(d, i), direction, keys, d.paper.layoutSize);
    DocumentPhoto &p = d.photos[i];
    SetStoredSize(p.bounds, next, d.paper.layoutSize);
    p.scaleFrom = p.bounds;
}

void MakeSameSize(Document &d)
{
    if (d.CalendarCount() < 2)
        return;
    const QSize size = StoredCalendarSize(d, 1);
    for (int n = 2; n <= d.CalendarCount(); ++n) {
        DocumentCalendar &c = *d.Calendar(n);
        SetStoredSize(c.bounds, size, d.paper.layoutSize);
        c.scaleFrom = c.bounds;
        LayOutCalendarOnPaper(d, n);
    }
}

void ScaleToPaper(Document &d, QSize paper)
{
    for (DocumentPhoto &p : d.photos)
        p.bounds = PlaceOf(PlacePhotoOnPaper(p.scaleFrom, paper), paper);
    for (DocumentCalendar &c : d.calendars)
        c.bounds = PlaceOf(PlaceCalendarOnPaper(c.scaleFrom, paper), paper);
    d.paper.layoutSize = paper;
    for (int n = 1; n <= d.CalendarCount(); ++n)
        LayOutCalendarOnPaper(d, n);
}

void SetOrientation(Document &d, int orientation, QSize paper)
{
    const QSize old = d.paper.layoutSize;
    d.paper.orientation = orientation;
    d.paper.layoutSize = paper;
    for (DocumentPhoto &p : d.photos) {
        QRect r = PhotoRect(p, old);
        r.setSize(FitPhotoToPaper(r.size(), paper));
        p.bounds = PlaceOf(r, paper);
        p.scaleFrom = p.bounds;
    }
    for (int n = 1; n <= d.CalendarCount(); ++n) {
        DocumentCalendar &c = *d.Calendar(n);
        const QRect r = CalendarWindowRect(c, old);
        const QSize fitted = FitCalendarToPaper(r.size(), paper);
        c.bounds = PlaceOf(QRect(r.topLeft(), fitted), paper);
        c.scaleFrom = c.bounds;
        if (fitted != r.size())
            LayOutCalendarOnPaper(d, n);
    }
}

void SetMonths(Document &d, const std::vector<TDateValue> &months)
{
    const int count = std::clamp(int(months.size()), 1, kMaxCalendars);
    const QSize paper = d.paper.layoutSize;
    while (d.CalendarCount() > count)
        d.calendars.removeLast();
    // New calendars cascade from the paper's corner, 5 pixels apart.
    for (int n = d.CalendarCount() + 1; n <= count; ++n) {
        DocumentCalendar c;
        c.gridFont = DesignGridFont();
        c.titleFont = DesignTitleFont();
        const QSize size = d.settings.sameSize && n > 1 ? CalendarWindowRect(d.calendars[0], paper).size()
                                                        : QSize(paper.width() / 2, paper.height() / 2);
        c.bounds = PlaceOf(QRect(QPoint(5 * n, 5 * n), size), paper);
        c.scaleFrom = c.bounds;
        d.calendars.append(c);
    }
    const DocumentSettings &set = d.settings;
    for (int n = 1; n <= count; ++n) {
        DocumentCalendar &c = *d.Calendar(n);
        c.month = n <= int(months.size()) ? months[n - 1] : c.month;
        c.gridFont = CommonFontFace(d);
        c.gridPoints = CommonFontPoints(d);
        c.dayTextColor = set.dayTextColor;
        c.holidayColor = set.holidayColor;
        c.backColor = set.backColor;
        c.panelColor = set.panelColor;
        // Read after the grid above: while the font follows calendar 1, the
        // titles take its colour, the weekday text colour.
        c.titleFont = CommonFontFace(d);
        c.titleColor = CommonFontColor(d);
        c.alpha = set.alpha;
        LayOutCalendarOnPaper(d, n);
    }
    UpdateMonthTitles(d);
    KeepCalendarOrder(d);
}

} // namespace tamarie
