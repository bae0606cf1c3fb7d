// The commands on work-state files: open, save under a name, save again,
// the save question in front of anything that discards the arrangement, and
// the caption that names the current file.
#include <QApplication>
#include <QFileInfo>
#include <QScrollBar>
#include <QTabWidget>

#include "data_folder.h"
#include "dialog_start.h"
#include "dialogs.h"
#include "tform1.h"

namespace tamarie {

namespace {

const QString kScrollMessage = QStringLiteral("ウィンドウのスクロールバーを一番上にしてからやり直してください。");
const QString kSavedMessage = QStringLiteral("保存しました。");
const QString kUntitled = QStringLiteral("無題");
const QString kCaptionSuffix = QStringLiteral("-タマリエ");
const QString kSaveDialogTitle = QStringLiteral("名前を付けて保存");
const QString kOpenDialogTitle = QStringLiteral("開く");
const QString kUndecodablePhotosMessage = QStringLiteral("次の画像を表示できません。枠とファイル名はそのまま残ります。");

// "name(patterns)|patterns|..." as the file dialogs take it: "name(patterns)" entries.
QString DialogFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        out << (parts[i].endsWith(u')') ? parts[i] : parts[i] + QStringLiteral(" (") + patterns + u')');
    }
    return out.join(QStringLiteral(";;"));
}

// The file's name without folder and extension.
QString TitleOf(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

QString OverwriteQuestion(const QString &path)
{
    return QFileInfo(path).fileName() + QStringLiteral(" は既に存在します。\n上書きしますか?");
}

} // namespace

bool TForm1::ScrolledToTop()
{
    // Only the vertical bar counts: the capture reads from the top of the window.
    const QScrollBar *bar = VertScrollBar();
    if (bar && bar->isVisible() && bar->value() != 0) {
        dialogs::ShowMessage(kScrollMessage, this);
        return false;
    }
    return true;
}

void TForm1::NameCurrentFile(const QString &Path)
{
    CurrentIniFile = Path;
    setWindowTitle((Path.isEmpty() ? kUntitled : TitleOf(Path)) + kCaptionSuffix);
}

void TForm1::ConfirmSave()
{
    // Nothing to lose: the document is the one in its file.
    if (!History->Modified()) {
        IsSaved = true;
        return;
    }
    IsSaved = false;
    const QString name = CurrentIniFile.isEmpty() ? kUntitled : TitleOf(CurrentIniFile);
    if (dialogs::Confirm(u'"' + name + u'"' + QStringLiteral("を保存しますか?"), this)) {
        if (CurrentIniFile.isEmpty())
            MenuSaveAsFileClick();
        else
            MenuReSaveClick();
    } else {
        IsSaved = true;
    }
}

void TForm1::MenuSaveAsFileClick()
{
    if (!ScrolledToTop()) {
        IsSaved = false;
        return;
    }
    QString path;
    for (;;) {
        const QString start = ProposedWorkStateFile(
            CurrentIniFile, DialogStartFolder(ConfigIniPath(DataFolda), DialogFolder::WorkState));
        const dialogs::FileAnswer answer =
            dialogs::SaveFile(kSaveDialogTitle, DialogFilters(SaveDialog1.Filter), 1, SaveDialog1.DefaultExt, start,
                              this);
        if (answer.path.isEmpty())
            return;  // cancelled: IsSaved stays as it was
        path = answer.path;
        if (QFileInfo(path).suffix().isEmpty() && !SaveDialog1.DefaultExt.isEmpty())
            path += u'.' + SaveDialog1.DefaultExt;
        // The dialog asks before replacing a file; No goes back to it.
        if (!QFileInfo::exists(path) || dialogs::Confirm(OverwriteQuestion(path), this))
            break;
    }
    RememberDialogFolder(ConfigIniPath(DataFolda), DialogFolder::WorkState, path);
    if (!SaveWorkState(path)) {
        IsSaved = false;
        return;
    }
    IsSaved = true;
    NameCurrentFile(path);
    NoteRecentFile(path);
}

void TForm1::MenuReSaveClick()
{
    if (!ScrolledToTop()) {
        IsSaved = false;
        return;
    }
    if (!CurrentIniFile.isEmpty() && QFileInfo(CurrentIniFile).isFile()) {
        IsSaved = SaveWorkState(CurrentIniFile);
        if (IsSaved)
            dialogs::ShowMessage(kSavedMessage, this);
        return;
    }
    // Untitled, or the file was deleted or moved meanwhile.
    MenuSaveAsFileClick();
}

void TForm1::MenuOpenClick()
{
    ConfirmSave();
    if (!IsSaved)
        return;
    const dialogs::FileAnswer answer =
        dialogs::OpenFile(kOpenDialogTitle, DialogFilters(OpenDialog1.Filter),
                          DialogStartFolder(ConfigIniPath(DataFolda), DialogFolder::WorkState), this);
    if (answer.path.isEmpty())
        return;
    RememberDialogFolder(ConfigIniPath(DataFolda), DialogFolder::WorkState, answer.path);
    OpenWorkStateFile(answer.path);
}

bool TForm1::OpenWorkStateFile(const QString &path)
{
    IsLoadingFile = true;
    PageControl1->setFocus(Qt::OtherFocusReason);
    QStringList undecodable;
    if (!LoadWorkState(path, &undecodable)) {
        // Nothing was applied: the arrangement, the caption and the current
        // file are as they were.
        IsLoadingFile = false;
        return false;
    }
    NameCurrentFile(path);
    NoteRecentFile(path);
    repaint();
    PageControl1->setCurrentIndex(0);
    QApplication::processEvents();
    IsLoadingFile = false;
    ReportUndecodablePhotos(undecodable);
    return true;
}

void TForm1::ReportUndecodablePhotos(const QStringList &Files)
{
    // Photos whose files cannot be shown keep their frames; one message names them all.
    if (!Files.isEmpty())
        dialogs::ShowMessage(kUndecodablePhotosMessage + u'\n' + Files.join(u'\n'), this);
}

} // namespace tamarie
