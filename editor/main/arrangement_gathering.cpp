// What the capture composes: the paper with its photos and the calendar
// pairs over it, each rendered by its own window rather than read back from
// the screen, and the order in which the calendars lie on top of each other.
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QSet>

#include "arrangement_capture.h"
#include "arrangement_painter.h"
#include "back_form.h"
#include "calendar_form.h"
#include "month_grid.h"
#include "photo_image.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

namespace {

// Top-level windows give no stacking order, so it is kept here: a calendar
// or backing window that is shown or activated brings its pair to the front
// (activation raises it, and the backing window then puts itself right
// behind its calendar).
class CalendarStackingWatch : public QObject {
public:
    explicit CalendarStackingWatch(TForm1 *form) : QObject(form), Form(form) { setObjectName(Name()); }
    static QString Name() { return QStringLiteral("CalendarStackingWatch"); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Show || type == QEvent::WindowActivate) && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            for (int n = 1; n <= kMaxCalendars; ++n) {
                if (watched == Form->CalForm[n] || watched == Form->ABackForm[n]) {
                    Form->CalendarStacking.removeAll(n);
                    Form->CalendarStacking.append(n);
                    break;
                }
            }
        }
        return false;
    }

private:
    TForm1 *Form;
};

// A colour that does not occur in img, for a calendar whose colour key is
// off: none of its pixels may then be left out.
QRgb UnusedColour(const QImage &img)
{
    QSet<QRgb> used;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            used.insert(line[x] & 0xFFFFFF);
    }
    QRgb c = 0x010203;
    while (used.contains(c))
        ++c;
    return c;
}

} // namespace

void TForm1::WatchCalendarStacking()
{
    if (findChild<QObject *>(CalendarStackingWatch::Name(), Qt::FindDirectChildrenOnly))
        return;
    qApp->installEventFilter(new CalendarStackingWatch(this));
}

QImage TForm1::RenderPaper() const
{
    // Same size as the paper, so the capture rectangle (client (5, 5), paper
    // size less 20) comes out as on screen; the last column and row, beyond
    // the paper's client area, are never part of it.  Photos still being
    // decoded for the screen are waited for.
    WaitForScreenCopies();
    QImage paper(Panel1->size(), QImage::Format_RGB32);
    paper.fill(Panel1->palette().color(QPalette::Window));
    Panel1->render(&paper, -Panel1->contentsRect().topLeft(), QRegion(Panel1->rect()));
    return paper;
}

QVector<int> TForm1::CalendarStackingOrder() const
{
    auto visible = [this](int n) {
        return n >= 1 && n <= CalendarCount && CalForm[n] && CalForm[n]->isVisible();
    };
    QVector<int> order;
    // Calendars never seen coming to the front lie below, in creation order.
    for (int n = 1; n <= CalendarCount && n <= kMaxCalendars; ++n)
        if (visible(n) && !CalendarStacking.contains(n))
            order.append(n);
    for (int n : CalendarStacking)
        if (visible(n))
            order.append(n);
    return order;
}

ArrangementRendering TForm1::GatherArrangement()
{
    ArrangementRendering arrangement;
    arrangement.paper = RenderPaper();
    arrangement.landscape = RadioGroupHoko->ItemIndex() == 1;  // "横"

    const QPoint origin = Panel1->mapToGlobal(Panel1->contentsRect().topLeft());
    auto onPaper = [&origin](const QRect &global) { return global.translated(-origin); };

    for (int n : CalendarStackingOrder()) {
        TplCalendarForm *cal = CalForm[n];
        CalendarPairRendering pair;
        if (TBackForm *back = ABackForm[n]; back && back->Shown()) {
            pair.backGeometry = onPaper(back->geometry());
            pair.backColor = ValueToColor(back->Color());
            pair.alpha = back->AlphaBlendValue();
        } else {
            pair.alpha = 0;
        }
        pair.calendarGeometry = onPaper(cal->geometry());
        // The window's rendering leaves its key colour clear; the composition
        // wants an opaque picture with the key colour in those places.
        const QImage own = cal->RenderImage();
        const QRgb key =
            cal->TransparentColor() ? ResolveColorValue(cal->TransparentColorValue()).rgb() : UnusedColour(own);
        QImage rendering(own.size(), QImage::Format_RGB32);
        rendering.fill(key);
        {
            QPainter p(&rendering);
            p.drawImage(0, 0, own);
        }
        pair.calendar = rendering;
        pair.keyColor = QColor::fromRgb(key);
        arrangement.pairs.push_back(std::move(pair));
    }
    return arrangement;
}

