// The photo frame on the paper: a copy reduced to the size shown, decoded
// off the user-interface thread, remade when the frame's size settles, the
// last photo asked for whatever order decodes finish in, and damage found
// only while decoding reported once.
#include "dialogs.h"
#include "photo_image.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace tamarie;

namespace {

struct PhotoFrame : ::testing::Test {
    QTemporaryDir dir;
    QWidget paper;
    TImage *frame = new TImage(&paper);

    void SetUp() override
    {
        dialogs::BeginScript();
        WatchPhotoLoading();
        paper.resize(600, 500);
        frame->setGeometry(10, 10, 200, 150);
        paper.show();
    }
    void TearDown() override { dialogs::EndScript(); }

    QString Photo(const QString &name, QColor colour, QSize size, const char *format = "PNG")
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(img.save(path, format));
        return path;
    }
};

} // namespace

TEST_F(PhotoFrame, ShowsACopyReducedToItsSizeAndRemadeWhenTheSizeSettles)
{
    frame->ShowPhoto(Photo(QStringLiteral("big.png"), Qt::darkCyan, QSize(2400, 1800)));
    EXPECT_EQ(frame->PixelSize(), QSize(2400, 1800));
    EXPECT_TRUE(frame->ScreenCopy().isNull());  // the placeholder first
    // While it decodes, the window says it is busy.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->Loading());
    EXPECT_EQ(paper.cursor().shape(), Qt::BusyCursor);
    ASSERT_TRUE(WaitForScreenCopies());
    EXPECT_EQ(frame->ScreenCopy().size(), QSize(200, 150));
    EXPECT_EQ(frame->ScreenCopy().pixelColor(100, 75), QColor(Qt::darkCyan));
    EXPECT_NE(paper.cursor().shape(), Qt::BusyCursor);

    // A wheel notch: the old copy stretched until the new size rests.
    frame->resize(220, 165);
    EXPECT_EQ(frame->ScreenCopy().size(), QSize(200, 150));
    ASSERT_TRUE(WaitForScreenCopies());
    EXPECT_EQ(frame->ScreenCopy().size(), QSize(220, 165));
    // Turned a quarter: the copy is made turned.
    frame->ShowPhoto(frame->FileName(), 1);
    EXPECT_EQ(frame->PixelSize(), QSize(1800, 2400));
    ASSERT_TRUE(WaitForScreenCopies());
    EXPECT_EQ(frame->ScreenCopy().size(), QSize(220, 165));
}

TEST_F(PhotoFrame, ShowsTheLastPhotoAskedForWhicheverDecodeFinishesFirst)
{
    const QString slow = Photo(QStringLiteral("slow.png"), Qt::red, QSize(3000, 2000));
    const QString quick = Photo(QStringLiteral("quick.png"), Qt::blue, QSize(40, 30));
    for (const auto &[first, last] : {std::pair(slow, quick), std::pair(quick, slow)}) {
        frame->ShowPhoto(first);
        QCoreApplication::processEvents();  // painted: its decode is asked for
        frame->ShowPhoto(last);
        ASSERT_TRUE(WaitForScreenCopies());
        EXPECT_EQ(frame->FileName(), last);
        ASSERT_FALSE(frame->ScreenCopy().isNull());
        EXPECT_EQ(frame->ScreenCopy().pixelColor(0, 0), last == slow ? QColor(Qt::red) : QColor(Qt::blue));
        frame->ShowPhoto(QString());
    }
}

TEST_F(PhotoFrame, DamageOnlyDecodingFindsIsReportedOnceAndLeavesThePlaceholder)
{
    const QString whole = Photo(QStringLiteral("whole.jpg"), Qt::green, QSize(800, 600), "JPEG");
    QFile file(whole);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString cut = dir.filePath(QStringLiteral("cut.jpg"));
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() / 2));
    out.close();

    TImage *second = new TImage(&paper);
    second->setGeometry(300, 10, 100, 75);
    second->show();
    frame->ShowPhoto(cut);
    second->ShowPhoto(cut);
    EXPECT_TRUE(frame->Error().isEmpty());  // its header is sound
    ASSERT_TRUE(WaitForScreenCopies());
    QThread::msleep(300);
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->ScreenCopy().isNull());
    EXPECT_FALSE(frame->Error().isEmpty());
    const QStringList shown = dialogs::Shown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains(QStringLiteral("途中で切れている")));
    EXPECT_EQ(shown.first().count(QStringLiteral("cut.jpg")), 1);
}
