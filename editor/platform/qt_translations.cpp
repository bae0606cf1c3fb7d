#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tamarie::platform {

bool InstallJapaneseQtTranslations(QCoreApplication &app)
{
    // The program speaks Japanese only, so Qt's parts do too.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QStringLiteral("/usr/share/qt6/translations")};
    for (const QString &folder : folders) {
        auto *qt = new QTranslator(&app);
        if (qt->load(QStringLiteral("qtbase_ja"), folder) && QCoreApplication::installTranslator(qt))
            return true;
        delete qt;
    }
    return false;
}

} // namespace tamarie::platform
