// Writing a work-state file: the document as the file's values, written as
// INI keys, then one font file for the common calendar font and one per calendar.
#include <QDir>
#include <QFrame>

#include "data_folder.h"
#include "dialogs.h"
#include "ini_file.h"
#include "paper_offset.h"
#include "tform1.h"
#include "work_state_format.h"

namespace tamarie {

namespace {

const QString kSaveFailedMessage = QStringLiteral("保存に失敗しました。");

// The fixed text, then the file and the system's reason on a line of their own.
QString SaveFailedMessage(const QString &detail)
{
    return detail.isEmpty() ? kSaveFailedMessage : kSaveFailedMessage + u'\n' + detail;
}

QString FileReason(const QString &path, const QString &reason)
{
    return reason.isEmpty() ? QString() : QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

} // namespace

ScreenPlacement TForm1::Placement() const
{
    return {isMaximized(), frameGeometry(), Panel1->geometry(), PaperOnScreen()};
}

bool TForm1::SaveWorkState(const QString &FileName)
{
    const WorkState state = WorkStateOf(Doc(), Placement());
    IniFile ini;
    if (!ini.Load(FileName)) {
        dialogs::ShowMessage(SaveFailedMessage(FileReason(FileName, ini.ErrorString())), this);
        return false;
    }
    WriteWorkState(ini, state);
    // One atomic replacement of the whole file.
    if (!ini.Save()) {
        dialogs::ShowMessage(SaveFailedMessage(FileReason(FileName, ini.ErrorString())), this);
        return false;
    }
    // The font files written together, each replaced whole.
    const auto fonts = WorkStateFontFiles(FileName, state);
    QString fontError;
    if (WriteFontRecordFiles(fonts, &fontError) != int(fonts.size())) {
        dialogs::ShowMessage(SaveFailedMessage(fontError), this);
        return false;
    }
    // What the file cannot say about this desktop, for drawing it elsewhere.
    WritePaperOffset(ConfigIniPath(DataFolda), PaperOffsetInFrame());
    History->MarkSaved();
    return true;
}

QPoint TForm1::PaperOffsetInFrame() const
{
    return Panel1->mapToGlobal(Panel1->contentsRect().topLeft()) - frameGeometry().topLeft() - Panel1->pos();
}

} // namespace tamarie
