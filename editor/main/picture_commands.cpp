// The menu commands that take the arrangement out of the program (save as a
// picture, print) and the help menu (how to use, version).
#include <QFileInfo>
#include <QSignalBlocker>
#include <QTabWidget>

#include "arrangement_painter.h"
#include "data_folder.h"
#include "dialogs.h"
#include "help_file.h"
#include "output_choice.h"
#include "print_form.h"
#include "radio_group.h"
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
        PrintForm->CaptureArrangement = [this] { return CaptureArrangement(); };
        PrintForm->PaintData = [this] { return PaintData(); };
        PrintForm->DrawsAfresh = !RadioGroupOutput || RadioGroupOutput->ItemIndex() != 1;
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

void TForm1::MenuSaveAsPdfClick()
{
    if (!ScrolledToTop())
        return;
    CreateOutputWindows();
    PrintForm->SavePdfCommand(this);
}

void TForm1::ShowOutputChoice()
{
    const QSignalBlocker block(RadioGroupOutput);
    RadioGroupOutput->SetItemIndex(ReadOutputChoice(ConfigIniPath(DataFolda)) == OutputChoice::AsScreen ? 1 : 0);
    if (PrintForm)
        PrintForm->DrawsAfresh = RadioGroupOutput->ItemIndex() != 1;
}

void TForm1::RadioGroupOutputClick()
{
    const bool asScreen = RadioGroupOutput->ItemIndex() == 1;
    if (PrintForm)
        PrintForm->DrawsAfresh = !asScreen;
    WriteOutputChoice(ConfigIniPath(DataFolda), asScreen ? OutputChoice::AsScreen : OutputChoice::Fresh);
}

void TForm1::MenuHelpClick()
{
    activateWindow();
    PageControl1->setFocus(Qt::OtherFocusReason);
    if (!QFileInfo(HelpFilePath(Folda)).isFile() || !OpenHelpFile(Folda))
        dialogs::ShowMessage(QStringLiteral("使い方(") + QFileInfo(HelpFilePath(Folda)).fileName() +
                                 QStringLiteral(")を開けませんでした。\nファイルを開くアプリケーションがないか、ファイルがありません。"),
                             this);
}

void TForm1::MenuVersionClick()
{
    CreateOutputWindows();
    VersionForm->exec();
}

} // namespace tamarie
