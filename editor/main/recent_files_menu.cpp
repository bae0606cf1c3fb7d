// The recently used work-state files at the foot of the ファイル menu, and
// opening a work-state file named from outside the open dialog (a recent
// entry, a file dropped on the paper).
#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "data_folder.h"
#include "dialogs.h"
#include "recent_files.h"
#include "tform1.h"

namespace tamarie {

namespace {
// The reader's own text for a work-state file it cannot read.
const QString kUnreadableMessage = QStringLiteral("作業状態ファイルを読み込めません。");
} // namespace

void TForm1::SetUpRecentFiles()
{
    MenuFile->setToolTipsVisible(true);
    // Another window of the program may have changed the list meanwhile.
    connect(MenuFile, &QMenu::aboutToShow, this, &TForm1::RefreshRecentFilesMenu);
    RefreshRecentFilesMenu();
}

void TForm1::RefreshRecentFilesMenu()
{
    for (QAction *a : std::as_const(RecentFileActions)) {
        MenuFile->removeAction(a);
        a->deleteLater();
    }
    RecentFileActions.clear();
    const QStringList list = ReadRecentFiles(ConfigIniPath(DataFolda));
    if (list.isEmpty())
        return;
    RecentFileActions << MenuFile->addSeparator();
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list[i];
        QAction *a = MenuFile->addAction(RecentFileCaption(i, path));
        a->setObjectName(QStringLiteral("MenuRecentFile%1").arg(i + 1));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
        RecentFileActions << a;
    }
}

void TForm1::NoteRecentFile(const QString &path)
{
    const QString config = ConfigIniPath(DataFolda);
    const QString full = QFileInfo(path).absoluteFilePath();
    WriteRecentFiles(config, WithRecentFile(ReadRecentFiles(config), full));
    RefreshRecentFilesMenu();
}

void TForm1::OpenRecentFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        dialogs::ShowMessage(kUnreadableMessage, this);
        const QString config = ConfigIniPath(DataFolda);
        WriteRecentFiles(config, WithoutRecentFile(ReadRecentFiles(config), path));
        RefreshRecentFilesMenu();
        return;
    }
    OpenWorkStateAfterQuestion(path);
}

void TForm1::OpenWorkStateAfterQuestion(const QString &path)
{
    ConfirmSave();
    if (!IsSaved)
        return;
    OpenWorkStateFile(path);
}

} // namespace tamarie
