// The photo decoder on photos as phones and cameras write them: every EXIF
// orientation, HEIF's own rotation, HEIC, AVIF and JPEG XL, and files that
// are too large, cut short or lie about their size.
#include "photo_decoder.h"
#include "photo_fixtures.h"

#include <QBuffer>
#include <QTransform>

#include <jpeglib.h>
#include <jxl/encode.h>
#include <libheif/heif.h>
#include <zlib.h>

#include <cstdio>

using namespace tamarie;
using namespace tamarie::testing;

namespace {

QString ExifOriented(const QTemporaryDir &dir, const QImage &upright, int orientation)
{
    const QString path = SaveJpeg(dir, QStringLiteral("o%1.jpg").arg(orientation), StoredFor(upright, orientation));
    EXPECT_TRUE(Tool(QStringLiteral("exiftool"), {QStringLiteral("-q"), QStringLiteral("-overwrite_original"),
                                                  QStringLiteral("-Orientation#=%1").arg(orientation), path}));
    return path;
}

// A HEIC whose own transformations (irot, imir) undo the orientation.
QString HeifOriented(const QTemporaryDir &dir, const QImage &upright, int orientation)
{
    const QImage stored = StoredFor(upright, orientation);
    heif_context *ctx = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_context_get_encoder_for_format(ctx, heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 95);
    heif_image *img = nullptr;
    heif_image_create(stored.width(), stored.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &img);
    heif_image_add_plane(img, heif_channel_interleaved, stored.width(), stored.height(), 8);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(img, heif_channel_interleaved, &stride);
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width(); ++x) {
            const QRgb p = stored.pixel(x, y);
            uint8_t *d = plane + y * stride + 3 * x;
            d[0] = uint8_t(qRed(p));
            d[1] = uint8_t(qGreen(p));
            d[2] = uint8_t(qBlue(p));
        }
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(orientation);
    heif_context_encode_image(ctx, img, encoder, options, nullptr);
    const QString path = dir.filePath(QStringLiteral("o%1.heic").arg(orientation));
    EXPECT_EQ(heif_context_write_to_file(ctx, path.toLocal8Bit().constData()).code, heif_error_Ok);
    heif_encoding_options_free(options);
    heif_image_release(img);
    heif_encoder_release(encoder);
    heif_context_free(ctx);
    return path;
}

