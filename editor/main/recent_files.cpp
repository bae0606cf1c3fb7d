#include "recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "ini_file.h"

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

QStringList ReadRecentFiles(const QString &configIni)
{
    QStringList list;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = profile::ReadString(configIni, kSection, KeyOf(i));
        if (!path.isEmpty() && !list.contains(path))
            list << path;
    }
    return list;
}

void WriteRecentFiles(const QString &configIni, const QStringList &list)
{
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString value = list.value(i);
        if (profile::ReadString(configIni, kSection, KeyOf(i)) == value)
            continue;
        if (value.isEmpty())
            profile::EraseKey(configIni, kSection, KeyOf(i));
        else
            profile::WriteString(configIni, kSection, KeyOf(i), value);
    }
}

QString RecentFileCaption(int index, const QString &path)
{
    // "&&" keeps an ampersand of the name from becoming an access key.
    return QStringLiteral("&%1 %2").arg(index + 1).arg(QFileInfo(path).fileName().replace(u'&', QStringLiteral("&&")));
}

DroppedFiles SortDroppedFiles(const QList<QUrl> &urls)
{
    DroppedFiles out;
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (!info.isFile())
            continue;
        const QString suffix = info.suffix().toLower();
        if (suffix == QLatin1String("ini")) {
            if (out.workState.isEmpty())
                out.workState = info.absoluteFilePath();
        } else if (formats.contains(suffix.toLatin1())) {
            out.photos << info.absoluteFilePath();
        }
    }
    return out;
}

} // namespace tamarie
