#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tamarie::platform {

namespace {

// Qt 6 moved the file type names of the file dialog ("Folder", "Drive",
// "%1 File" ...) to a context of their own that its Japanese catalogue does
// not have yet; the catalogue still holds them under the file dialog's.
class MovedQtTexts : public QTranslator {
public:
    MovedQtTexts(const QTranslator &catalogue, QObject *parent) : QTranslator(parent), catalogue_(catalogue) {}
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        return catalogue_.translate("QFileDialog", source, disambiguation, n);
    }

private:
    const QTranslator &catalogue_;
};

} // namespace

bool InstallJapaneseQtTranslations(QCoreApplication &app)
{
    // The program speaks Japanese only, so Qt's parts do too.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QStringLiteral("/usr/share/qt6/translations")};
    for (const QString &folder : folders) {
        auto *qt = new QTranslator(&app);
        if (qt->load(QStringLiteral("qtbase_ja"), folder) && QCoreApplication::installTranslator(qt)) {
            QCoreApplication::installTranslator(new MovedQtTexts(*qt, qt));
            return true;
        }
        delete qt;
    }
    return false;
}

} // namespace tamarie::platform
