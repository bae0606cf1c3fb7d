// Work-state files named from outside the open dialog: the recent files of
// the ファイル menu, and files dropped on the paper.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "data_folder.h"
#include "work_state_fixture.h"

namespace tamarie::testing {
namespace {

const QString kUnreadable = QStringLiteral("作業状態ファイルを読み込めません。");
const QString kUntitledQuestion = QStringLiteral("\"無題\"を保存しますか?");

class FileDrops : public WorkStateTest {
protected:
    QStringList RecentCaptions(TForm1 &f)
    {
        QStringList out;
        for (QAction *a : f.RecentFileActions)
            if (!a->isSeparator())
                out << a->text();
        return out;
    }
    QAction *Recent(TForm1 &f, int n) { return f.RecentFileActions.value(n); }  // 0 is the separator

    // A drag of the files entering the paper, then their drop, at a paper point.
    bool Drop(TForm1 &f, const QStringList &paths, const QPoint &at)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.Panel1, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.Panel1, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
};

TEST_F(FileDrops, RecentFilesFollowSavesAndOpensAcrossStartsAndAMissingOneLeavesTheList)
{
    TForm1 &f = Make();
    const QString a = PathOf("a.ini"), b = PathOf("b&c.ini");
    ASSERT_TRUE(SaveAs(f, a));
    ASSERT_TRUE(SaveAs(f, b));
    EXPECT_EQ(RecentCaptions(f), QStringList({"&1 b&&c.ini", "&2 a.ini"}));
    EXPECT_EQ(Recent(f, 1)->toolTip(), b);
    EXPECT_EQ(profile::ReadString(ConfigIniPath(f.DataFolda), "RecentFiles", "File2"), a);

    // The next start shows them; choosing one asks first, then opens it.
    form.reset();
    TForm1 &g = Make();
    ASSERT_EQ(RecentCaptions(g), QStringList({"&1 b&&c.ini", "&2 a.ini"}));
    dialogs::ClearShown();
    dialogs::Answer(false);
    Recent(g, 2)->trigger();
    EXPECT_EQ(dialogs::Shown(), QStringList{kUntitledQuestion});
    EXPECT_EQ(g.CurrentIniFile, a);
    EXPECT_EQ(g.windowTitle(), QStringLiteral("a-タマリエ"));
    EXPECT_EQ(RecentCaptions(g), QStringList({"&1 a.ini", "&2 b&&c.ini"}));

    ASSERT_TRUE(QFile::remove(b));
    dialogs::ClearShown();
    Recent(g, 2)->trigger();
    EXPECT_EQ(dialogs::Shown(), QStringList{kUnreadable});
    EXPECT_EQ(RecentCaptions(g), QStringList{"&1 a.ini"});
    EXPECT_EQ(g.CurrentIniFile, a);
}

TEST_F(FileDrops, DroppedPhotoIsAddedAroundTheDropPointAndOtherFilesAreRefused)
{
    TForm1 &f = Make();
    QImage wide(400, 200, QImage::Format_RGB32);
    wide.fill(qRgb(10, 200, 30));
    const QString photo = PathOf("wide.PNG");
    ASSERT_TRUE(wide.save(photo, "PNG"));
    QFile text(PathOf("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    EXPECT_FALSE(Drop(f, {text.fileName()}, QPoint(50, 50)));

    const int before = f.ImgCount();
    ASSERT_TRUE(Drop(f, {photo}, QPoint(150, 220)));
    ASSERT_EQ(f.ImgCount(), before + 1);
    EXPECT_EQ(f.SelectedImgPictureNo(), before);
    EXPECT_EQ(f.ImageFileName()[before], photo);
    TImage *added = f.ImgPicture[before];
    ASSERT_TRUE(WaitForScreenCopies());
    EXPECT_EQ(added->PixelSize(), wide.size());
    EXPECT_EQ(added->ScreenCopy().pixel(0, 0), wide.pixel(0, 0));
    EXPECT_EQ(added->geometry(), QRect(50, 170, 200, 100));  // proportions kept, centred
}

TEST_F(FileDrops, DroppedWorkStateOpensThroughTheSaveQuestion)
{
    TForm1 &f = Make();
    Ok(f, "2025", "4", "3");
    const QString plan = PathOf("plan.ini");
    ASSERT_TRUE(SaveAs(f, plan));
    Ok(f, "2025", "4", "1");
    ASSERT_EQ(f.CalendarCount(), 1);

    dialogs::ClearShown();
    dialogs::Answer(false);
    ASSERT_TRUE(Drop(f, {plan}, QPoint(100, 100)));
    EXPECT_EQ(dialogs::Shown(), QStringList{kUntitledQuestion});
    EXPECT_EQ(f.CalendarCount(), 3);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("plan-タマリエ"));
}

} // namespace
} // namespace tamarie::testing
