#include "picture_files.h"

#include "color_profile.h"
#include "png_writer.h"
#include "replacing_file.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace tamarie {

namespace {

QImage asRgb888(const QImage &picture)
{
    return picture.format() == QImage::Format_RGB888 ? picture : picture.convertToFormat(QImage::Format_RGB888);
}

bool openTarget(ReplacingFile &file, QString *error)
{
    if (file.Open())
        return true;
    if (error)
        *error = file.ErrorString();
    return false;
}

// A failed write reports the system's reason (a full disk, no permission)
// before the encoder's own text, which for a failed write says little.
bool finish(ReplacingFile &file, bool ok, const QString &encoderError, QString *error)
{
    if (!ok) {
        const QString text = file.Failed() ? file.ErrorString() : encoderError;
        file.Cancel();
        if (error)
            *error = text.isEmpty() ? QStringLiteral("write failed") : text;
        return false;
    }
    if (!file.Commit()) {
        if (error)
            *error = file.ErrorString();
        return false;
    }
    return true;
}

void putLe16(uchar *p, unsigned v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
}
void putLe32(uchar *p, quint32 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
    p[2] = uchar(v >> 16);
    p[3] = uchar(v >> 24);
}

// --- JPEG ------------------------------------------------------------------
struct JpegContext {
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf jump{};
    ReplacingFile *file = nullptr;
    std::vector<JOCTET> buffer;
    char message[JMSG_LENGTH_MAX] = {};
};

JpegContext *jpegContext(j_common_ptr cinfo) { return static_cast<JpegContext *>(cinfo->client_data); }

void jpegErrorExit(j_common_ptr cinfo)
{
    JpegContext *ctx = jpegContext(cinfo);
    (*cinfo->err->format_message)(cinfo, ctx->message);
    std::longjmp(ctx->jump, 1);
}
void jpegOutputMessage(j_common_ptr) {}

void jpegInitDestination(j_compress_ptr cinfo)
{
    JpegContext *ctx = jpegContext(reinterpret_cast<j_common_ptr>(cinfo));
    cinfo->dest->next_output_byte = ctx->buffer.data();
    cinfo->dest->free_in_buffer = ctx->buffer.size();
}
void jpegFail(j_compress_ptr cinfo)
{
    JpegContext *ctx = jpegContext(reinterpret_cast<j_common_ptr>(cinfo));
    std::snprintf(ctx->message, sizeof ctx->message, "%s", "write failed");
    std::longjmp(ctx->jump, 1);
}
boolean jpegEmptyBuffer(j_compress_ptr cinfo)
{
    JpegContext *ctx = jpegContext(reinterpret_cast<j_common_ptr>(cinfo));
    const qint64 n = qint64(ctx->buffer.size());
    if (!ctx->file->Write(reinterpret_cast<const char *>(ctx->buffer.data()), n))
        jpegFail(cinfo);
    cinfo->dest->next_output_byte = ctx->buffer.data();
    cinfo->dest->free_in_buffer = ctx->buffer.size();
    return TRUE;
}
void jpegTermDestination(j_compress_ptr cinfo)
{
    JpegContext *ctx = jpegContext(reinterpret_cast<j_common_ptr>(cinfo));
    const qint64 n = qint64(ctx->buffer.size() - cinfo->dest->free_in_buffer);
    if (n > 0 && !ctx->file->Write(reinterpret_cast<const char *>(ctx->buffer.data()), n))
        jpegFail(cinfo);
}

bool encodeJpeg(const QImage &rgb, JpegContext *ctx, jpeg_compress_struct *cinfo)
{
    cinfo->err = jpeg_std_error(&ctx->errors);
    ctx->errors.error_exit = jpegErrorExit;
    ctx->errors.output_message = jpegOutputMessage;
    cinfo->client_data = ctx;
    if (setjmp(ctx->jump)) {
        jpeg_destroy_compress(cinfo);
        return false;
    }
    jpeg_create_compress(cinfo);
    ctx->destination.init_destination = jpegInitDestination;
    ctx->destination.empty_output_buffer = jpegEmptyBuffer;
    ctx->destination.term_destination = jpegTermDestination;
    cinfo->dest = &ctx->destination;
    cinfo->image_width = JDIMENSION(rgb.width());
    cinfo->image_height = JDIMENSION(rgb.height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, kJpegQuality, TRUE);
    for (int c = 0; c < cinfo->num_components; ++c) {
        cinfo->comp_info[c].h_samp_factor = 1;
        cinfo->comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(cinfo, TRUE);
    // Said to be sRGB, so colour-managed viewers and print shops take it so.
    const QByteArray srgb = SrgbIccProfile();
    jpeg_write_icc_profile(cinfo, reinterpret_cast<const JOCTET *>(srgb.constData()), unsigned(srgb.size()));
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return true;
}

} // namespace

bool WriteBmp(const QImage &picture, const QString &path, QString *error)
{
    const QImage rgb = asRgb888(picture);
    if (rgb.isNull()) {
        if (error)
            *error = QStringLiteral("empty picture");
        return false;
    }
    const quint64 rowSize = (3 * quint64(rgb.width()) + 3) & ~quint64(3);
    const quint64 imageSize = rowSize * quint64(rgb.height());
    if (54 + imageSize > 0xFFFFFFFFull) {
        if (error)
            *error = QStringLiteral("picture too large for a bitmap file");
        return false;
    }
    ReplacingFile file(path);
    if (!openTarget(file, error))
        return false;

    uchar header[54] = {};
    header[0] = 'B';
    header[1] = 'M';
    putLe32(header + 2, quint32(54 + imageSize));
    putLe32(header + 10, 54);
    putLe32(header + 14, 40);
    putLe32(header + 18, quint32(rgb.width()));
    putLe32(header + 22, quint32(rgb.height()));  // positive: rows bottom-up
    putLe16(header + 26, 1);
    putLe16(header + 28, 24);
    putLe32(header + 34, quint32(imageSize));
    bool ok = file.Write(reinterpret_cast<const char *>(header), qint64(sizeof header));

    std::vector<char> row(rowSize, 0);
    for (int y = rgb.height() - 1; ok && y >= 0; --y) {
        const uchar *src = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            row[3 * std::size_t(x)] = char(src[3 * x + 2]);
            row[3 * std::size_t(x) + 1] = char(src[3 * x + 1]);
            row[3 * std::size_t(x) + 2] = char(src[3 * x]);
        }
        ok = file.Write(row.data(), qint64(rowSize));
    }
    return finish(file, ok, QString(), error);
}

