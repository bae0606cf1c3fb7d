// The recovery copy in the editor: the work of an editor that stopped without
// saving is offered at the next start and comes back as the unsaved state of
// its file; declined or damaged copies go.
#include <QDir>

#include "document_file.h"
#include "recovery_offer.h"
#include "work_state_fixture.h"

namespace tamarie::testing {
namespace {

const QString kOffer = QStringLiteral("前回、保存されていない作業が残っています。復元しますか?");

QStringList CopyFiles(const TForm1 &f)
{
    return QDir(RecoveryFolderIn(f.DataFolda)).entryList({QStringLiteral("*.ini")}, QDir::Files);
}

class RecoveryOffer : public WorkStateTest {};

TEST_F(RecoveryOffer, KilledWorkComesBackAsTheUnsavedStateOfItsFileUntilSaved)
{
    TForm1 &a = Make();
    EditorRecovery *recovery = StartRecovery(a);
    ASSERT_TRUE(recovery);
    Ok(a, "2027", "1", "3");
    ASSERT_TRUE(SaveAs(a, PathOf("plan.ini")));
    QCoreApplication::processEvents();
    recovery->Writer().Flush();
    EXPECT_TRUE(CopyFiles(a).isEmpty()) << "saved work has no copy";

    Document d = a.Doc();
    d.paper.color = 0x123456;
    d.calendars[2].bounds.left += 0.1;
    d.photos[0].fileName = PathOf("gone.jpg");
    a.Edit(QStringLiteral("用紙の色"), d);
    QCoreApplication::processEvents();
    recovery->Writer().Flush();
    const Document was = a.Doc();
    const QSize paper = a.Placement().paper.size();

    // The editor stops without a clean exit; the next one offers its work.
    TForm1 &b = Make();
    dialogs::ClearShown();
    dialogs::Answer(true);
    recovery = StartRecovery(b);
    QCoreApplication::processEvents();
    const QStringList shown = dialogs::Shown();
    ASSERT_EQ(shown.size(), 2) << shown.join(u'|').toStdString();
    EXPECT_EQ(shown[0], kOffer);
    EXPECT_TRUE(shown[1].contains(QStringLiteral("gone.jpg"))) << "missing photos named in one message";
    EXPECT_EQ(b.Doc().paper.color, 0x123456u);
    ASSERT_EQ(b.CalendarCount(), 3);
    for (int n = 1; n <= 3; ++n) {
        const QRect now = RectOf(b.Doc().Calendar(n)->bounds, paper), then = RectOf(was.Calendar(n)->bounds, paper);
        EXPECT_LE((now.topLeft() - then.topLeft()).manhattanLength(), 1) << n;
        EXPECT_LE(std::abs(now.width() - then.width()) + std::abs(now.height() - then.height()), 1) << n;
    }
    EXPECT_EQ(b.windowTitle(), QStringLiteral("plan-タマリエ"));
    EXPECT_EQ(b.CurrentIniFile, PathOf("plan.ini"));
    EXPECT_TRUE(b.History->Modified()) << "the save question will ask";

    // The copy is this editor's now: nothing is left for another start, until
    // a save removes it.
    recovery->Writer().Flush();
    EXPECT_FALSE(CopyFiles(b).isEmpty());
    EXPECT_FALSE(RecoveryCopy::TakeLeft(RecoveryFolderIn(b.DataFolda)));
    dialogs::ClearShown();
    b.MenuReSaveClick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(b.IsSaved);
    EXPECT_TRUE(CopyFiles(b).isEmpty());
}

TEST_F(RecoveryOffer, DeclinedAndDamagedCopiesGoAndTheEditorStaysUntitled)
{
    TForm1 &f = Make();
    const QString folder = RecoveryFolderIn(f.DataFolda);
    {
        const RecoveryContent work{WorkStateOf(f.Doc(), f.Placement()), PathOf("plan.ini")};
        auto declined = RecoveryCopy::Create(folder);
        auto damaged = RecoveryCopy::Create(folder);
        ASSERT_TRUE(declined->Write(work) && damaged->Write(work));
        WriteBytes(damaged->IniPath(), "[Calendar]\r\nCount=2\r\n");
    }  // both editors are gone
    dialogs::ClearShown();
    dialogs::Answer(false);
    StartRecovery(f);
    QCoreApplication::processEvents();
    const QStringList shown = dialogs::Shown();
    ASSERT_EQ(shown.size(), 2) << shown.join(u'|').toStdString();
    EXPECT_EQ(shown.count(kOffer), 1) << "a damaged copy is not offered, but told of once";
    EXPECT_TRUE(CopyFiles(f).isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1) << "only this editor's lock";
    EXPECT_EQ(f.windowTitle(), QStringLiteral("無題-タマリエ"));
}

} // namespace
} // namespace tamarie::testing
