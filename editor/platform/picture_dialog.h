#pragma once
// The dialog that picks a photo file, with a preview of the selected file.
#include "dialogs.h"

#include <QImage>
#include <QSize>

#include <functional>

namespace tamarie::dialogs {

// Makes the preview of a file within a box; a null picture when it cannot.
using PicturePreview = std::function<QImage(const QString &path, const QSize &box)>;

// As OpenFile; scripted in tests as OpenFile is.
FileAnswer OpenPicture(const QString &title, const QString &filters, const QString &dir, QWidget *parent = nullptr,
                       const PicturePreview &preview = {});

} // namespace tamarie::dialogs