// A JPEG XL whose codestream says orientation 6.
QByteArray JxlTurned(const QImage &upright)
{
    const QImage stored = StoredFor(upright, 6).convertToFormat(QImage::Format_RGB888);
    JxlEncoder *enc = JxlEncoderCreate(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = uint32_t(stored.width());
    info.ysize = uint32_t(stored.height());
    info.bits_per_sample = 8;
    info.num_color_channels = 3;
    info.orientation = JXL_ORIENT_ROTATE_90_CW;
    JxlEncoderSetBasicInfo(enc, &info);
    JxlColorEncoding colour;
    JxlColorEncodingSetToSRGB(&colour, JXL_FALSE);
    JxlEncoderSetColorEncoding(enc, &colour);
    JxlEncoderFrameSettings *settings = JxlEncoderFrameSettingsCreate(enc, nullptr);
    std::vector<uint8_t> pixels;
    for (int y = 0; y < stored.height(); ++y)
        pixels.insert(pixels.end(), stored.constScanLine(y), stored.constScanLine(y) + 3 * stored.width());
    const JxlPixelFormat format = {3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    JxlEncoderAddImageFrame(settings, &format, pixels.data(), pixels.size());
    JxlEncoderCloseInput(enc);
    QByteArray out(1 << 20, '\0');
    uint8_t *next = reinterpret_cast<uint8_t *>(out.data());
    size_t avail = size_t(out.size());
    EXPECT_EQ(JxlEncoderProcessOutput(enc, &next, &avail), JXL_ENC_SUCCESS);
    out.truncate(out.size() - qsizetype(avail));
    JxlEncoderDestroy(enc);
    return out;
}

// A JPEG streamed row by row, so a picture larger than memory allows can be written.
QString HugeJpeg(const QTemporaryDir &dir, int w, int h)
{
    const QString path = dir.filePath(QStringLiteral("huge.jpg"));
    FILE *f = std::fopen(path.toLocal8Bit().constData(), "wb");
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = JDIMENSION(w);
    c.image_height = JDIMENSION(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 50, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
        // Left half red, right half blue.
        for (int x = 0; x < w; ++x) {
            row[3 * size_t(x)] = x < w / 2 ? 200 : 20;
            row[3 * size_t(x) + 1] = 30;
            row[3 * size_t(x) + 2] = x < w / 2 ? 20 : 200;
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&c, &p, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);
    return path;
}

// A real one-bit grey PNG of w x h: a small file for a picture of many pixels.
QByteArray BlankPng(quint32 w, quint32 h)
{
    auto be = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char(v >> (24 - 8 * i));
        return b;
    };
    auto chunk = [&be](const char *type, const QByteArray &data) {
        QByteArray body = QByteArray(type, 4) + data;
        return be(quint32(data.size())) + body +
               be(quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))));
    };
    QByteArray ihdr = be(w) + be(h);
    ihdr.append('\x01').append('\0').append('\0').append('\0').append('\0');
    QByteArray idat;
    z_stream z{};
    deflateInit(&z, 9);
    const QByteArray row(int(w + 7) / 8 + 1, '\0');
    char out[65536];
    for (quint32 y = 0; y <= h; ++y) {
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(row.constData()));
        z.avail_in = y < h ? uInt(row.size()) : 0;
        do {
            z.next_out = reinterpret_cast<Bytef *>(out);
            z.avail_out = sizeof out;
            deflate(&z, y < h ? Z_NO_FLUSH : Z_FINISH);
            idat.append(out, qsizetype(sizeof out - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", idat) + chunk("IEND", {});
}

} // namespace

TEST(PhotoDecoder, EveryExifOrientationComesOutUpright)
{
    QTemporaryDir dir;
    const QImage upright = Quadrants(64, 32);
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        const QString path = ExifOriented(dir, upright, o);
        EXPECT_EQ(ProbePhoto(path).size, QSize(64, 32));
        const DecodedPhoto whole = DecodePhoto(path);
        EXPECT_EQ(whole.image.size(), QSize(64, 32));
        EXPECT_TRUE(ShowsQuadrants(whole.image));
        // Reduced, and turned a quarter clockwise by the user on top.
        const DecodedPhoto turned = DecodePhoto(path, {1, QSize(16, 32)});
        EXPECT_EQ(turned.image.size(), QSize(16, 32));
        EXPECT_EQ(turned.fullSize, QSize(32, 64));
        EXPECT_TRUE(ShowsQuadrants(turned.image.transformed(QTransform().rotate(-90))));
    }
}

TEST(PhotoDecoder, HeifRotationAndMirroringAreApplied)
{
    QTemporaryDir dir;
    const QImage upright = Quadrants(64, 32);
    for (int o : {2, 3, 5, 6, 8}) {
        SCOPED_TRACE(o);
        const QString path = HeifOriented(dir, upright, o);
        const PhotoProbe probe = ProbePhoto(path);
        EXPECT_EQ(probe.format, PhotoFormat::Heif);
        EXPECT_EQ(probe.size, QSize(64, 32));
        EXPECT_TRUE(ShowsQuadrants(DecodePhoto(path).image));
    }
}

TEST(PhotoDecoder, HeicAvifAndJpegXlAreReadWhateverTheirNames)
{
    QTemporaryDir dir;
    const QImage upright = Quadrants(96, 64);
    const QString jpeg = SaveJpeg(dir, QStringLiteral("phone.jpg"), upright);
    const QString heic = dir.filePath(QStringLiteral("phone.heic"));
    const QString avif = dir.filePath(QStringLiteral("phone.avif"));
    ASSERT_TRUE(Tool(QStringLiteral("heif-enc"), {QStringLiteral("-q"), QStringLiteral("90"), QStringLiteral("-o"), heic, jpeg}));
    ASSERT_TRUE(Tool(QStringLiteral("heif-enc"), {QStringLiteral("-A"), QStringLiteral("-q"), QStringLiteral("90"), QStringLiteral("-o"), avif, jpeg}));
    // The content decides, not the name.
    const QString misnamed = WriteFile(dir, QStringLiteral("really_heic.jpg"), ReadFile(heic));
    const QString jxl = WriteFile(dir, QStringLiteral("turned.jxl"), JxlTurned(upright));
    for (const QString &path : {heic, avif, misnamed, jxl}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(ProbePhoto(path).size, QSize(96, 64));
        const DecodedPhoto d = DecodePhoto(path, {0, QSize(48, 32)});
        EXPECT_TRUE(d.error.isEmpty()) << d.error.toStdString();
        EXPECT_EQ(d.image.size(), QSize(48, 32));
        EXPECT_TRUE(ShowsQuadrants(d.image));
    }
}

