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

    for (TImage *photo : ImgPicture)
        photo->resize(FitPhotoToPaper(photo->size(), paper.paper));

    if (CalendarCount > 0) {
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
        }
    }

    if (Sender != RadioGroupHoko) {
        const PaperScale scale = ComputePaperScale(paper.paper, QSize(CurrentPanelWidth, CurrentPanelHeight));
        for (TImage *photo : ImgPicture)
            photo->setGeometry(ScalePhoto(photo->geometry(), scale, paper.paper));
        const QRect mainFrame = frameGeometry();
        for (int n = 1; n <= CalendarCount && n <= kMaxCalendars; ++n) {
            TplCalendarForm *cal = CalForm[n];
            if (!cal)
                continue;
            cal->setGeometry(ScaleCalendar(QRect(cal->pos(), cal->size()), scale, mainFrame));
            PlaceCalendar(n, true);
        }
    }

    UpdateScrollRange();
    update();
    LaidOutClientSize = QSize(ClientWidth(), ClientHeight());
    CurrentPanelWidth = Panel1->width();
    CurrentPanelHeight = Panel1->height();
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
