// The photo layers on the paper: adding, replacing, deleting, selecting,
// dragging and stacking, each a change of the document that the photo
// controls and the thumbnail then show.
#include "photo_layers.h"

#include "dialogs.h"
#include "editor_fixture.h"
#include "photo_frames.h"
#include "photo_decoder.h"
#include "labeled_edit.h"
#include "photo_image.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tamarie;
using tamarie::testing::ChangeDocument;

namespace {

QImage Solid(QColor c, int w = 8, int h = 6)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

struct Fixture : tamarie::testing::EditorTest {
    QTemporaryDir dir;

    // Three photos with distinct pictures, bounds and names, none selected
    // but photo 0.
    TForm1 &MakeThree()
    {
        TForm1 &f = Make();
        const QColor colors[] = {Qt::red, Qt::green, Qt::blue};
        ChangeDocument(f, [&](Document &d) {
            while (d.PhotoCount() > 0)
                RemovePhoto(d, 0);
            for (int i = 0; i < 3; ++i) {
                const QString path = dir.filePath(QStringLiteral("p%1.png").arg(i));
                Solid(colors[i]).save(path);
                const PaperPlace place = PlaceOf(QRect(10 * i, 20 * i, 100 + i, 50 + i), d.paper.layoutSize);
                AddPhoto(d, {path, place, place, 0});
            }
            d.selectedPhoto = 0;
        });
        EXPECT_TRUE(WaitForScreenCopies());
        return f;
    }
    // The colour a photo shows once its copy for the screen is ready.
    static QColor PictureColour(const TImage *photo)
    {
        EXPECT_TRUE(WaitForScreenCopies());
        const QImage copy = photo->ScreenCopy();
        return copy.isNull() ? QColor() : copy.pixelColor(0, 0);
    }
    static QColor ThumbnailColour(const TForm1 &f)
    {
        EXPECT_TRUE(WaitForScreenCopies());
        const QImage t = f.ImgThumbnail->pixmap().toImage();
        return t.isNull() ? QColor() : QColor(t.pixel(t.width() / 2, t.height() / 2));
    }
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    // The photos in stacking order, bottom first.
    static QVector<TImage *> Stacking(const TForm1 &f)
    {
        QVector<TImage *> order;
        for (QObject *c : f.Panel1->children())
            if (auto *p = qobject_cast<TImage *>(c))
                order << p;
        return order;
    }
    static void Send(TImage *photo, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(pos), QPointF(photo->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(photo, &e);
    }
    static void Select(TForm1 &f, int i)
    {
        Send(f.ImgPicture[i], QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton, Qt::LeftButton);
        Send(f.ImgPicture[i], QEvent::MouseButtonRelease, QPoint(1, 1), Qt::LeftButton, Qt::NoButton);
    }
};

QByteArray Be32(quint32 v)
{
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * (3 - i))) & 0xFF);
    return b;
}

quint32 Crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray Chunk(const char *type, const QByteArray &body)
{
    const QByteArray typed = QByteArray(type) + body;
    return Be32(quint32(body.size())) + typed + Be32(Crc32(typed));
}

// A PNG whose header announces width x height RGB pixels, with almost no data.
QByteArray PngHeaderOnly(int width, int height)
{
    QByteArray ihdr = Be32(quint32(width)) + Be32(quint32(height));
    ihdr += QByteArray("\x08\x02\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) +
           Chunk("IEND", QByteArray());
}

} // namespace

TEST_F(Fixture, AddGivesEmptySelectedPhotoInFrontWithoutTouchingTheThumbnail)
{
    TForm1 &f = MakeThree();
    Select(f, 1);
    f.BtnAddPictureClickFrom(nullptr);
    EXPECT_EQ(f.ImgCount(), 4);
    EXPECT_EQ(f.ImgPicture.size(), 4);
    EXPECT_EQ(f.ImageFileName().size(), 4);
    EXPECT_EQ(f.SelectedImgPictureNo(), 3);
    EXPECT_EQ(f.ImgPicture[3]->geometry(), QRect(0, 0, 200, 150));
    EXPECT_EQ(f.ImgPicture[3]->Tag, 3);
    EXPECT_TRUE(f.ImgPicture[3]->FileName().isEmpty());
    EXPECT_TRUE(f.ImageFileName()[3].isEmpty());
    EXPECT_EQ(f.ImgPicture[3]->parentWidget(), f.Panel1);
    EXPECT_EQ(Stacking(f).last(), f.ImgPicture[3]);
    EXPECT_EQ(ThumbnailColour(f), QColor(Qt::green));
}

