#include "picture_save.h"

#include "busy_cursor.h"
#include "platform/dialogs.h"

#include <QFileInfo>

namespace tamarie {

QString PictureFileFilter()
{
    return QStringLiteral("ピクチャファイル (*.bmp *.png *.jpg);;ビットマップ (*.bmp);;PNGファイル (*.png);;JPEGファイル (*.jpg)");
}

QString FileExtension(const QString &fileName)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return {};
    return fileName.mid(dot);
}

QString WithPictureExtension(const QString &fileName, int filterIndex)
{
    if (fileName.isEmpty() || !FileExtension(fileName).isEmpty())
        return fileName;
    switch (filterIndex) {
    case 2:
        return fileName + QStringLiteral(".bmp");
    case 3:
        return fileName + QStringLiteral(".png");
    default:
        return fileName + QStringLiteral(".jpg");
    }
}

PictureFormat PictureFormatFor(const QString &fileName)
{
    const QString ext = FileExtension(fileName);
    if (ext == QStringLiteral(".png"))
        return PictureFormat::Png;
    if (ext == QStringLiteral(".jpg"))
        return PictureFormat::Jpeg;
    return PictureFormat::Bmp;
}

QString OverwriteQuestion(const QString &fileName)
{
    return QLatin1Char('"') + fileName + QStringLiteral("\"は既に存在しますが 、上書きしますか？");
}

bool SavePictureFile(const QImage &picture, const QString &fileName, QWidget *parent)
{
    if (QFileInfo::exists(fileName) && !dialogs::Confirm(OverwriteQuestion(fileName), parent))
        return false;
    QString error;
    bool ok;
    {
        BusyCursor busy;
        ok = WritePicture(picture, fileName, PictureFormatFor(fileName), &error);
    }
    if (!ok)
        dialogs::ShowMessage(fileName + QLatin1Char('\n') + error, parent);
    return ok;
}

} // namespace tamarie
