#pragma once
// The work-state files opened or saved last, newest first, for the ファイル
// menu; kept per user in a section of its own in the settings file.
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tamarie {

constexpr int kRecentFileCount = 5;

// list with path in front, once, at most kRecentFileCount entries.
QStringList WithRecentFile(const QStringList &list, const QString &path);
QStringList ReadRecentFiles(const QString &configIni);
void WriteRecentFiles(const QString &configIni, const QStringList &list);
// The menu text of entry index (0-based): its number as access key and the name.
QString RecentFileCaption(int index, const QString &path);

// Files dropped on the window: photos to add, or one work-state file to open.
struct DroppedFiles {
    QStringList photos;
    QString workState;
};
DroppedFiles SortDroppedFiles(const QList<QUrl> &urls);

} // namespace tamarie