TEST_F(Fixture, ReplaceDecodesByContentWhateverTheExtension)
{
    TForm1 &f = MakeThree();
    Select(f, 1);
    const QString path = dir.filePath(QStringLiteral("really_a_png.jpg"));
    ASSERT_TRUE(Solid(Qt::yellow, 30, 20).save(path, "PNG"));
    const QRect bounds = f.ImgPicture[1]->geometry();
    dialogs::AnswerFile(path);
    f.BtnLoadPictureClick();
    EXPECT_EQ(f.ImgPicture[1]->PixelSize(), QSize(30, 20));
    EXPECT_EQ(PictureColour(f.ImgPicture[1]), QColor(Qt::yellow));
    EXPECT_EQ(f.ImgPicture[1]->geometry(), FittedFrame(QSize(30, 20), bounds));  // fitted within the frame it had
    EXPECT_EQ(f.ImageFileName()[1], path);
    EXPECT_FALSE(f.ImgPicture[1]->isHidden());
    EXPECT_EQ(ThumbnailColour(f), QColor(Qt::yellow));
    EXPECT_EQ(dialogs::Shown().size(), 1);  // the dialog only
}

TEST_F(Fixture, ReplaceReadsBitmapJpegAndTiff)
{
    TForm1 &f = MakeThree();
    for (const char *format : {"BMP", "JPEG", "TIFF"}) {
        const QString path = dir.filePath(QStringLiteral("pic.%1").arg(QString::fromLatin1(format).toLower()));
        ASSERT_TRUE(Solid(Qt::white, 16, 12).save(path, format));
        dialogs::AnswerFile(path);
        f.BtnLoadPictureClick();
        EXPECT_EQ(f.ImgPicture[0]->PixelSize(), QSize(16, 12)) << format;
    }
}

TEST_F(Fixture, UndecodableMissingOrHugeFilesKeepPictureAndNameAndShowAMessage)
{
    TForm1 &f = MakeThree();
    Select(f, 2);
    const QString broken = Write(QStringLiteral("broken.png"), QByteArray("not a picture at all"));
    const QString huge = Write(QStringLiteral("huge.png"), PngHeaderOnly(40000, 40000));
    const QString missing = dir.filePath(QStringLiteral("nowhere.jpg"));
    for (const QString &path : {broken, missing, huge}) {
        dialogs::ClearShown();
        dialogs::AnswerFile(path);
        f.BtnLoadPictureClick();
        EXPECT_EQ(PictureColour(f.ImgPicture[2]), QColor(Qt::blue)) << path.toStdString();
        EXPECT_EQ(f.ImageFileName()[2], dir.filePath(QStringLiteral("p2.png")));
        EXPECT_FALSE(f.ImgPicture[2]->isHidden());
        EXPECT_EQ(ThumbnailColour(f), QColor(Qt::blue));
        ASSERT_EQ(dialogs::Shown().size(), 2);  // the dialog, then the message
        EXPECT_FALSE(dialogs::Shown().last().isEmpty());
        if (path == missing) {  // in the interface's language, whatever the locale
            EXPECT_EQ(dialogs::Shown().last(), missing + QStringLiteral(": ファイルが見つかりません"));
        }
    }
    EXPECT_EQ(dialogs::Shown().last(), PhotoTooLargeMessage(40000, 40000));
    EXPECT_EQ(f.History->Stack()->count(), 0);  // nothing happened to undo
}

