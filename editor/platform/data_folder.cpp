#include "data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tamarie {

QString ProgramFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString ProgramFileIn(const QString &programFolder, const QString &name)
{
    const QString beside = programFolder + u'/' + name;
    if (QFileInfo::exists(beside))
        return beside;
    const QString shared = QDir::cleanPath(programFolder + QStringLiteral("/../share/tamarie/") + name);
    return QFileInfo::exists(shared) ? shared : beside;
}

QString DocumentsFolder()
{
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    while (docs.size() > 1 && docs.endsWith(u'/'))
        docs.chop(1);
    return docs;
}

QString DataFolderIn(const QString &documentsFolder)
{
    QString base = documentsFolder;
    while (base.endsWith(u'/'))
        base.chop(1);
    return base + QStringLiteral("/Norte/TamarieData");
}

bool EnsureFolder(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    return QDir().mkpath(folder);
}

QString ConfigIniPath(const QString &dataFolder) { return dataFolder + QStringLiteral("/Config.ini"); }

} // namespace tamarie
