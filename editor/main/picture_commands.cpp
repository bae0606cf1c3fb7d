// The menu commands that take the arrangement out of the program (save as a
// picture, print) and the help menu (how to use, version).
#include <QTabWidget>

#include "help_file.h"
#include "print_form.h"
#include "tform1.h"
#include "version_form.h"

namespace tamarie {

void TForm1::CreateOutputWindows()
{
    WatchCalendarStacking();
    if (!PrintForm) {
        PrintForm = new TPrintForm(this);
        PrintForm->setObjectName(QStringLiteral("PrintForm"));
        PrintForm->GatherArrangement = [this] { return GatherArrangement(); };
        PrintForm->PaperBottomRight = [this] { return PaperBottomRight(); };
    }
    if (!VersionForm) {
        VersionForm = new TVersionForm(this);
        VersionForm->setObjectName(QStringLiteral("VersionForm"));
    }
}

void TForm1::MenuSaveAsPictureClick()
{
    // The picture is taken from the top of the window.
    if (!ScrolledToTop())
        return;
    CreateOutputWindows();
    PrintForm->SavePictureCommand(this);
}

void TForm1::MenuPrintClick()
{
    if (!ScrolledToTop())
        return;
    CreateOutputWindows();
    PrintForm->PrintCommand();
}

void TForm1::MenuHelpClick()
{
    activateWindow();
    PageControl1->setFocus(Qt::OtherFocusReason);
    OpenHelpFile(Folda);
}

void TForm1::MenuVersionClick()
{
    CreateOutputWindows();
    VersionForm->exec();
}

} // namespace tamarie
