#include "help_file.h"

#include <QDesktopServices>
#include <QUrl>

namespace tamarie {

QString HelpFilePath(const QString &programFolder) { return programFolder + QStringLiteral("/ReadMe.txt"); }

void OpenHelpFile(const QString &programFolder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFilePath(programFolder)));
}

} // namespace tamarie
