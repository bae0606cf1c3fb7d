// The photo controls on the paper as the user handles them: a click selects
// (and focuses the settings pages, for the wheel), the left button drags, the
// right button selects and opens the popup menu.  Every change goes into the
// document; the controls follow it.
#include "photo_layers.h"

#include "document_edits.h"
#include "photo_image.h"
#include "tform1.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <cstdlib>

namespace tamarie {

QString DeletePhotoQuestion(const QString &fileName)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    QString name = fileName.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return QStringLiteral("画像\"") + name + QStringLiteral("\"を削除しますか?");
}

std::optional<QPoint> PhotoDragOffset(const QPoint &downPoint, const QPoint &pointer)
{
    const QPoint d = pointer - downPoint;
    if (std::abs(d.x()) <= kPhotoDragThreshold && std::abs(d.y()) <= kPhotoDragThreshold)
        return std::nullopt;
    return d;
}

void TForm1::AttachPhoto(TImage *Photo)
{
    Photo->installEventFilter(this);
    // The thumbnail follows the selected photo's copy as it comes.
    connect(Photo, &TImage::ScreenCopyChanged, this, [this, Photo] {
        if (!KeepThumbnail && ImgPicture.value(Doc().selectedPhoto) == Photo)
            UpdateThumbnail();
    });
}

bool TForm1::PhotoEvent(TImage *Photo, QEvent *Event)
{
    switch (Event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(Event);
        if (e->button() == Qt::LeftButton)
            PressedPhoto = Photo;
        PhotoMouseDown(Photo, e->button(), e->position().toPoint());
        return false;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(Event);
        PhotoMouseMove(Photo, e->buttons(), e->position().toPoint());
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(Event);
        if (e->button() == Qt::LeftButton && PressedPhoto == Photo) {
            PressedPhoto = nullptr;
            if (Photo->rect().contains(e->position().toPoint()))
                PhotoClick(Photo);
        }
        return false;
    }
    case QEvent::ContextMenu:
        PopupMenu1->popup(static_cast<QContextMenuEvent *>(Event)->globalPos());
        return true;
    case QEvent::Move:
    case QEvent::Resize:
        PhotoControlMoved(Photo);
        return false;
    default:
        return false;
    }
}

void TForm1::SelectPhoto(int I)
{
    if (I < 0 || I >= ImgCount())
        return;
    Document d = Doc();
    d.selectedPhoto = I;
    Adjust(d);
    UpdateThumbnail();
}

void TForm1::PhotoClick(TImage *Sender)
{
    // The wheel acts on the photo only while the settings pages have the focus.
    PageControl1->setFocus(Qt::MouseFocusReason);
    const int i = int(ImgPicture.indexOf(Sender));
    if (i >= 0 && i != SelectedImgPictureNo())
        SelectPhoto(i);
}

void TForm1::PhotoMouseDown(TImage *Sender, Qt::MouseButton Button, const QPoint &Pos)
{
    Image1MouseDownPoint = Pos;
    ++PressSerial;
    if (Button != Qt::RightButton)
        return;
    // The popup menu acts on the photo under the pointer.
    const int i = int(ImgPicture.indexOf(Sender));
    if (i >= 0 && i != SelectedImgPictureNo())
        SelectPhoto(i);
}

void TForm1::PhotoMouseMove(TImage *Sender, Qt::MouseButtons Buttons, const QPoint &Pos)
{
    const int i = int(ImgPicture.indexOf(Sender));
    if (!(Buttons & Qt::LeftButton) || i < 0)
        return;
    const std::optional<QPoint> offset = PhotoDragOffset(Image1MouseDownPoint, Pos);
    if (!offset)
        return;
    Document d = Doc();
    PlacePhotoAt(d, i, Sender->geometry().translated(*offset));
    // The moves of one press are one step, and the photo they move is selected
    // with it (as the release would).
    d.selectedPhoto = i;
    Edit(QStringLiteral("画像の移動"), d, {kMergePhotoMove, PressSerial});
}

} // namespace tamarie
