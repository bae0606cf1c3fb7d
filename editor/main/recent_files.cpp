#include "recent_files.h"

#include <QFileInfo>

#include "ini_file.h"
#include "ini_update.h"

namespace tamarie {

namespace {
const QString kSection = QStringLiteral("RecentFiles");
QString KeyOf(int index) { return QStringLiteral("File%1").arg(index + 1); }
} // namespace

QStringList WithRecentFile(const QStringList &list, const QString &path)
{
    QStringList out{path};
    for (const QString &p : list)
        if (p != path && !p.isEmpty() && out.size() < kRecentFileCount)
            out << p;
    return out;
}

QStringList WithoutRecentFile(const QStringList &list, const QString &path)
{
    QStringList out = list;
    out.removeAll(path);
    return out;
}

QStringList ReadRecentFiles(const QString &configIni)
{
    const IniFile ini(configIni);
    QStringList list;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = ini.ReadString(kSection, KeyOf(i));
        if (!path.isEmpty() && !list.contains(path))
            list << path;
    }
    return list;
}

bool WriteRecentFiles(const QString &configIni, const QStringList &list)
{
    IniFileUpdate update(configIni);
    if (!update.Ok())
        return false;
    IniFile &ini = update.File();
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString value = list.value(i);
        if (value.isEmpty()) {
            if (ini.ValueExists(kSection, KeyOf(i)))
                ini.EraseKey(kSection, KeyOf(i));
        } else if (ini.ReadString(kSection, KeyOf(i)) != value) {
            ini.WriteString(kSection, KeyOf(i), value);
        }
    }
    const bool saved = update.Commit();
    profile::ForgetCachedFiles();
    return saved;
}

QString RecentFileCaption(int index, const QString &path)
{
    // "&&" keeps an ampersand of the name from becoming an access key.
    return QStringLiteral("&%1 %2").arg(index + 1).arg(QFileInfo(path).fileName().replace(u'&', QStringLiteral("&&")));
}

} // namespace tamarie
