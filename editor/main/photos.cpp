// The picture commands of the main window: adding, replacing and deleting
// photos, their stacking, and the thumbnail of the selected photo.
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

#include "data_folder.h"
#include "dialog_start.h"
#include "dialogs.h"
#include "picture_dialog.h"
#include "photo_image.h"
#include "photo_layers.h"
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
    PhotoLayers->Add();
    if (Sender == BtnAddPicture)
        BtnLoadPictureClick();
}

void TForm1::BtnLoadPictureClick()
{
    if (SelectedImgPictureNo == -1)
        return;
    const QString config = ConfigIniPath(DataFolda);
    const dialogs::FileAnswer answer = dialogs::OpenPicture(
        QStringLiteral("画像を開く"), PhotoDialogFilter(), DialogStartFolder(config, DialogFolder::Photo), this,
        [](const QString &path, const QSize &box) { return DecodePhotoWithin(path, box).image; });
    if (answer.path.isEmpty())
        return;
    RememberDialogFolder(config, DialogFolder::Photo, answer.path);
    PhotoLayers->Replace(answer.path);
}

void TForm1::BtnDeletePictureClick() { BtnDeletePictureClickFrom(BtnDeletePicture); }

void TForm1::BtnDeletePictureClickFrom(QObject *Sender)
{
    if (SelectedImgPictureNo == -1)
        return;
    if (Sender == BtnDeletePicture &&
        !dialogs::Confirm(DeletePhotoQuestion(ImageFileName.value(SelectedImgPictureNo)), this))
        return;
    PhotoLayers->Delete();
    if (!ImgPicture.contains(Image1))
        Image1 = nullptr;
}

void TForm1::MenuTopClick() { PhotoLayers->BringToFront(); }

void TForm1::MenuBackClick() { PhotoLayers->SendToBack(); }

} // namespace tamarie
