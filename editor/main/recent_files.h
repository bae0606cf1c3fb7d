#pragma once
// The work-state files opened or saved last, newest first, for the ファイル
// menu; kept per user in a section of its own in the settings file (other
// programs reading the file skip a section they do not know).
#include <QString>
#include <QStringList>

namespace tamarie {

constexpr int kRecentFileCount = 5;

// list with path in front, once, at most kRecentFileCount entries.
QStringList WithRecentFile(const QStringList &list, const QString &path);
QStringList WithoutRecentFile(const QStringList &list, const QString &path);
QStringList ReadRecentFiles(const QString &configIni);
// False when the settings file cannot be written.
bool WriteRecentFiles(const QString &configIni, const QStringList &list);
// The menu text of entry index (0-based): its number as access key and the name.
QString RecentFileCaption(int index, const QString &path);

} // namespace tamarie
