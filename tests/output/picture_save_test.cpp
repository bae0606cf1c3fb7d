#include "output/picture_save.h"
#include "output_test_support.h"
#include "platform/dialogs.h"

#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tamarie;

namespace {

struct Scripted {
    Scripted() { dialogs::BeginScript(); }
    ~Scripted() { dialogs::EndScript(); }
};

} // namespace

TEST(PictureSaveRules, TypedNameGetsTheExtensionOfTheChosenEntry)
{
    EXPECT_EQ(WithPictureExtension("/d/cal", 1), QStringLiteral("/d/cal.jpg"));
    EXPECT_EQ(WithPictureExtension("/d/cal", 2), QStringLiteral("/d/cal.bmp"));
    EXPECT_EQ(WithPictureExtension("/d/cal", 3), QStringLiteral("/d/cal.png"));
    EXPECT_EQ(WithPictureExtension("/d/cal", 4), QStringLiteral("/d/cal.jpg"));
    EXPECT_EQ(WithPictureExtension("/d/cal", 0), QStringLiteral("/d/cal.jpg"));
    EXPECT_EQ(WithPictureExtension("/d/cal", 9), QStringLiteral("/d/cal.jpg"));
    // A dot in a folder name is not an extension.
    EXPECT_EQ(WithPictureExtension("/d.v2/cal", 3), QStringLiteral("/d.v2/cal.png"));
    // A name with any extension keeps it.
    EXPECT_EQ(WithPictureExtension("/d/cal.PNG", 3), QStringLiteral("/d/cal.PNG"));
    EXPECT_EQ(WithPictureExtension("/d/cal.gif", 4), QStringLiteral("/d/cal.gif"));
    EXPECT_EQ(WithPictureExtension(QString(), 3), QString());
}

TEST(PictureSaveRules, ExtensionIsComparedExactly)
{
    EXPECT_EQ(PictureFormatFor("/d/cal.png"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatFor("/d/cal.jpg"), PictureFormat::Jpeg);
    EXPECT_EQ(PictureFormatFor("/d/cal.bmp"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatFor("/d/cal.PNG"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatFor("/d/cal.JPG"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatFor("/d/cal.jpeg"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatFor("/d/cal.gif"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatFor("/d/cal.png.txt"), PictureFormat::Bmp);
    EXPECT_EQ(FileExtension("/d/a.b.png"), QStringLiteral(".png"));
    EXPECT_EQ(FileExtension("/d.x/cal"), QString());
}

TEST(PictureSaveRules, FilterHasFourEntries)
{
    const QStringList entries = PictureFileFilter().split(QStringLiteral(";;"));
    ASSERT_EQ(entries.size(), 4);
    EXPECT_TRUE(entries[0].startsWith(QStringLiteral("ピクチャファイル")));
    EXPECT_TRUE(entries[1].startsWith(QStringLiteral("ビットマップ")));
    EXPECT_TRUE(entries[2].startsWith(QStringLiteral("PNGファイル")));
    EXPECT_TRUE(entries[3].startsWith(QStringLiteral("JPEGファイル")));
}

TEST(PictureSaveRules, OverwriteQuestionText)
{
    EXPECT_EQ(OverwriteQuestion("/home/u/cal.png"),
              QStringLiteral("\"/home/u/cal.png\"は既に存在しますが 、上書きしますか？"));
}

TEST(PictureSave, UpperCasePngAndGifAreWrittenAsBitmaps)
{
    TestApp();
    Scripted s;
    QTemporaryDir dir;
    for (const char *name : {"cal.PNG", "cal.gif"}) {
        ASSERT_TRUE(SavePictureFile(PatternPicture(8, 6), dir.filePath(name)));
        EXPECT_EQ(ReadAll(dir.filePath(name)).left(2), QByteArray("BM")) << name;
    }
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST(PictureSave, DeclinedOverwriteLeavesTheFileUntouched)
{
    TestApp();
    Scripted s;
    QTemporaryDir dir;
    const QString path = dir.filePath("cal.png");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    dialogs::Answer(false);
    EXPECT_FALSE(SavePictureFile(PatternPicture(8, 6), path));
    EXPECT_EQ(dialogs::Shown(), QStringList{OverwriteQuestion(path)});
    EXPECT_EQ(ReadAll(path), QByteArray("precious"));
    EXPECT_EQ(FilesIn(dir.path()), QStringList{QStringLiteral("cal.png")});
}

TEST(PictureSave, AcceptedOverwriteReplacesTheFile)
{
    TestApp();
    Scripted s;
    QTemporaryDir dir;
    const QString path = dir.filePath("cal.jpg");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    dialogs::Answer(true);
    EXPECT_TRUE(SavePictureFile(PatternPicture(8, 6), path));
    EXPECT_EQ(ReadAll(path).left(2), QByteArray("\xFF\xD8", 2));
    EXPECT_EQ(FilesIn(dir.path()).size(), 1);
}

TEST(PictureSave, UnwritableFolderShowsTheErrorAndLeavesNoFile)
{
    TestApp();
    Scripted s;
    QTemporaryDir dir;
    const QString path = dir.filePath("no/such/folder/cal.png");
    EXPECT_FALSE(SavePictureFile(PatternPicture(8, 6), path));
    ASSERT_EQ(dialogs::Shown().size(), 1);
    EXPECT_TRUE(dialogs::Shown()[0].startsWith(path));
    EXPECT_GT(dialogs::Shown()[0].size(), path.size() + 2);  // the error's own text follows
    EXPECT_TRUE(FilesIn(dir.path()).isEmpty());
}
