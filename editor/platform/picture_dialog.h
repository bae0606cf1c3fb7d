#pragma once
// The dialog that picks a photo file, with a preview of the selected file.
#include "dialogs.h"

namespace tamarie::dialogs {

// As OpenFile; scripted in tests as OpenFile is.
FileAnswer OpenPicture(const QString &title, const QString &filters, const QString &dir, QWidget *parent = nullptr);

} // namespace tamarie::dialogs
