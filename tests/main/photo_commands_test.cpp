// The picture commands as a user meets them: pictures framed at their own
// proportions, turned from the popup menu with the turn kept in the
// work-state file, and a photo too small for print named once the picture
// has been written.
#include "ini_file.h"
#include "photo_image.h"
#include "work_state_fixture.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

using namespace tamarie;
using namespace tamarie::testing;

namespace {

class PhotoCommands : public WorkStateTest {
protected:
    QTemporaryDir dir;

    QString Picture(const QString &name, QSize size, QColor colour = Qt::darkCyan)
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(img.save(path));
        return path;
    }

    static void Popup(TForm1 &f, const QString &text)
    {
        for (QAction *a : f.PopupMenu1->actions())
            if (a->text() == text)
                return a->trigger();
        ADD_FAILURE() << "no item " << text.toStdString();
    }
};

} // namespace

TEST_F(PhotoCommands, PicturesKeepTheirProportionsAndTurnsAreKeptInTheFile)
{
    TForm1 &f = Make();
    // 画像追加 with a portrait picture: 3:4 within 200 x 150, centred.
    dialogs::AnswerFile(Picture(QStringLiteral("portrait.png"), QSize(300, 400)));
    f.BtnAddPicture->click();
    TImage *photo = f.ImgPicture[f.SelectedImgPictureNo()];
    EXPECT_EQ(photo->geometry(), QRect(44, 0, 112, 150));
    // 画像変更 with a landscape one: 4:3 within that frame, centred.
    dialogs::AnswerFile(Picture(QStringLiteral("landscape.png"), QSize(400, 300)));
    f.BtnLoadPicture->click();
    EXPECT_EQ(photo->geometry(), QRect(44, 33, 112, 84));

    // 右に90°回転: the picture and its frame turn about the frame's centre.
    Popup(f, QStringLiteral("右に90°回転"));
    EXPECT_EQ(photo->QuarterTurns(), 1);
    EXPECT_EQ(photo->PixelSize(), QSize(300, 400));
    EXPECT_EQ(photo->geometry(), QRect(58, 19, 84, 112));
    // One step, undone and done again.
    EXPECT_EQ(f.History->Stack()->undoText(), QStringLiteral("右に90°回転"));
    f.History->Stack()->undo();
    EXPECT_EQ(photo->QuarterTurns(), 0);
    EXPECT_EQ(photo->geometry(), QRect(44, 33, 112, 84));
    f.History->Stack()->redo();
    EXPECT_EQ(photo->geometry(), QRect(58, 19, 84, 112));
    // Squashed by hand, then 元の縦横比に戻す: the height from the width.
    photo->setGeometry(58, 19, 84, 50);
    Popup(f, QStringLiteral("元の縦横比に戻す"));
    EXPECT_EQ(photo->geometry(), QRect(58, 19, 84, 112));
    Popup(f, QStringLiteral("左に90°回転"));
    Popup(f, QStringLiteral("左に90°回転"));
    EXPECT_EQ(photo->QuarterTurns(), 3);

    // Kept under a key the Windows program does not read; none when not turned.
    const int index = f.SelectedImgPictureNo();
    const QString plan = dir.filePath(QStringLiteral("plan.ini"));
    ASSERT_TRUE(SaveAs(f, plan));
    IniFile ini(plan);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Image%1").arg(index), QStringLiteral("Rotation"), -1), 270);
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Image0"), QStringLiteral("Rotation")));
    ChangeDocument(f, [&](Document &d) { d.photos[index].quarterTurns = 0; });
    Open(f, plan);
    EXPECT_EQ(f.ImgPicture[index]->QuarterTurns(), 3);
    EXPECT_EQ(f.ImgPicture[0]->QuarterTurns(), 0);
}

TEST_F(PhotoCommands, SmallPhotoIsNamedAfterThePictureIsWritten)
{
    TForm1 &f = MakeShowingMonths(2025, 4, 1);
    f.DropPhotos({Picture(QStringLiteral("small.png"), QSize(120, 90))}, QPoint(100, 100));
    f.ImgPicture.last()->setGeometry(0, 0, f.Panel1->width() / 2, f.Panel1->height() / 3);
    QCoreApplication::processEvents();
    dialogs::ClearShown();
    const QString picture = dir.filePath(QStringLiteral("cal.png"));
    dialogs::AnswerFile(picture, 3);
    f.MenuSaveAsPictureClick();
    EXPECT_TRUE(QFileInfo(picture).isFile());
    const QStringList shown = dialogs::Shown();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(shown.last().contains(QStringLiteral("画像 small.png は印刷には解像度が不足しています(約 ")))
        << shown.last().toStdString();
}
