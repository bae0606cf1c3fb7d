#pragma once
// The help file ReadMe.txt shipped with the program (beside it or in
// ../share/tamarie), opened in the desktop's viewer.
#include <QString>

namespace tamarie {

QString HelpFilePath(const QString &programFolder);
// Asks the desktop to open the help file; false when no viewer took it.
bool OpenHelpFile(const QString &programFolder);

} // namespace tamarie
