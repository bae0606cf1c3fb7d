// Program entry: the application title, the main window, the message loop.
#include <QApplication>

#include "fonts.h"
#include "tform1.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamarie"));
    QApplication::setApplicationDisplayName(QStringLiteral("タマリエ"));
    tamarie::fonts::InstallSubstitutions();

    tamarie::TForm1 form1;
    // The print window and the about window, after the main window; they
    // live as long as the program (form1.PrintForm, form1.VersionForm).
    form1.CreateOutputWindows();

    form1.show();
    return app.exec();
}
