// Program entry: the application title, the main window, the message loop.
#include <QApplication>
#include <QIcon>

#include "data_folder.h"
#include "desktop_probe.h"
#include "fonts.h"
#include "qt_translations.h"
#include "recovery_offer.h"
#include "session_platform.h"
#include "tform1.h"

int main(int argc, char *argv[])
{
    tamarie::platform::UseXWaylandOnWayland();
    QApplication app(argc, argv);
    tamarie::platform::InstallJapaneseQtTranslations(app);
    // No display name: Qt would add it to captions that carry the name already.
    QApplication::setApplicationName(QStringLiteral("tamarie"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tamarie"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tamarie"), QIcon(tamarie::ProgramFile(QStringLiteral("Data/tamarie.png")))));
    tamarie::fonts::InstallSubstitutions();

    tamarie::TForm1 form1;
    // The print window and the about window, after the main window; they
    // live as long as the program (form1.PrintForm, form1.VersionForm).
    form1.CreateOutputWindows();

    tamarie::InstallDesktopProbe(&form1);
    form1.show();
    // The editor's unsaved work is kept for a start after a crash.
    tamarie::StartRecovery(form1);
    return app.exec();
}
