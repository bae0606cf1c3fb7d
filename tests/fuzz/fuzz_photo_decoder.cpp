// The photo decoder on damaged files: small photos of every format it reads
// (a JPEG with EXIF orientation and a colour profile, HEIC, AVIF, a PNG with
// its profile and orientation, JPEG XL) are made once, and each input either
// patches and cuts one of them or is taken as a file of its own.  Whatever
// comes in, decoding returns a picture no larger than asked, or a message.
#include "photo_decoder.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <jxl/encode.h>
#include <lcms2.h>
#include <libheif/heif.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace tamarie;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

QImage Picture()
{
    QImage img(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            img.setPixel(x, y, qRgb(x * 10, y * 15, 128));
    return img;
}

QByteArray Profile()
{
    cmsHPROFILE p = cmsCreate_sRGBProfile();
    cmsUInt32Number n = 0;
    cmsSaveProfileToMem(p, nullptr, &n);
    QByteArray bytes(int(n), '\0');
    cmsSaveProfileToMem(p, bytes.data(), &n);
    cmsCloseProfile(p);
    // Described otherwise, so the decoder converts through it.
    bytes.replace(bytes.indexOf("sRGB"), 4, "xRGB");
    return bytes;
}

// A TIFF-style EXIF block with one entry: orientation 6.
QByteArray Exif()
{
    return QByteArray("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 26);
}

QByteArray Jpeg()
{
    QByteArray jpeg;
    QBuffer b(&jpeg);
    b.open(QIODevice::WriteOnly);
    Picture().save(&b, "JPEG", 80);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + Exif();
    const QByteArray icc = QByteArray("ICC_PROFILE\0\x01\x01", 14) + Profile();
    auto segment = [](char marker, const QByteArray &data) {
        const int n = int(data.size()) + 2;
        return QByteArray("\xFF", 1) + marker + char(n >> 8) + char(n & 0xFF) + data;
    };
    return jpeg.left(2) + segment('\xE1', exif) + segment('\xE2', icc) + jpeg.mid(2);
}

QByteArray Png()
{
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    Picture().save(&b, "PNG");
    // eXIf before the data; Qt writes no iCCP for an image without a colour space.
    auto be = [](quint32 v) {
        const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        return QByteArray(b, 4);
    };
    const QByteArray exif = Exif();
    const QByteArray chunk = be(quint32(exif.size())) + "eXIf" + exif + be(0);
    return png.left(33) + chunk + png.mid(33);
}

QByteArray Heif(heif_compression_format format)
{
    heif_context *ctx = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    if (heif_context_get_encoder_for_format(ctx, format, &encoder).code != heif_error_Ok) {
        heif_context_free(ctx);
        return {};
    }
    heif_encoder_set_lossy_quality(encoder, 50);
    // YCbCr input: the AV1 encoder takes no RGB.
    heif_image *img = nullptr;
    heif_image_create(16, 16, heif_colorspace_YCbCr, heif_chroma_420, &img);
    const heif_channel channels[3] = {heif_channel_Y, heif_channel_Cb, heif_channel_Cr};
    for (int c = 0; c < 3; ++c) {
        const int side = c == 0 ? 16 : 8;
        heif_image_add_plane(img, channels[c], side, side, 8);
        int stride = 0;
        uint8_t *p = heif_image_get_plane(img, channels[c], &stride);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                p[y * stride + x] = uint8_t(c == 0 ? x * 16 : 100 + y * 5);
    }
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation_rotate_90_cw_then_flip_horizontally;
    heif_context_encode_image(ctx, img, encoder, options, nullptr);
    heif_encoding_options_free(options);
    QByteArray out;
    heif_writer writer = {1, [](heif_context *, const void *data, size_t size, void *user) {
                              static_cast<QByteArray *>(user)->append(static_cast<const char *>(data),
                                                                      qsizetype(size));
                              return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                          }};
    heif_context_write(ctx, &writer, &out);
    heif_image_release(img);
    heif_encoder_release(encoder);
    heif_context_free(ctx);
    return out;
}

QByteArray Jxl()
{
    const QImage img = Picture().convertToFormat(QImage::Format_RGB888);
    JxlEncoder *enc = JxlEncoderCreate(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = uint32_t(img.width());
    info.ysize = uint32_t(img.height());
    info.bits_per_sample = 8;
    info.num_color_channels = 3;
    info.orientation = JXL_ORIENT_TRANSPOSE;
    JxlEncoderSetBasicInfo(enc, &info);
    JxlColorEncoding colour;
    JxlColorEncodingSetToSRGB(&colour, JXL_FALSE);
    JxlEncoderSetColorEncoding(enc, &colour);
    std::vector<uint8_t> pixels;
    for (int y = 0; y < img.height(); ++y)
        pixels.insert(pixels.end(), img.constScanLine(y), img.constScanLine(y) + 3 * img.width());
    const JxlPixelFormat format = {3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    JxlEncoderAddImageFrame(JxlEncoderFrameSettingsCreate(enc, nullptr), &format, pixels.data(), pixels.size());
    JxlEncoderCloseInput(enc);
    QByteArray out(1 << 16, '\0');
    uint8_t *next = reinterpret_cast<uint8_t *>(out.data());
    size_t avail = size_t(out.size());
    JxlEncoderProcessOutput(enc, &next, &avail);
    out.truncate(out.size() - qsizetype(avail));
    JxlEncoderDestroy(enc);
    return out;
}

std::vector<QByteArray> &Templates()
{
    static std::vector<QByteArray> t = {Jpeg(), Heif(heif_compression_HEVC), Heif(heif_compression_AV1), Png(), Jxl()};
    return t;
}

} // namespace

// The codecs keep a few bytes of their own for the life of the process.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libx265.so\nleak:libdav1d.so\nleak:libaom.so\nleak:libde265.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QGuiApplication app(*argc, *argv);
    Templates();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    QByteArray file;
    const std::vector<QByteArray> &templates = Templates();
    const size_t pick = data[0] % (templates.size() + 1);
    if (pick == templates.size()) {
        file = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    } else {
        // Byte 1 cuts the template short (0: whole); then (offset, value) patches.
        file = templates[pick];
        if (file.isEmpty())
            return 0;
        if (data[1])
            file.truncate(std::max<qsizetype>(1, file.size() * data[1] / 256));
        for (size_t i = 2; i + 2 < size; i += 3)
            file[qsizetype((size_t(data[i]) << 8 | data[i + 1]) % size_t(file.size()))] = char(data[i + 2]);
    }
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    const PhotoProbe probe = ProbePhoto(buffer, QString());
    Check(probe.Ok() || !probe.error.isEmpty());
    // Small, as the screen asks, or whole.
    const QSize asked = data[0] & 0x20 ? QSize() : QSize(8, 8);
    const DecodedPhoto d = DecodePhoto(buffer, QString(), {int(data[0] >> 6), asked});
    Check(d.image.isNull() != d.error.isEmpty());
    if (!d.image.isNull() && !asked.isEmpty())
        Check(d.image.width() <= asked.width() && d.image.height() <= asked.height());
    return 0;
}