TEST_F(Fixture, DecodePhotoReportsTooLargeBeforeDecoding)
{
    const DecodedPhoto d = DecodePhoto(Write(QStringLiteral("wide.dat"), PngHeaderOnly(200000, 3000)));
    EXPECT_TRUE(d.image.isNull());
    EXPECT_EQ(d.error, PhotoTooLargeMessage(200000, 3000));
}

TEST_F(Fixture, DeletingTheMiddleOfThreeMovesTheLaterPhotoDown)
{
    TForm1 &f = MakeThree();
    TImage *control1 = f.ImgPicture[1];
    Select(f, 1);
    f.BtnDeletePictureClickFrom(nullptr);
    ASSERT_EQ(f.ImgCount(), 2);
    ASSERT_EQ(f.ImgPicture.size(), 2);
    EXPECT_EQ(f.ImgPicture[1], control1);  // the control stays, the third photo moves into it
    EXPECT_EQ(PictureColour(f.ImgPicture[1]), QColor(Qt::blue));
    EXPECT_EQ(f.ImgPicture[1]->geometry(), QRect(20, 40, 102, 52));
    EXPECT_EQ(f.ImageFileName()[1], dir.filePath(QStringLiteral("p2.png")));
    EXPECT_EQ(f.ImgPicture[1]->Tag, 1);
    EXPECT_EQ(PictureColour(f.ImgPicture[0]), QColor(Qt::red));
    EXPECT_EQ(Stacking(f).size(), 2);
    EXPECT_EQ(f.SelectedImgPictureNo(), 0);
    EXPECT_EQ(ThumbnailColour(f), QColor(Qt::red));
}

