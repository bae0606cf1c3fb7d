#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace tamarie::fonts {

namespace {

QString FirstInstalled(const QStringList &candidates)
{
    const QStringList families = QFontDatabase::families();
    for (const QString &c : candidates)
        for (const QString &f : families)
            if (f.compare(c, Qt::CaseInsensitive) == 0)
                return f;
    return {};
}

} // namespace

QString JapaneseGothicFamily(bool proportional)
{
    static const QStringList prop = {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                     QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                                     QStringLiteral("IPAexGothic"), QStringLiteral("VL PGothic"),
                                     QStringLiteral("TakaoPGothic"), QStringLiteral("IPAGothic"),
                                     QStringLiteral("Droid Sans Fallback")};
    static const QStringList mono = {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                     QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic"),
                                     QStringLiteral("TakaoGothic"), QStringLiteral("IPAPGothic"),
                                     QStringLiteral("Noto Sans CJK JP")};
    return FirstInstalled(proportional ? prop : mono);
}

void InstallSubstitutions()
{
    const QString prop = JapaneseGothicFamily(true);
    const QString mono = JapaneseGothicFamily(false);
    if (prop.isEmpty())
        return;
    // Proportional Windows faces.
    for (const char *face : {"MS UI Gothic", "ＭＳ Ｐゴシック", "MS PGothic", "Meiryo", "メイリオ", "Meiryo UI",
                             "Yu Gothic", "游ゴシック", "Yu Gothic UI", "Tahoma", "Segoe UI"})
        QFont::insertSubstitution(QString::fromUtf8(face), prop);
    // Fixed-pitch Windows faces.
    for (const char *face : {"ＭＳ ゴシック", "MS Gothic"})
        QFont::insertSubstitution(QString::fromUtf8(face), mono.isEmpty() ? prop : mono);
}

} // namespace tamarie::fonts
