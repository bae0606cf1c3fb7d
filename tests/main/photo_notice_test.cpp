// A photo too small for print is named once the picture has been written.
#include "editor_fixture.h"
#include "photo_image.h"

#include <QFileInfo>

using namespace tamarie;
using namespace tamarie::testing;

TEST_F(EditorTest, SmallPhotoIsNamedAfterThePictureIsWritten)
{
    TForm1 &f = MakeShowingMonths(2025, 4, 1);
    QTemporaryDir dir;
    QImage small(120, 90, QImage::Format_RGB32);
    small.fill(Qt::darkCyan);
    const QString path = dir.filePath(QStringLiteral("small.png"));
    ASSERT_TRUE(small.save(path));
    f.DropPhotos({path}, QPoint(100, 100));
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
