// Photos with colour profiles come out in sRGB: a camera's Adobe RGB JPEG,
// a phone's Display P3 HEIC and AVIF, a PNG with its profile; a profile that
// cannot be read leaves the numbers as they are.
#include "photo_decoder.h"
#include "photo_fixtures.h"

using namespace tamarie;
using namespace tamarie::testing;

namespace {

QImage Solid(const QColor &c)
{
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

QColor CentreOf(const QString &path)
{
    const DecodedPhoto d = DecodePhoto(path, {0, QSize(32, 24)});
    EXPECT_TRUE(d.error.isEmpty()) << d.error.toStdString();
    return d.image.isNull() ? QColor() : Mean(d.image, QRect(8, 6, 16, 12));
}

} // namespace

TEST(PhotoColour, ProfilesAreConvertedToSrgb)
{
    QTemporaryDir dir;
    const QColor green(60, 160, 60);
    const QByteArray adobe = ProfileOf(Space::AdobeRgb);
    const QByteArray p3 = ProfileOf(Space::DisplayP3);
    const QByteArray plainJpeg = ReadFile(SaveJpeg(dir, QStringLiteral("plain.jpg"), Solid(green), 100));

    // Adobe RGB's green (60, 160, 60) is sRGB's (0, 161, 47).
    const QString camera = WriteFile(dir, QStringLiteral("camera.jpg"), WithIccSegment(plainJpeg, adobe));
    EXPECT_LE(Distance(CentreOf(camera), QColor(0, 161, 47)), 2);

    // The same profile in a PNG's iCCP chunk, written by exiftool.
    const QString png = dir.filePath(QStringLiteral("adobe.png"));
    ASSERT_TRUE(Solid(green).save(png));
    const QString iccFile = WriteFile(dir, QStringLiteral("adobe.icc"), adobe);
    ASSERT_TRUE(Tool(QStringLiteral("exiftool"),
                     {QStringLiteral("-q"), QStringLiteral("-overwrite_original"), QStringLiteral("-ICC_Profile<=") + iccFile, png}));
    EXPECT_LE(Distance(CentreOf(png), QColor(0, 161, 47)), 2);

    // A phone's Display P3 picture, as HEIC and AVIF made from its JPEG.
    const QString phone = WriteFile(dir, QStringLiteral("phone.jpg"), WithIccSegment(plainJpeg, p3));
    const QColor expected = InSrgb(p3, green);
    ASSERT_GT(Distance(expected, green), 8);
    for (const QString &suffix : {QStringLiteral("heic"), QStringLiteral("avif")}) {
        const QString out = dir.filePath(QStringLiteral("phone.") + suffix);
        ASSERT_TRUE(Tool(QStringLiteral("heif-enc"), {QStringLiteral("-q"), QStringLiteral("95"), QStringLiteral("-o"), out, phone}));
        EXPECT_LE(Distance(CentreOf(out), expected), 3) << suffix.toStdString();
    }
    EXPECT_LE(Distance(CentreOf(phone), expected), 2);
}

TEST(PhotoColour, UnreadableProfileLeavesThePixelsAsTheyAre)
{
    QTemporaryDir dir;
    const QColor green(60, 160, 60);
    const QByteArray plainJpeg = ReadFile(SaveJpeg(dir, QStringLiteral("plain.jpg"), Solid(green), 100));
    QByteArray damaged = ProfileOf(Space::AdobeRgb);
    damaged.replace(36, 4, "nope");  // the profile's signature
    const QString path = WriteFile(dir, QStringLiteral("damaged.jpg"), WithIccSegment(plainJpeg, damaged));
    EXPECT_LE(Distance(CentreOf(path), green), 2);
}
