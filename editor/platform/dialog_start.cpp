#include "dialog_start.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "data_folder.h"
#include "ini_file.h"

namespace tamarie {

namespace {

const QString kSection = QStringLiteral("DialogFolders");

QString KeyOf(DialogFolder kind)
{
    switch (kind) {
    case DialogFolder::WorkState:
        return QStringLiteral("WorkState");
    case DialogFolder::Photo:
        return QStringLiteral("Photo");
    case DialogFolder::Picture:
        return QStringLiteral("Picture");
    }
    return {};
}

QString UsualFolder(DialogFolder kind)
{
    if (kind != DialogFolder::WorkState) {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
            return pictures;
    }
    return DocumentsFolder();
}

} // namespace

QString DialogStartFolder(const QString &configIni, DialogFolder kind)
{
    const QString last = profile::ReadString(configIni, kSection, KeyOf(kind));
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return UsualFolder(kind);
}

void RememberDialogFolder(const QString &configIni, DialogFolder kind, const QString &chosenFile)
{
    if (chosenFile.isEmpty())
        return;
    const QString folder = QDir::toNativeSeparators(QFileInfo(chosenFile).absolutePath());
    if (profile::ReadString(configIni, kSection, KeyOf(kind)) != folder)
        profile::WriteString(configIni, kSection, KeyOf(kind), folder);
}

QString ProposedWorkStateFile(const QString &currentFile, const QString &folder)
{
    if (!currentFile.isEmpty())
        return currentFile;
    return QDir(folder).filePath(QStringLiteral("無題.ini"));
}

} // namespace tamarie
