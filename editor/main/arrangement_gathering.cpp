// What the capture composes: the paper with its photos and the calendar
// pairs over it, each rendered by its own window rather than read back from
// the screen, and the order in which the calendars lie on top of each other.
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QSet>
#include <functional>

#include "arrangement_capture.h"
#include "arrangement_painter.h"
#include "back_form.h"
#include "calendar_form.h"
#include "month_grid.h"
#include "photo_image.h"
#include "radio_group.h"
#include "document_drawing.h"
#include "document_edits.h"
#include "tform1.h"

namespace tamarie {

namespace {

// Top-level windows give no stacking order, so the document keeps it: a
// calendar or backing window the user activates brings its pair to the
// front (activation raises it, and the backing window then puts itself right
// behind its calendar).  Windows the document shows anew come on top of the
// others, as it has them.
class CalendarStackingWatch : public QObject {
public:
    CalendarStackingWatch(TForm1 *form, std::function<void(int)> raised)
        : QObject(form), Form(form), Raised(std::move(raised))
    {
        setObjectName(Name());
    }
    static QString Name() { return QStringLiteral("CalendarStackingWatch"); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            for (int n = 1; n <= kMaxCalendars; ++n) {
                if (watched == Form->CalForm[n] || watched == Form->ABackForm[n]) {
                    Raised(n);
                    break;
                }
            }
        }
        return false;
    }

private:
    TForm1 *Form;
    std::function<void(int)> Raised;
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
    qApp->installEventFilter(new CalendarStackingWatch(this, [this](int n) {
        if (Doc().calendarOrder.value(Doc().calendarOrder.size() - 1) == n)
            return;
        Document d = Doc();
        RaiseCalendar(d, n);
        Adjust(d);
    }));
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
    QVector<int> order;
    for (int n : Doc().calendarOrder)
        if (n >= 1 && n <= kMaxCalendars && CalForm[n] && CalForm[n]->isVisible())
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
    return ArrangementOf(Doc(), Panel1->logicalDpiY());
}

void TForm1::PaintCalendarWindow(int N, QPainter &Painter, CalendarSurface Surface) const
{
    TplCalendarForm *cal = CalendarPair(N).Cal;
    if (!cal || !Doc().Calendar(N))
        return;
    const CalendarDisplayOptions options = DisplayOptions();
    // The grid's layout follows the first-weekday setting before anything is
    // drawn, so that its clicks land on the days shown.
    cal->Calendar->SetStartOfWeek(options.firstDayOfWeek);
    const CalendarLayer c = CalendarLayerOf(Doc(), N, QPoint(0, 0));
    PaintCalendar(Painter, c, options, PaintData(), cal->Calendar->logicalDpiY(), Surface);
}

CalendarDisplayOptions TForm1::DisplayOptions() const
{
    CalendarDisplayOptions o = Doc().settings.options;
    o.firstDayOfWeek = std::max(0, o.firstDayOfWeek);
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
