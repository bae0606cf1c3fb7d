// The commands on work-state files: the save question in front of close, OK
// and open, save under a name, save again, the caption and the scroll check.
#include <QCloseEvent>
#include <QFileInfo>
#include <QScrollBar>

#include "work_state_fixture.h"

namespace tamarie::testing {
namespace {

const QString kUntitledQuestion = QStringLiteral("\"無題\"を保存しますか?");
const QString kSaveTitle = QStringLiteral("名前を付けて保存");
const QString kOpenTitle = QStringLiteral("開く");
const QString kSaved = QStringLiteral("保存しました。");
const QString kScroll = QStringLiteral("ウィンドウのスクロールバーを一番上にしてからやり直してください。");

class WorkStateCommands : public WorkStateTest {
protected:
    // Sends the main window a close request; true when it was accepted.
    bool Close(TForm1 &f)
    {
        QCloseEvent event;
        QCoreApplication::sendEvent(&f, &event);
        return event.isAccepted();
    }
};

TEST_F(WorkStateCommands, CloseAsksWithUntitledAndYesWithCancelledDialogKeepsTheProgramOpen)
{
    TForm1 &f = Make();
    dialogs::ClearShown();
    dialogs::Answer(true);  // Yes: save
    // no file answer: the save dialog is cancelled
    EXPECT_FALSE(Close(f));
    EXPECT_EQ(dialogs::Shown(), QStringList({kUntitledQuestion, kSaveTitle}));
    EXPECT_FALSE(f.IsSaved);
    EXPECT_TRUE(f.isVisible());

    dialogs::ClearShown();
    dialogs::Answer(false);  // No: close without saving
    EXPECT_TRUE(Close(f));
    EXPECT_EQ(dialogs::Shown(), QStringList{kUntitledQuestion});
    EXPECT_TRUE(f.IsSaved);
}

TEST_F(WorkStateCommands, CloseAfterYesAndASaveUnderANameGoesAhead)
{
    TForm1 &f = Make();
    const QString path = PathOf("plan.ini");
    dialogs::Answer(true);
    dialogs::AnswerFile(path);
    EXPECT_TRUE(Close(f));
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(f.CurrentIniFile, path);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("plan-タマリエ"));
}

TEST_F(WorkStateCommands, OkAsksFirstAndStopsWhenNotSaved)
{
    TForm1 &f = Make();
    f.LECalendarYear->setText("2025");
    f.LECalendarMonth->setText("4");
    f.LECalendarMonths->setText("3");
    dialogs::ClearShown();
    dialogs::Answer(true);  // Yes, then the dialog is cancelled
    f.BtnOKClick();
    EXPECT_EQ(dialogs::Shown(), QStringList({kUntitledQuestion, kSaveTitle}));
    EXPECT_EQ(f.CalendarCount(), 1);  // nothing changed

    dialogs::Answer(false);
    f.BtnOKClick();
    EXPECT_EQ(f.CalendarCount(), 3);
}

TEST_F(WorkStateCommands, OkMakesTheArrangementUntitledAgain)
{
    TForm1 &f = Make();
    ASSERT_TRUE(SaveAs(f, PathOf("plan.ini")));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("plan-タマリエ"));
    // Undone back to the saved state, nothing is lost; a step away, it is.
    OneStep(f);
    f.History->Stack()->undo();
    EXPECT_FALSE(f.History->Modified());
    f.History->Stack()->redo();
    dialogs::ClearShown();
    Ok(f, "2025", "1", "2");
    ASSERT_FALSE(dialogs::Shown().isEmpty());
    EXPECT_EQ(dialogs::Shown().first(), QStringLiteral("\"plan\"を保存しますか?"));
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("無題-タマリエ"));
}