bool WritePng(const QImage &picture, const QString &path, QString *error)
{
    const QImage rgb = asRgb888(picture);
    if (rgb.isNull()) {
        if (error)
            *error = QStringLiteral("empty picture");
        return false;
    }
    ReplacingFile file(path);
    if (!openTarget(file, error))
        return false;
    QString encoderError;
    const bool ok = EncodePng(
        rgb, [&file](const char *data, qint64 size) { return file.Write(data, size); }, &encoderError);
    return finish(file, ok, encoderError, error);
}

bool WriteJpeg(const QImage &picture, const QString &path, QString *error)
{
    const QImage rgb = asRgb888(picture);
    if (rgb.isNull() || rgb.width() > JPEG_MAX_DIMENSION || rgb.height() > JPEG_MAX_DIMENSION) {
        if (error)
            *error = rgb.isNull() ? QStringLiteral("empty picture") : QStringLiteral("picture too large for JPEG");
        return false;
    }
    ReplacingFile file(path);
    if (!openTarget(file, error))
        return false;
    JpegContext ctx;
    ctx.file = &file;
    ctx.buffer.resize(64 * 1024);
    jpeg_compress_struct cinfo{};
    const bool ok = encodeJpeg(rgb, &ctx, &cinfo);
    return finish(file, ok, QString::fromLocal8Bit(ctx.message), error);
}

bool WritePicture(const QImage &picture, const QString &path, PictureFormat format, QString *error)
{
    switch (format) {
    case PictureFormat::Png:
        return WritePng(picture, path, error);
    case PictureFormat::Jpeg:
        return WriteJpeg(picture, path, error);
    case PictureFormat::Bmp:
        break;
    }
    return WriteBmp(picture, path, error);
}

} // namespace tamarie
