// Photos in the outputs: decoded again for the pixels they cover, upright,
// turned as the user turned them, in sRGB; and the photos too small for
// print named.
#include "output/arrangement_render.h"
#include "output/print_resolution.h"
#include "photos/photo_fixtures.h"

#include <QTransform>

using namespace tamarie;
using namespace tamarie::testing;

TEST(PhotoOutput, PicturesShowPhotosUprightTurnedAndInSrgb)
{
    QTemporaryDir dir;
    // A phone's portrait photo lying on its side with "rotate 90°" in its EXIF,
    // and a camera's Adobe RGB photo.
    const QString portrait = SaveJpeg(dir, QStringLiteral("portrait.jpg"), StoredFor(Quadrants(300, 400), 6));
    ASSERT_TRUE(Tool(QStringLiteral("exiftool"),
                     {QStringLiteral("-q"), QStringLiteral("-overwrite_original"), QStringLiteral("-Orientation#=6"), portrait}));
    QImage green(400, 300, QImage::Format_RGB32);
    green.fill(QColor(60, 160, 60));
    const QByteArray plain = ReadFile(SaveJpeg(dir, QStringLiteral("plain.jpg"), green, 100));
    const QString adobe = WriteFile(dir, QStringLiteral("adobe.jpg"), WithIccSegment(plain, ProfileOf(Space::AdobeRgb)));

    Arrangement a;
    a.paperSize = QSize(420, 580);  // the picture shows (5, 5) to (415, 575)
    a.paperColor = clWhite;
    a.photos.push_back({portrait, 0, QRect(5, 5, 150, 200)});
    a.photos.push_back({portrait, 1, QRect(205, 5, 200, 150)});  // turned a quarter clockwise
    a.photos.push_back({adobe, 0, QRect(5, 300, 400, 270)});
    const QImage picture = RenderArrangementPicture(a, {}, QSize(2000, 2800));
    ASSERT_EQ(picture.size(), QSize(2000, 2800));
    // 2000 / 410 picture pixels to a paper pixel.
    auto onPicture = [](const QRect &paper) {
        const double s = 2000.0 / 410.0;
        return QRect(int((paper.x() - 5) * s), int((paper.y() - 5) * s), int(paper.width() * s), int(paper.height() * s));
    };
    EXPECT_TRUE(ShowsQuadrants(picture.copy(onPicture(QRect(5, 5, 150, 200)))));
    EXPECT_TRUE(ShowsQuadrants(picture.copy(onPicture(QRect(205, 5, 200, 150))).transformed(QTransform().rotate(-90))));
    EXPECT_LE(Distance(Mean(picture, onPicture(QRect(100, 400, 200, 100))), QColor(0, 161, 47)), 2);
}

TEST(PhotoOutput, PhotosWithFewerThan150PixelsAnInchOfA4AreNamed)
{
    QTemporaryDir dir;
    QImage small(200, 150, QImage::Format_RGB32);
    small.fill(Qt::gray);
    const QString smallPath = dir.filePath(QStringLiteral("small.png"));
    ASSERT_TRUE(small.save(smallPath));
    QImage large(1400, 1050, QImage::Format_RGB32);
    large.fill(Qt::gray);
    const QString largePath = dir.filePath(QStringLiteral("large.png"));
    ASSERT_TRUE(large.save(largePath));

    Arrangement a;
    a.paperSize = QSize(420, 580);  // pictures show 400 paper pixels across A4's 210 mm
    // 200 pixels over 200 paper pixels, half of A4's 8.27 inches: about 48 dpi.
    a.photos.push_back({smallPath, 0, QRect(5, 5, 200, 150)});
    // 1400 over the same: about 339 dpi.
    a.photos.push_back({largePath, 0, QRect(205, 5, 200, 150)});
    EXPECT_EQ(PrintedDpi(QSize(200, 150), QRect(5, 5, 200, 150), a), 48);
    EXPECT_EQ(LowResolutionNotice(a), QStringLiteral("画像 small.png は印刷には解像度が不足しています(約 48 dpi)。"));
    // On landscape paper the same width is half of 297 mm.
    a.landscape = true;
    EXPECT_EQ(PrintedDpi(QSize(200, 150), QRect(5, 5, 200, 150), a), 34);
    // Enough pixels everywhere: nothing to say.
    a.photos.erase(a.photos.begin());
    EXPECT_TRUE(LowResolutionNotice(a).isEmpty());
}
