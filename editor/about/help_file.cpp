#include "help_file.h"

#include "data_folder.h"

#include <QDesktopServices>
#include <QUrl>

namespace tamarie {

QString HelpFilePath(const QString &programFolder) { return ProgramFileIn(programFolder, QStringLiteral("ReadMe.txt")); }

bool OpenHelpFile(const QString &programFolder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFilePath(programFolder)));
}

} // namespace tamarie
