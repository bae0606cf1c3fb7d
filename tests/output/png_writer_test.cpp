#include "output/png_writer.h"
#include "output_test_support.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <random>

using namespace tamarie;

namespace {

// Flat areas, noise and a gradient: rows that take every filter and bands
// that compress to many blocks.
QImage mixedPicture(int w, int h)
{
    QImage img = PatternPicture(w, h);
    std::mt19937 rng(3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (y % 97 < 30)
                img.setPixel(x, y, qRgb(200, 40, 90));
            else if (y % 97 < 60)
                img.setPixel(x, y, qRgb(int(rng() & 255), int(rng() & 255), int(rng() & 255)));
        }
    return img;
}

QByteArray encoded(const QImage &picture, const PngOptions &options)
{
    QByteArray bytes;
    QString error;
    const bool ok = EncodePng(
        picture, [&](const char *d, qint64 n) { return bytes.append(d, n), true; }, &error, options);
    EXPECT_TRUE(ok) << error.toStdString();
    return bytes;
}

// libpng, which checks every CRC and the stream's checksum, reads it back.
QImage readWithLibpng(const QByteArray &bytes)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), std::size_t(bytes.size())))
        return {};
    image.format = PNG_FORMAT_RGB;
    QImage out(int(image.width), int(image.height), QImage::Format_RGB888);
    if (!png_image_finish_read(&image, nullptr, out.bits(), out.bytesPerLine(), nullptr))
        return {};
    return out;
}

// The IDAT chunks joined must be one zlib stream, ending exactly at the end.
bool oneCompleteStream(const QByteArray &bytes, qint64 expectedSize)
{
    QByteArray stream;
    for (int at = 8; at + 12 <= bytes.size();) {
        const int len = int(quint32(uchar(bytes[at])) << 24 | quint32(uchar(bytes[at + 1])) << 16
                            | quint32(uchar(bytes[at + 2])) << 8 | quint32(uchar(bytes[at + 3])));
        if (bytes.mid(at + 4, 4) == "IDAT")
            stream += bytes.mid(at + 8, len);
        at += 12 + len;
    }
    QByteArray out(expectedSize + 1, 0);
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef *>(stream.data());
    z.avail_in = uInt(stream.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    const int ret = inflate(&z, Z_FINISH);
    const bool ok = ret == Z_STREAM_END && z.avail_in == 0 && qint64(z.total_out) == expectedSize;
    inflateEnd(&z);
    return ok;
}

} // namespace

TEST(PngWriter, BandsJoinIntoOneStreamThatEveryReaderReadsExactly)
{
    TestApp();
    for (const QSize size : {QSize(613, 1400), QSize(1, 1), QSize(3, 700)}) {
        const QImage picture = mixedPicture(size.width(), size.height());
        for (int threads : {1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " threads " << threads);
            const QByteArray bytes = encoded(picture, {5, threads});
            EXPECT_TRUE(oneCompleteStream(bytes, qint64(size.height()) * (3 * size.width() + 1)));
            EXPECT_EQ(readWithLibpng(bytes), picture);
            QBuffer buffer(const_cast<QByteArray *>(&bytes));
            QImageReader reader(&buffer, "png");
            QImage back = reader.read().convertToFormat(QImage::Format_RGB888);
            EXPECT_EQ(back.colorSpace(), QColorSpace(QColorSpace::SRgb));
            back.setColorSpace(picture.colorSpace());
            EXPECT_EQ(back, picture);
        }
    }
}

TEST(PngWriter, AFailingSinkStopsTheEncoding)
{
    qint64 calls = 0;
    QString error;
    EXPECT_FALSE(EncodePng(
        PatternPicture(64, 64), [&](const char *, qint64) { return ++calls < 3; }, &error));
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(error.isEmpty());
}