TEST_F(WorkStateCommands, SaveAsSetsCaptionAndCurrentFileWithoutAMessage)
{
    TForm1 &f = Make();
    dialogs::ClearShown();
    ASSERT_TRUE(SaveAs(f, PathOf("plan")));  // the default extension is added
    EXPECT_EQ(f.CurrentIniFile, PathOf("plan.ini"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("plan-タマリエ"));
    EXPECT_EQ(dialogs::Shown(), QStringList{kSaveTitle});

    // Cancel leaves IsSaved as it was.
    f.IsSaved = true;
    f.MenuSaveAsFileClick();
    EXPECT_TRUE(f.IsSaved);
    f.IsSaved = false;
    f.MenuSaveAsFileClick();
    EXPECT_FALSE(f.IsSaved);
}

TEST_F(WorkStateCommands, SaveAsOverAnExistingFileAsksAndNoGoesBackToTheDialog)
{
    TForm1 &f = Make();
    const QString taken = PathOf("taken.ini");
    WriteBytes(taken, "[Keep]\r\nx=1\r\n");
    dialogs::ClearShown();
    dialogs::AnswerFile(taken);
    dialogs::Answer(false);  // do not replace
    dialogs::AnswerFile(PathOf("other.ini"));
    f.MenuSaveAsFileClick();
    EXPECT_EQ(dialogs::Shown().size(), 3);
    EXPECT_TRUE(dialogs::Shown()[1].startsWith("taken.ini"));
    EXPECT_EQ(Bytes(taken), QByteArray("[Keep]\r\nx=1\r\n"));
    EXPECT_EQ(f.CurrentIniFile, PathOf("other.ini"));

    dialogs::AnswerFile(taken);
    dialogs::Answer(true);
    f.MenuSaveAsFileClick();
    EXPECT_EQ(f.CurrentIniFile, taken);
    EXPECT_TRUE(IniFile(taken).SectionExists("Calendar"));
}

TEST_F(WorkStateCommands, ReSaveWritesTheCurrentFileAndSaysSo)
{
    TForm1 &f = Make();
    const QString path = PathOf("plan.ini");
    ASSERT_TRUE(SaveAs(f, path));
    f.CalForm[1]->move(77, 88);
    dialogs::ClearShown();
    f.MenuReSaveClick();
    EXPECT_TRUE(f.IsSaved);
    EXPECT_EQ(dialogs::Shown(), QStringList{kSaved});
    EXPECT_EQ(IniFile(path).ReadInteger("CalForm1", "Left", 0), 77);

    // Through the save question with a named file: no dialog.
    OneStep(f);
    dialogs::ClearShown();
    dialogs::Answer(true);
    f.ConfirmSave();
    EXPECT_TRUE(f.IsSaved);
    EXPECT_EQ(dialogs::Shown(), QStringList({QStringLiteral("\"plan\"を保存しますか?"), kSaved}));
}

TEST_F(WorkStateCommands, ReSaveUntitledIsSaveAsWithoutTheMessage)
{
    TForm1 &f = Make();
    dialogs::ClearShown();
    dialogs::AnswerFile(PathOf("first.ini"));
    f.MenuReSaveClick();
    EXPECT_EQ(dialogs::Shown(), QStringList{kSaveTitle});
    EXPECT_TRUE(f.IsSaved);
    EXPECT_EQ(f.CurrentIniFile, PathOf("first.ini"));
}

TEST_F(WorkStateCommands, ReSaveAfterTheFileWasDeletedOpensTheDialog)
{
    TForm1 &f = Make();
    const QString path = PathOf("plan.ini");
    ASSERT_TRUE(SaveAs(f, path));
    ASSERT_TRUE(QFile::remove(path));
    dialogs::ClearShown();
    f.MenuReSaveClick();  // the dialog is cancelled
    EXPECT_EQ(dialogs::Shown(), QStringList{kSaveTitle});
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(WorkStateCommands, ScrolledDownBothSavesRefuseAndACloseWithYesIsRefused)
{
    TForm1 &f = Make();
    if (!ScrollDown(f))
        GTEST_SKIP() << "the window cannot be made small enough to scroll";
    const QString path = PathOf("plan.ini");
    dialogs::ClearShown();
    dialogs::AnswerFile(path);
    f.MenuSaveAsFileClick();
    EXPECT_FALSE(f.IsSaved);
    EXPECT_EQ(dialogs::Shown(), QStringList{kScroll});
    EXPECT_FALSE(QFileInfo::exists(path));

    dialogs::ClearShown();
    f.IsSaved = true;
    f.MenuReSaveClick();
    EXPECT_FALSE(f.IsSaved);
    EXPECT_EQ(dialogs::Shown(), QStringList{kScroll});

    dialogs::TakeAnswer();
    dialogs::ClearShown();
    dialogs::Answer(true);
    EXPECT_FALSE(Close(f));
    EXPECT_EQ(dialogs::Shown(), QStringList({kUntitledQuestion, kScroll}));

    // Back at the top, saving works again.
    f.VertScrollBar()->setValue(0);
    dialogs::ClearShown();
    EXPECT_TRUE(SaveAs(f, path));
}

TEST_F(WorkStateCommands, OpenAsksFirstAndCancelStops)
{
    TForm1 &f = Make();
    const QString path = PathOf("plan.ini");
    ASSERT_TRUE(SaveAs(f, path));
    Ok(f, "2025", "1", "1");

    dialogs::ClearShown();
    dialogs::Answer(true);  // Yes with the dialog cancelled: no open dialog at all
    f.MenuOpenClick();
    EXPECT_EQ(dialogs::Shown(), QStringList({kUntitledQuestion, kSaveTitle}));

    dialogs::ClearShown();
    dialogs::Answer(false);  // No, then the open dialog is cancelled
    f.MenuOpenClick();
    EXPECT_EQ(dialogs::Shown(), QStringList({kUntitledQuestion, kOpenTitle}));
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());
    EXPECT_FALSE(f.IsLoadingFile);
}

TEST_F(WorkStateCommands, OpeningAFileFromAnotherFolderReSavesThere)
{
    TForm1 &f = Make();
    ASSERT_TRUE(QDir().mkdir(PathOf("elsewhere")));
    const QString path = PathOf("elsewhere/カレンダー.ini");
    ChangeDocument(f, [](Document &d) { d.photos[0].fileName.clear(); });  // no sample photo beside the test program
    ASSERT_TRUE(SaveAs(f, path));
    Ok(f, "2025", "1", "1");
    Open(f, path);
    EXPECT_EQ(f.CurrentIniFile, path);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("カレンダー-タマリエ"));
    f.CalForm[1]->move(33, 44);
    dialogs::ClearShown();
    f.MenuReSaveClick();
    EXPECT_EQ(dialogs::Shown(), QStringList{kSaved});
    EXPECT_EQ(IniFile(path).ReadInteger("CalForm1", "Top", 0), 44);
}

} // namespace
} // namespace tamarie::testing