Arrangement TForm1::CaptureArrangement() const
{
    Arrangement a;
    a.paperSize = Panel1->size();  // as the screen-sized picture takes it
    a.landscape = RadioGroupHoko->ItemIndex() == 1;  // "横"
    a.paperColor = ColorToValue(Panel1->palette().color(QPalette::Window));
    a.options = DisplayOptions();

    // Photos in the paper's stacking order, bottom first.
    const QPoint paperOrigin = Panel1->contentsRect().topLeft();
    for (QObject *child : Panel1->children()) {
        const auto *photo = qobject_cast<const TImage *>(child);
        if (!photo || !photo->isVisibleTo(Panel1))
            continue;
        PhotoLayer layer;
        const int i = ImgPicture.indexOf(const_cast<TImage *>(photo));
        layer.fileName = i >= 0 ? ImageFileName.value(i) : QString();
        layer.quarterTurns = photo->QuarterTurns();
        layer.bounds = photo->geometry().translated(-paperOrigin);
        a.photos.push_back(std::move(layer));
    }

    const QPoint origin = Panel1->mapToGlobal(paperOrigin);
    bool dpiTaken = false;
    for (int n : CalendarStackingOrder()) {
        if (!dpiTaken) {
            a.fontDpi = CalForm[n]->Calendar->logicalDpiY();
            dpiTaken = true;
        }
        a.calendars.push_back(CalendarLayerOf(n, origin));
    }
    return a;
}

CalendarLayer TForm1::CalendarLayerOf(int n, const QPoint &origin) const
{
    const TplCalendarForm *cal = CalForm[n];
    const TBackForm *back = ABackForm[n];
    CalendarLayer c = cal->OwnLayer();
    c.index = n;
    c.bounds = cal->geometry().translated(-origin);
    c.backVisible = back && back->Shown();
    // A backing that is part of its calendar window covers just that window.
    c.backBounds = back && !back->PartOfCalendar() ? back->geometry().translated(-origin) : c.bounds;
    c.alpha = c.backVisible ? back->AlphaBlendValue() : 0;
    if (back)
        c.backColor = back->Color();
    c.holidayColor = HolidayTextColor[n];
    return c;
}

void TForm1::PaintCalendarWindow(int N, QPainter &Painter, CalendarSurface Surface) const
{
    TplCalendarForm *cal = CalendarPair(N).Cal;
    if (!cal)
        return;
    const CalendarDisplayOptions options = DisplayOptions();
    // The grid's layout follows the first-weekday setting before anything is
    // drawn, so that its clicks land on the days shown.
    cal->Calendar->SetStartOfWeek(options.firstDayOfWeek);
    const CalendarLayer c = CalendarLayerOf(N, cal->geometry().topLeft());
    PaintCalendar(Painter, c, options, PaintData(), cal->Calendar->logicalDpiY(), Surface);
}

CalendarDisplayOptions TForm1::DisplayOptions() const
{
    CalendarDisplayOptions o;
    o.firstDayOfWeek = std::max(0, RadioGroupFirstDayOfWeek->ItemIndex());
    o.monthMode = RadioGroupMonthMode->ItemIndex();
    o.weekDayMode = RadioGroupWeekDayMode->ItemIndex();
    o.showAlmanac = CheckBoxShowRokuyo->isChecked();
    return o;
}

CalendarPaintData TForm1::PaintData() const
{
    CalendarPaintData d;
    d.data = &DayCells;
    d.weekdays = DayData.Weekdays;
    return d;
}

QPoint TForm1::PaperBottomRight() const
{
    return Panel1->mapToGlobal(Panel1->contentsRect().topLeft() + QPoint(Panel1->width(), Panel1->height()));
}

} // namespace tamarie
