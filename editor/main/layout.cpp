// The editing area: the paper follows the main window's size and the chosen
// orientation, photos and calendars scale with it, and the paper colour.
#include <QApplication>
#include <QFrame>
#include <QTimer>

#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "paper_layout.h"
#include "photo_image.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

void TForm1::FormResize() { FormResizeFrom(this); }

void TForm1::FormResizeFrom(QObject *Sender)
{
    if (IsStart || IsLoadingFile)
        return;
    // Still resizing with the button held: wait for the release.
    if (Sender != RadioGroupHoko && (QGuiApplication::mouseButtons() & Qt::LeftButton) && ResizeTimer) {
        ResizeTimer->start(100);
        return;
    }
    if (isMinimized()) {
        IsMinimized = true;
        return;
    }
    if (IsMinimized) {
        IsMinimized = false;
        return;
    }

    const int cw = ClientWidth();
    PanelConfig->move(cw - PanelConfig->width() - 10, PanelConfig->y());
    const auto orientation =
        RadioGroupHoko->ItemIndex() == 1 ? PaperOrientation::Landscape : PaperOrientation::Portrait;
    const PaperLayout paper = ResizePaperLayout(QSize(cw, ClientHeight()), PanelConfig->width(), orientation);
    Panel1->resize(paper.paper);

    const QSize previousPaper(CurrentPanelWidth, CurrentPanelHeight);
    PaperLayoutRunning = true;
    if (Sender == RadioGroupHoko) {
        // A new orientation only fits photos and calendars into the paper;
        // their places on it are taken afresh from there.
        for (TImage *photo : ImgPicture) {
            photo->resize(FitPhotoToPaper(photo->size(), paper.paper));
            PhotoOnPaper[photo] = {ToPaperRelative(photo->geometry(), paper.paper), photo->geometry()};
        }
        if (CalendarCount > 0)
            QApplication::processEvents();
        for (int n = 1; n <= CalendarCount && n <= kMaxCalendars; ++n) {
            TplCalendarForm *cal = CalForm[n];
            if (!cal)
                continue;
            const QSize fitted = FitCalendarToPaper(cal->size(), paper.paper);
            if (fitted != cal->size()) {
                cal->resize(fitted);
                PlaceCalendar(n, true);
            }
            RecordCalendarPlace(n);
        }
    } else {
        // Everything is placed from its place relative to the paper, never
        // from bounds an earlier, smaller paper cut or moved.
        for (TImage *photo : ImgPicture) {
            TPhotoPaperPlace &place = PhotoOnPaper[photo];
            if (!place.relative.valid || photo->geometry() != place.laidOut)
                place.relative = ToPaperRelative(photo->geometry(), previousPaper);
            place.laidOut = PlacePhotoOnPaper(place.relative, paper.paper);
            photo->setGeometry(place.laidOut);
        }
        if (CalendarCount > 0)
            QApplication::processEvents();
        const QPoint origin = PaperOrigin();
        for (int n = 1; n <= CalendarCount && n <= kMaxCalendars; ++n) {
            TplCalendarForm *cal = CalForm[n];
            if (!cal)
                continue;
            if (!CalendarOnPaper[n].valid)
                CalendarOnPaper[n] = ToPaperRelative(QRect(cal->pos() - origin, cal->size()), previousPaper);
            const QRect r = PlaceCalendarOnPaper(CalendarOnPaper[n], paper.paper).translated(origin);
            CalendarLaidOut[n] = r;
            cal->setGeometry(r);
            PlaceCalendar(n, true);
        }
    }
    PaperLayoutRunning = false;

    UpdateScrollRange();
    update();
    LaidOutClientSize = QSize(ClientWidth(), ClientHeight());
    CurrentPanelWidth = Panel1->width();
    CurrentPanelHeight = Panel1->height();
}

QPoint TForm1::PaperOrigin() const
{
    return ClientArea->mapToGlobal(Panel1->pos());
}

void TForm1::RecordCalendarPlace(int N)
{
    const TplCalendarForm *cal = CalendarPair(N).Cal;
    if (!cal)
        return;
    CalendarLaidOut[N] = QRect(cal->pos(), cal->size());
    CalendarOnPaper[N] = ToPaperRelative(QRect(cal->pos() - PaperOrigin(), cal->size()), Panel1->size());
}

void TForm1::RememberCalendarPlace(int N)
{
    const TplCalendarForm *cal = CalendarPair(N).Cal;
    if (IsStart || PaperLayoutRunning || !cal)
        return;
    // The window system confirms the bounds the layout gave later on.
    if (QRect(cal->pos(), cal->size()) == CalendarLaidOut[N])
        return;
    RecordCalendarPlace(N);
}

void TForm1::RadioGroupHokoClick()
{
    if (!IsLoadingFile)
        FormResizeFrom(RadioGroupHoko);
}

void TForm1::ColorBoxPaperColorChange()
{
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, ValueToColor(ColorBoxPaperColor->Selected()));
    Panel1->setPalette(pal);
    Panel1->update();
}

} // namespace tamarie