TEST(PhotoDecoder, DamagedAndOversizedFilesAreRefusedWithTheirReason)
{
    QTemporaryDir dir;
    // Cut short: refused, not shown half grey.
    const QString whole = SaveJpeg(dir, QStringLiteral("whole.jpg"), Quadrants(256, 256), 90);
    const QString cut = WriteFile(dir, QStringLiteral("cut.jpg"), ReadFile(whole).left(ReadFile(whole).size() * 3 / 5));
    EXPECT_TRUE(DecodePhoto(cut).image.isNull());
    EXPECT_TRUE(DecodePhoto(cut).error.contains(QStringLiteral("途中で切れている")));
    EXPECT_TRUE(DecodePhoto(whole).error.isEmpty());

    // A GIF whose screen is 65535 x 65535 in a few dozen bytes.
    QByteArray gif("GIF89a\xFF\xFF\xFF\xFF\x00\x00\x00", 13);
    gif += QByteArray("\x2C\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0\x3B", 16);
    const QString bigGif = WriteFile(dir, QStringLiteral("big.gif"), gif);
    EXPECT_EQ(ProbePhoto(bigGif).error, PhotoTooLargeMessage(65535, 65535));
    EXPECT_EQ(DecodePhoto(bigGif).error, PhotoTooLargeMessage(65535, 65535));

    // A PNG that cannot be reduced while decoding, 30000 x 30000 in a small file.
    const QString bigPng = WriteFile(dir, QStringLiteral("big.png"), BlankPng(30000, 30000));
    EXPECT_LT(QFileInfo(bigPng).size(), 1 << 20);
    EXPECT_EQ(DecodePhoto(bigPng, {0, QSize(300, 300)}).error, PhotoTooLargeMessage(30000, 30000));

    // Just under the limit decoded whole (counted as four bytes a pixel):
    // shown, whatever the size of its frame.
    const QString nearLimit = WriteFile(dir, QStringLiteral("near.png"), BlankPng(11585, 11585));
    ASSERT_LE(qint64(11585) * 11585 * 4, kPhotoDecodeLimitBytes);
    const DecodedPhoto near = DecodePhoto(nearLimit, {0, QSize(300, 200)});
    EXPECT_TRUE(near.error.isEmpty()) << near.error.toStdString();
    EXPECT_EQ(near.image.size(), QSize(300, 200));

    // Not a picture at all.
    const QString text = WriteFile(dir, QStringLiteral("notes.png"), "just some text\n");
    EXPECT_FALSE(ProbePhoto(text).Ok());
    EXPECT_FALSE(DecodePhoto(text).error.isEmpty());
}

TEST(PhotoDecoder, JpegLargerThanTheLimitDecodedWholeStillOpensReduced)
{
    QTemporaryDir dir;
    // 144 megapixels: 576 MB decoded whole, over the limit.
    const QString path = HugeJpeg(dir, 12000, 12000);
    ASSERT_GT(qint64(12000) * 12000 * 4, kPhotoDecodeLimitBytes);
    const PhotoProbe probe = ProbePhoto(path);
    EXPECT_TRUE(probe.Ok()) << probe.error.toStdString();
    const DecodedPhoto d = DecodePhoto(path, {0, QSize(300, 300)});
    ASSERT_EQ(d.image.size(), QSize(300, 300));
    EXPECT_LE(Distance(d.image.pixelColor(75, 150), QColor(200, 30, 20)), 6);
    EXPECT_LE(Distance(d.image.pixelColor(225, 150), QColor(20, 30, 200)), 6);
}
