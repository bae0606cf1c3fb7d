// The editing area: the paper follows the main window's size and the chosen
// orientation, photos and calendars scale with it, and the paper colour.
#include <QApplication>
#include <QFrame>
#include <QTimer>

#include "color_box.h"
#include "document_edits.h"
#include "paper_layout.h"
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
    const int orientation = Sender == RadioGroupHoko ? RadioGroupHoko->ItemIndex() : Doc().paper.orientation;
    const PaperLayout paper = ResizePaperLayout(
        QSize(cw, ClientHeight()), PanelConfig->width(),
        orientation == 1 ? PaperOrientation::Landscape : PaperOrientation::Portrait);
    Document d = Doc();
    if (Sender == RadioGroupHoko) {
        // A new orientation only fits photos and calendars into the paper.
        SetOrientation(d, orientation, paper.paper);
        Edit(QStringLiteral("用紙の向き"), d);
    } else {
        // Everything is placed from its place relative to the paper, never
        // from bounds an earlier, smaller paper cut or moved.
        ScaleToPaper(d, paper.paper);
        Adjust(d);
    }
    UpdateScrollRange();
    update();
    LaidOutClientSize = QSize(ClientWidth(), ClientHeight());
}

void TForm1::RadioGroupHokoClick()
{
    if (!IsLoadingFile) {
        FormResizeFrom(RadioGroupHoko);
        return;
    }
    Document d = Doc();
    d.paper.orientation = RadioGroupHoko->ItemIndex();
    Adjust(d);
}

void TForm1::ColorBoxPaperColorChange()
{
    Document d = Doc();
    d.paper.color = ColorBoxPaperColor->Selected();
    Edit(QStringLiteral("用紙の色"), d);
}

} // namespace tamarie
