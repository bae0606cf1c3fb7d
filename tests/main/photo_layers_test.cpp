#include "photo_layers.h"

#include "dialogs.h"
#include "photo_frames.h"
#include "photo_image.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tamarie;

namespace {

QImage Solid(QColor c, int w = 8, int h = 6)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// The editor-state fields the layers work on, with a paper to hold them.
struct Fixture : ::testing::Test {
    TPhotoList Photos;
    QVector<TImage *> &ImgPicture = Photos.ImgPicture;
    QVector<QString> &ImageFileName = Photos.ImageFileName;
    int &ImgCount = Photos.ImgCount;
    int &SelectedImgPictureNo = Photos.SelectedImgPictureNo;
    QPoint Image1MouseDownPoint;
    std::unique_ptr<QWidget> paper;
    std::unique_ptr<TPhotoLayers> layers;
    int thumbnails = 0;
    QImage thumbnail;
    int focusCalls = 0;
    QTemporaryDir dir;

    void SetUp() override
    {
        paper = std::make_unique<QWidget>();
        paper->resize(500, 700);
        paper->show();
        layers = std::make_unique<TPhotoLayers>(paper.get(), Photos, Image1MouseDownPoint);
        layers->ShowThumbnail = [this](const QImage &img) {
            ++thumbnails;
            thumbnail = img;
        };
        layers->FocusSettings = [this] { ++focusCalls; };
        dialogs::BeginScript();
    }
    void TearDown() override
    {
        dialogs::EndScript();
        layers.reset();
        paper.reset();
    }

    // Three photos with distinct pictures, bounds and names.
    void MakeThree()
    {
        const QColor colors[] = {Qt::red, Qt::green, Qt::blue};
        for (int i = 0; i < 3; ++i) {
            layers->Add();
            ASSERT_TRUE(Solid(colors[i]).save(P(i)));
            ImgPicture[i]->ShowPhoto(P(i));
            ImgPicture[i]->setGeometry(10 * i, 20 * i, 100 + i, 50 + i);
            ImageFileName[i] = P(i);
        }
        ASSERT_TRUE(WaitForScreenCopies());
    }
    QString P(int i) const { return dir.filePath(QStringLiteral("p%1.png").arg(i)); }

