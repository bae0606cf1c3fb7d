// The picture commands of the main window: adding, replacing and deleting
// photos, their stacking, and the thumbnail of the selected photo.  Each is
// one step of the document.
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

#include "data_folder.h"
#include "dialog_start.h"
#include "dialogs.h"
#include "document_drawing.h"
#include "document_edits.h"
#include "photo_decoder.h"
#include "photo_frames.h"
#include "photo_image.h"
#include "photo_layers.h"
#include "picture_dialog.h"
#include "tform1.h"

namespace tamarie {

void TForm1::ShowThumbnailOf(const QImage &Picture)
{
    if (Picture.isNull()) {
        ImgThumbnail->clear();
        return;
    }
    ImgThumbnail->setPixmap(
        QPixmap::fromImage(Picture.scaled(ImgThumbnail->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TForm1::BtnAddPictureClick() { BtnAddPictureClickFrom(BtnAddPicture); }

void TForm1::BtnAddPictureClickFrom(QObject *Sender)
{
    // A new empty photo at the paper's corner, in front, selected; the
    // thumbnail stays as it was.
    Document d = Doc();
    const PaperPlace place = PlaceOf(kNewPhotoBounds, d.paper.layoutSize);
    d.selectedPhoto = AddPhoto(d, {QString(), place, place, 0});
    const quint64 serial = ++PressSerial;
    KeepThumbnail = true;
    Edit(QStringLiteral("画像の追加"), d, {kMergePhotoAdd, serial});
    KeepThumbnail = false;
    if (Sender != BtnAddPicture)
        return;
    // The picture chosen for it belongs to the same step.
    PendingAddSerial = serial;
    BtnLoadPictureClick();
    PendingAddSerial = 0;
}

void TForm1::BtnLoadPictureClick()
{
    if (SelectedImgPictureNo() == -1)
        return;
    const QString config = ConfigIniPath(DataFolda);
    const dialogs::FileAnswer answer = dialogs::OpenPicture(
        QStringLiteral("画像を開く"), PhotoDialogFilter(), DialogStartFolder(config, DialogFolder::Photo), this,
        [](const QString &path, const QSize &box) { return DecodePhotoWithin(path, box).image; });
    if (answer.path.isEmpty())
        return;
    RememberDialogFolder(config, DialogFolder::Photo, answer.path);
    ReplacePicture(SelectedImgPictureNo(), answer.path);
}

bool TForm1::ReplacePicture(int I, const QString &Path)
{
    if (I < 0 || I >= ImgCount())
        return false;
    DocumentPhoto photo = Doc().photos[I];
    photo.fileName = Path;
    photo.quarterTurns = 0;
    // A file whose header cannot be decoded leaves the photo as it was.
    const PhotoProbe probe = ProbePhoto(Path);
    if (!probe.Ok()) {
        dialogs::ShowMessage(probe.error, this);
        return false;
    }
    // The picture at its own proportions within the frame, centred.
    const QRect frame = ImgPicture.value(I) ? ImgPicture[I]->geometry() : PhotoRect(photo, PaperSize());
    Document d = Doc();
    d.photos[I] = photo;
    PlacePhotoAt(d, I, FittedFrame(probe.size, frame));
    if (PendingAddSerial)
        Edit(QStringLiteral("画像の追加"), d, {kMergePhotoAdd, PendingAddSerial});
    else
        Edit(QStringLiteral("画像の変更"), d);
    return true;
}

void TForm1::BtnDeletePictureClick() { BtnDeletePictureClickFrom(BtnDeletePicture); }

void TForm1::BtnDeletePictureClickFrom(QObject *Sender)
{
    const int i = SelectedImgPictureNo();
    if (i == -1)
        return;
    if (Sender == BtnDeletePicture && !dialogs::Confirm(DeletePhotoQuestion(ImageFileName().value(i)), this))
        return;
    Document d = Doc();
    RemovePhoto(d, i);
    d.selectedPhoto = d.PhotoCount() > 0 ? 0 : -1;
    Edit(QStringLiteral("画像の削除"), d);
}

void TForm1::TurnSelectedPhoto(int QuarterTurns)
{
    const int i = SelectedImgPictureNo();
    if (i < 0 || i >= ImgPicture.size())
        return;
    Document d = Doc();
    DocumentPhoto &p = d.photos[i];
    p.quarterTurns = ((p.quarterTurns + QuarterTurns) % 4 + 4) % 4;
    // A quarter turn turns the frame about its centre with the picture.
    if (QuarterTurns % 2)
        PlacePhotoAt(d, i, TurnedFrame(ImgPicture[i]->geometry()));
    Edit(QuarterTurns > 0 ? QStringLiteral("右に90°回転") : QStringLiteral("左に90°回転"), d);
}

void TForm1::RestorePhotoProportions()
{
    const int i = SelectedImgPictureNo();
    if (i < 0 || i >= ImgPicture.size())
        return;
    Document d = Doc();
    PlacePhotoAt(d, i, ProportionedFrame(ImgPicture[i]->PixelSize(), ImgPicture[i]->geometry()));
    Edit(QStringLiteral("元の縦横比に戻す"), d);
}

void TForm1::MenuTopClick()
{
    Document d = Doc();
    BringPhotoToFront(d, d.selectedPhoto);
    Edit(QStringLiteral("前面へ"), d);
}

void TForm1::MenuBackClick()
{
    Document d = Doc();
    SendPhotoToBack(d, d.selectedPhoto);
    Edit(QStringLiteral("背面へ"), d);
}

} // namespace tamarie