TEST_F(Fixture, DeletingTheOnlyPhotoLeavesNoSelectionAndAnEmptyThumbnail)
{
    TForm1 &f = Make();
    f.BtnDeletePictureClickFrom(nullptr);
    EXPECT_EQ(f.ImgCount(), 0);
    EXPECT_TRUE(f.ImgPicture.isEmpty());
    EXPECT_EQ(f.Image1, nullptr);
    EXPECT_EQ(f.SelectedImgPictureNo(), -1);
    EXPECT_TRUE(f.ImgThumbnail->pixmap().isNull());
    // Nothing selected: replace and delete do nothing.
    f.BtnLoadPictureClick();
    f.BtnDeletePictureClickFrom(nullptr);
    EXPECT_EQ(f.ImgCount(), 0);
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(Fixture, AddsAndDeletesAnywhereKeepTheControlsInStep)
{
    TForm1 &f = Make();
    const int picks[] = {0, 0, 1, 2, 0, 3, 1, 0, 0, 2};
    for (int step = 0; step < 10; ++step) {
        f.BtnAddPictureClickFrom(nullptr);
        if (step % 3 == 2) {
            Select(f, picks[step] % f.ImgCount());
            f.BtnDeletePictureClickFrom(nullptr);
        }
        ASSERT_EQ(f.ImgPicture.size(), f.ImgCount()) << step;
        for (int i = 0; i < f.ImgCount(); ++i)
            EXPECT_EQ(f.ImgPicture[i]->Tag, i) << step;
    }
    EXPECT_EQ(f.ImgCount(), 8);
    EXPECT_EQ(Stacking(f).size(), 8);
}

TEST(PhotoTexts, DeleteQuestionUsesNameWithoutFolderAndExtension)
{
    EXPECT_EQ(DeletePhotoQuestion(QStringLiteral("/home/a/Data/fukurouoyako_fm.jpg")),
              QString::fromUtf8("画像\"fukurouoyako_fm\"を削除しますか?"));
    EXPECT_EQ(DeletePhotoQuestion(QStringLiteral("C:\\Prog\\Data\\b.c.png")), QString::fromUtf8("画像\"b.c\"を削除しますか?"));
    EXPECT_EQ(DeletePhotoQuestion(QString()), QString::fromUtf8("画像\"\"を削除しますか?"));
}

TEST(PhotoDrag, ThresholdOfFivePixelsOnEitherAxis)
{
    EXPECT_FALSE(PhotoDragOffset(QPoint(10, 10), QPoint(15, 5)).has_value());
    EXPECT_FALSE(PhotoDragOffset(QPoint(10, 10), QPoint(10, 10)).has_value());
    EXPECT_EQ(PhotoDragOffset(QPoint(10, 10), QPoint(16, 12)), QPoint(6, 2));
    EXPECT_EQ(PhotoDragOffset(QPoint(10, 10), QPoint(9, 4)), QPoint(-1, -6));
}

TEST_F(Fixture, DragMovesOnlyPastTheThresholdAndByTheWholeOffsetInOneStep)
{
    TForm1 &f = MakeThree();
    TImage *p = f.ImgPicture[1];
    p->move(100, 100);
    Send(p, QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(f.Image1MouseDownPoint, QPoint(20, 20));
    Send(p, QEvent::MouseMove, QPoint(25, 15), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p->pos(), QPoint(100, 100));
    Send(p, QEvent::MouseMove, QPoint(26, 23), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p->pos(), QPoint(106, 103));
    // Without the left button nothing moves; no clamping to the paper.
    Send(p, QEvent::MouseMove, QPoint(500, 500), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(p->pos(), QPoint(106, 103));
    Send(p, QEvent::MouseMove, QPoint(-980, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p->pos(), QPoint(-894, 103));
    EXPECT_EQ(f.History->Stack()->count(), 1);
    EXPECT_EQ(f.History->Stack()->undoText(), QStringLiteral("画像の移動"));
    f.MenuUndoClick();
    EXPECT_EQ(p->pos(), QPoint(100, 100));
}

TEST_F(Fixture, LeftClickFocusesTheSettingsAndSelectsOnRelease)
{
    TForm1 &f = MakeThree();
    f.activateWindow();
    f.LECalendarYear->setFocus();
    QCoreApplication::processEvents();
    Send(f.ImgPicture[2], QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(f.SelectedImgPictureNo(), 0);  // the left button selects on release
    Send(f.ImgPicture[2], QEvent::MouseButtonRelease, QPoint(3, 3), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.SelectedImgPictureNo(), 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.PageControl1->hasFocus() || QApplication::focusWidget() == f.PageControl1);
    EXPECT_EQ(ThumbnailColour(f), QColor(Qt::blue));
    // Selecting is no step of the history.
    EXPECT_EQ(f.History->Stack()->count(), 0);
}

TEST_F(Fixture, RightPressSelectsBeforeThePopupAndFrontActsOnThatPhoto)
{
    TForm1 &f = MakeThree();
    Select(f, 2);
    Send(f.ImgPicture[0], QEvent::MouseButtonPress, QPoint(4, 5), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(f.SelectedImgPictureNo(), 0);
    EXPECT_EQ(f.Image1MouseDownPoint, QPoint(4, 5));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(4, 5), f.ImgPicture[0]->mapToGlobal(QPoint(4, 5)));
    QApplication::sendEvent(f.ImgPicture[0], &menu);
    EXPECT_TRUE(f.PopupMenu1->isVisible());
    f.PopupMenu1->hide();
    f.MenuTopClick();
    EXPECT_EQ(Stacking(f).last(), f.ImgPicture[0]);
    EXPECT_EQ(f.ImgPicture[0]->Tag, 0);  // indices and tags do not change
    f.MenuUndoClick();
    EXPECT_EQ(Stacking(f).last(), f.ImgPicture[2]);
}

TEST_F(Fixture, SendToBackStaysAboveOtherChildrenOfThePaper)
{
    TForm1 &f = MakeThree();
    auto *background = new QWidget(f.Panel1);  // something of the paper that is not a photo
    background->lower();
    Select(f, 2);
    f.MenuBackClick();
    EXPECT_EQ(f.Panel1->children().indexOf(background), 0);
    EXPECT_EQ(Stacking(f).first(), f.ImgPicture[2]);
    EXPECT_EQ(Stacking(f).last(), f.ImgPicture[1]);
}