    // The colour photo i shows once its copy for the screen is ready.
    QColor Shows(int i)
    {
        EXPECT_TRUE(WaitForScreenCopies());
        const QImage copy = ImgPicture[i]->ScreenCopy();
        return copy.isNull() ? QColor() : copy.pixelColor(0, 0);
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
    QVector<TImage *> Stacking() const
    {
        QVector<TImage *> order;
        for (QObject *c : paper->children())
            if (auto *p = qobject_cast<TImage *>(c))
                order << p;
        return order;
    }

    void Send(TImage *photo, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(pos), QPointF(photo->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(photo, &e);
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
    MakeThree();
    layers->Select(1);
    thumbnails = 0;
    const int index = layers->Add();
    EXPECT_EQ(index, 3);
    EXPECT_EQ(ImgCount, 4);
    EXPECT_EQ(ImgPicture.size(), 4);
    EXPECT_EQ(ImageFileName.size(), 4);
    EXPECT_EQ(SelectedImgPictureNo, 3);
    EXPECT_EQ(ImgPicture[3]->geometry(), QRect(0, 0, 200, 150));
    EXPECT_EQ(ImgPicture[3]->Tag, 3);
    EXPECT_TRUE(ImgPicture[3]->FileName().isEmpty());
    EXPECT_TRUE(ImageFileName[3].isEmpty());
    EXPECT_EQ(ImgPicture[3]->parentWidget(), paper.get());
    EXPECT_EQ(Stacking().last(), ImgPicture[3]);
    EXPECT_EQ(thumbnails, 0);
}

TEST_F(Fixture, ReplaceDecodesByContentWhateverTheExtension)
{
    MakeThree();
    layers->Select(1);
    const QString path = dir.filePath(QStringLiteral("really_a_png.jpg"));
    ASSERT_TRUE(Solid(Qt::yellow, 30, 20).save(path, "PNG"));
    const QRect bounds = ImgPicture[1]->geometry();
    EXPECT_TRUE(layers->Replace(path));
    EXPECT_EQ(ImgPicture[1]->PixelSize(), QSize(30, 20));
    EXPECT_EQ(Shows(1), QColor(Qt::yellow));
    EXPECT_EQ(ImgPicture[1]->geometry(), FittedFrame(QSize(30, 20), bounds));  // its proportions within the frame
    EXPECT_EQ(ImageFileName[1], path);
    EXPECT_FALSE(ImgPicture[1]->isHidden());
    EXPECT_EQ(thumbnail.size(), QSize(30, 20));
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(Fixture, ReplaceReadsBitmapJpegAndTiff)
{
    layers->Add();
    for (const char *format : {"BMP", "JPEG", "TIFF"}) {
        const QString path = dir.filePath(QStringLiteral("pic.%1").arg(QString::fromLatin1(format).toLower()));
        ASSERT_TRUE(Solid(Qt::white, 16, 12).save(path, format));
        EXPECT_TRUE(layers->Replace(path)) << format;
        EXPECT_EQ(ImgPicture[0]->PixelSize(), QSize(16, 12));
        EXPECT_EQ(Shows(0), QColor(Qt::white));
    }
}

TEST_F(Fixture, UndecodableFileKeepsPictureAndNameAndShowsTheDecoderMessage)
{
    MakeThree();
    layers->Select(2);
    thumbnails = 0;
    const QString path = Write(QStringLiteral("broken.png"), QByteArray("not a picture at all"));
    EXPECT_FALSE(layers->Replace(path));
    EXPECT_EQ(Shows(2), QColor(Qt::blue));
    EXPECT_EQ(ImageFileName[2], P(2));
    EXPECT_FALSE(ImgPicture[2]->isHidden());
    EXPECT_EQ(thumbnails, 0);
    ASSERT_EQ(dialogs::Shown().size(), 1);
    EXPECT_FALSE(dialogs::Shown().first().isEmpty());
}

TEST_F(Fixture, MissingFileShowsAMessage)
{
    layers->Add();
    EXPECT_FALSE(layers->Replace(dir.filePath(QStringLiteral("nowhere.jpg"))));
    EXPECT_EQ(dialogs::Shown().size(), 1);
    EXPECT_TRUE(ImageFileName[0].isEmpty());
}

TEST_F(Fixture, HugePictureIsRefusedWithAClearMessage)
{
    MakeThree();
    layers->Select(0);
    const QString path = Write(QStringLiteral("huge.png"), PngHeaderOnly(40000, 40000));
    EXPECT_FALSE(layers->Replace(path));
    ASSERT_EQ(dialogs::Shown().size(), 1);
    EXPECT_EQ(dialogs::Shown().first(), PhotoTooLargeMessage(40000, 40000));
    EXPECT_TRUE(dialogs::Shown().first().contains(QStringLiteral("40000")));
    EXPECT_EQ(Shows(0), QColor(Qt::red));
}

TEST_F(Fixture, DecodePhotoReportsTooLargeBeforeDecoding)
{
    const DecodedPhoto d = DecodePhoto(Write(QStringLiteral("wide.dat"), PngHeaderOnly(200000, 3000)));
    EXPECT_TRUE(d.image.isNull());
    EXPECT_EQ(d.error, PhotoTooLargeMessage(200000, 3000));
}

TEST_F(Fixture, DeletingTheMiddleOfThreeMovesTheLaterPhotoDown)
{
    MakeThree();
    TImage *control1 = ImgPicture[1];
    layers->Select(1);
    layers->Delete();
    ASSERT_EQ(ImgCount, 2);
    ASSERT_EQ(ImgPicture.size(), 2);
    ASSERT_EQ(ImageFileName.size(), 2);
    EXPECT_EQ(ImgPicture[1], control1);  // the control stays, the third photo moves into it
    EXPECT_EQ(Shows(1), QColor(Qt::blue));
    EXPECT_EQ(ImgPicture[1]->geometry(), QRect(20, 40, 102, 52));
    EXPECT_EQ(ImageFileName[1], P(2));
    EXPECT_EQ(ImgPicture[1]->Tag, 1);
    EXPECT_EQ(Shows(0), QColor(Qt::red));
    EXPECT_EQ(Stacking().size(), 2);
    EXPECT_EQ(SelectedImgPictureNo, 0);
    EXPECT_EQ(QColor(thumbnail.pixel(0, 0)), QColor(Qt::red));
}

TEST_F(Fixture, DeletingTheOnlyPhotoLeavesNoSelectionAndAnEmptyThumbnail)
{
    layers->Add();
    ASSERT_TRUE(Solid(Qt::red).save(P(0)));
    ImgPicture[0]->ShowPhoto(P(0));
    layers->Delete();
    EXPECT_EQ(ImgCount, 0);
    EXPECT_TRUE(ImgPicture.isEmpty());
    EXPECT_TRUE(ImageFileName.isEmpty());
    EXPECT_EQ(SelectedImgPictureNo, -1);
    EXPECT_TRUE(thumbnail.isNull());
    // Nothing selected: replace and delete do nothing.
    EXPECT_FALSE(layers->Replace(QStringLiteral("/x.png")));
    layers->Delete();
    EXPECT_EQ(ImgCount, 0);
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(Fixture, AddsAndDeletesAnywhereKeepTheListInStep)
{
    const int picks[] = {0, 0, 1, 2, 0, 3, 1, 0, 0, 2};
    for (int step = 0; step < 10; ++step) {
        layers->Add();
        ImageFileName[ImgCount - 1] = QString::number(step);
        if (step % 3 == 2) {
            layers->Select(picks[step] % ImgCount);
            layers->Delete();
        }
        ASSERT_TRUE(Photos.InStep()) << step;
        for (int i = 0; i < ImgCount; ++i)
            EXPECT_EQ(ImgPicture[i]->Tag, i) << step;
    }
    EXPECT_EQ(ImgCount, 7);
    EXPECT_EQ(Stacking().size(), 7);
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

TEST_F(Fixture, DragMovesOnlyPastTheThresholdAndByTheWholeOffset)
{
    MakeThree();
    TImage *p = ImgPicture[1];
    p->move(100, 100);
    Send(p, QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(Image1MouseDownPoint, QPoint(20, 20));
    Send(p, QEvent::MouseMove, QPoint(25, 15), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p->pos(), QPoint(100, 100));
    Send(p, QEvent::MouseMove, QPoint(26, 23), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p->pos(), QPoint(106, 103));
    // Without the left button nothing moves; no clamping to the paper.
    Send(p, QEvent::MouseMove, QPoint(500, 500), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(p->pos(), QPoint(106, 103));
    Send(p, QEvent::MouseMove, QPoint(-980, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p->pos(), QPoint(-894, 103));
}

TEST_F(Fixture, LeftClickFocusesTheSettingsAndSelectsOnRelease)
{
    MakeThree();
    layers->Select(0);
    thumbnails = 0;
    Send(ImgPicture[2], QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(SelectedImgPictureNo, 0);  // the left button selects on release
    Send(ImgPicture[2], QEvent::MouseButtonRelease, QPoint(3, 3), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(SelectedImgPictureNo, 2);
    EXPECT_EQ(focusCalls, 1);
    EXPECT_EQ(thumbnails, 1);
    EXPECT_EQ(QColor(thumbnail.pixel(0, 0)), QColor(Qt::blue));
    // Clicking the selected photo again focuses but leaves the thumbnail.
    Send(ImgPicture[2], QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
    Send(ImgPicture[2], QEvent::MouseButtonRelease, QPoint(3, 3), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(focusCalls, 2);
    EXPECT_EQ(thumbnails, 1);
}

TEST_F(Fixture, RightPressSelectsBeforeThePopupAndFrontActsOnThatPhoto)
{
    MakeThree();
    layers->Select(2);
    TImage *popupFor = nullptr;
    layers->OpenPopup = [&](TImage *p, const QPoint &) { popupFor = p; };
    Send(ImgPicture[0], QEvent::MouseButtonPress, QPoint(4, 5), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(SelectedImgPictureNo, 0);
    EXPECT_EQ(Image1MouseDownPoint, QPoint(4, 5));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(4, 5), ImgPicture[0]->mapToGlobal(QPoint(4, 5)));
    QApplication::sendEvent(ImgPicture[0], &menu);
    EXPECT_EQ(popupFor, ImgPicture[0]);
    layers->BringToFront();
    EXPECT_EQ(Stacking().last(), ImgPicture[0]);
    EXPECT_EQ(ImgPicture[0]->Tag, 0);  // indices and tags do not change
}

TEST_F(Fixture, SendToBackStaysAboveOtherChildrenOfThePaper)
{
    auto *background = new QWidget(paper.get());  // something of the paper that is not a photo
    MakeThree();
    layers->Select(2);
    layers->SendToBack();
    const QObjectList &children = paper->children();
    EXPECT_EQ(children.indexOf(background), 0);
    EXPECT_EQ(Stacking().first(), ImgPicture[2]);
    EXPECT_EQ(Stacking().last(), ImgPicture[1]);
}
