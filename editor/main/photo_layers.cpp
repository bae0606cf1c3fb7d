#include "photo_layers.h"

#include "dialogs.h"
#include "photo_frames.h"
#include "photo_image.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>

namespace tamarie {

namespace {
constexpr QRect kNewPhotoBounds(0, 0, 200, 150);
} // namespace

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

TPhotoLayers::TPhotoLayers(QWidget *paper, TPhotoList &photos, QPoint &mouseDownPoint, QObject *parent)
    : QObject(parent), Paper(paper), F(photos), MouseDownPoint(mouseDownPoint)
{
}

void TPhotoLayers::Attach(TImage *photo)
{
    if (!photo)
        return;
    photo->installEventFilter(this);
    // The thumbnail follows the selected photo's copy as it comes.
    if (!Attached.contains(photo)) {
        Attached.insert(photo);
        connect(photo, &TImage::ScreenCopyChanged, this, [this, photo] {
            if (photo == Selected())
                UpdateThumbnail();
        });
        connect(photo, &QObject::destroyed, this, [this, photo] { Attached.remove(photo); });
    }
}

TImage *TPhotoLayers::Selected() const
{
    const int i = F.SelectedImgPictureNo;
    return i >= 0 && i < F.ImgPicture.size() ? F.ImgPicture[i] : nullptr;
}

int TPhotoLayers::IndexOf(const TImage *photo) const
{
    if (!photo)
        return -1;
    const int tag = photo->Tag;
    if (tag >= 0 && tag < F.ImgPicture.size() && F.ImgPicture[tag] == photo)
        return tag;
    return int(F.ImgPicture.indexOf(const_cast<TImage *>(photo)));
}

int TPhotoLayers::Add()
{
    auto *photo = new TImage(Paper);
    const int index = F.Append(photo);
    photo->setGeometry(kNewPhotoBounds);
    photo->Tag = index;
    Attach(photo);
    photo->raise();
    photo->show();
    F.SelectedImgPictureNo = index;
    return index;
}

bool TPhotoLayers::Replace(const QString &path)
{
    TImage *photo = Selected();
    if (!photo)
        return false;
    const PhotoProbe probe = ProbePhoto(path);
    if (!probe.Ok()) {
        dialogs::ShowMessage(probe.error, DialogParent);
        return false;
    }
    photo->ShowPhoto(path);
    photo->setGeometry(FittedFrame(photo->PixelSize(), photo->geometry()));
    F.SetFileName(F.SelectedImgPictureNo, path);
    UpdateThumbnail();
    return true;
}

void TPhotoLayers::Delete()
{
    const int selected = F.SelectedImgPictureNo;
    if (selected < 0 || selected >= F.ImgPicture.size())
        return;
    const int count = int(F.ImgPicture.size());
    for (int i = selected; i <= count - 2; ++i) {
        TImage *to = F.ImgPicture[i];
        const TImage *from = F.ImgPicture[i + 1];
        F.SetFileName(i, F.FileName(i + 1));
        to->setGeometry(from->geometry());
        to->Tag = i;
        to->ShowPhoto(from->FileName(), from->QuarterTurns());
    }
    TImage *last = F.TakeLast();
    if (Pressed == last)
        Pressed = nullptr;
    delete last;
    F.SelectedImgPictureNo = F.ImgCount > 0 ? 0 : -1;
    UpdateThumbnail();
}

void TPhotoLayers::Select(int index)
{
    if (index < 0 || index >= F.ImgPicture.size())
        return;
    F.SelectedImgPictureNo = index;
    UpdateThumbnail();
}

void TPhotoLayers::BringToFront()
{
    if (TImage *photo = Selected())
        photo->raise();
}

void TPhotoLayers::SendToBack()
{
    TImage *photo = Selected();
    if (!photo)
        return;
    // Behind the lowest other photo, not behind whatever else the paper holds.
    const QObjectList &children = Paper->children();
    for (QObject *child : children) {
        auto *other = qobject_cast<TImage *>(child);
        if (other && other != photo && F.ImgPicture.contains(other)) {
            photo->stackUnder(other);
            return;
        }
    }
}

void TPhotoLayers::TurnSelected(int quarterTurns)
{
    if (TImage *photo = Selected()) {
        photo->ShowPhoto(photo->FileName(), photo->QuarterTurns() + quarterTurns);
        if (quarterTurns % 2)
            photo->setGeometry(TurnedFrame(photo->geometry()));
    }
}

void TPhotoLayers::RestoreProportions()
{
    if (TImage *photo = Selected())
        photo->setGeometry(ProportionedFrame(photo->PixelSize(), photo->geometry()));
}

void TPhotoLayers::UpdateThumbnail()
{
    if (!ShowThumbnail)
        return;
    const TImage *photo = Selected();
    ShowThumbnail(photo ? photo->ScreenCopy() : QImage());
}

void TPhotoLayers::Image1Click(TImage *sender)
{
    if (FocusSettings)
        FocusSettings();
    const int index = IndexOf(sender);
    if (index >= 0 && index != F.SelectedImgPictureNo)
        Select(index);
}

void TPhotoLayers::Image1MouseDown(TImage *sender, Qt::MouseButton button, const QPoint &pos)
{
    MouseDownPoint = pos;
    if (button != Qt::RightButton)
        return;
    const int index = IndexOf(sender);
    if (index >= 0 && index != F.SelectedImgPictureNo)
        Select(index);
}

void TPhotoLayers::Image1MouseMove(TImage *sender, Qt::MouseButtons buttons, const QPoint &pos)
{
    if (!(buttons & Qt::LeftButton) || !sender)
        return;
    const std::optional<QPoint> offset = PhotoDragOffset(MouseDownPoint, pos);
    if (!offset)
        return;
    sender->move(sender->x() + offset->x(), sender->y());
    sender->move(sender->x(), sender->y() + offset->y());
}

bool TPhotoLayers::eventFilter(QObject *watched, QEvent *event)
{
    auto *photo = qobject_cast<TImage *>(watched);
    if (!photo)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton)
            Pressed = photo;
        Image1MouseDown(photo, e->button(), e->position().toPoint());
        return false;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        Image1MouseMove(photo, e->buttons(), e->position().toPoint());
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton && Pressed == photo) {
            Pressed = nullptr;
            if (photo->rect().contains(e->position().toPoint()))
                Image1Click(photo);
        }
        return false;
    }
    case QEvent::ContextMenu: {
        auto *e = static_cast<QContextMenuEvent *>(event);
        if (OpenPopup) {
            OpenPopup(photo, e->globalPos());
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace tamarie
