#pragma once
// The rules of the save-as-picture command that do not need a window: the
// dialog's filter list, the extension added for a chosen filter entry, the
// format an extension selects, and the overwrite question.
#include "picture_files.h"

#include <QImage>
#include <QString>

class QWidget;

namespace tamarie {

// Dialog filter, entries 1 to 4: all pictures, bitmap, PNG, JPEG.
QString PictureFileFilter();

// The extension of the file-name part, from its last "." (dot included);
// empty when there is none.
QString FileExtension(const QString &fileName);

// A name typed without extension gets the one of the chosen filter entry:
// 1 -> .jpg, 2 -> .bmp, 3 -> .png, 4 -> .jpg, anything else -> .jpg.
QString WithPictureExtension(const QString &fileName, int filterIndex);

// ".png" -> PNG, ".jpg" -> JPEG, compared exactly (case included); any other
// extension, ".bmp" included, gives a bitmap.
PictureFormat PictureFormatFor(const QString &fileName);

// "\"<path>\"は既に存在しますが 、上書きしますか？"
QString OverwriteQuestion(const QString &fileName);

// Writes picture to fileName, asking first when the file exists. Returns true
// when the file was written; a declined question leaves the file untouched,
// a failure shows the error's own text. Shows a busy cursor while writing.
bool SavePictureFile(const QImage &picture, const QString &fileName, QWidget *parent = nullptr);

} // namespace tamarie
