#pragma once
// Qt's own texts (file, font, colour and print dialogs, standard buttons) in
// Japanese, whatever the system locale says.
class QCoreApplication;

namespace tamarie::platform {

// Installs Qt's Japanese translations on app; false when none could be read
// (the dialogs then stay in Qt's English).
bool InstallJapaneseQtTranslations(QCoreApplication &app);

} // namespace tamarie::platform
