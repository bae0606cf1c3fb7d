// JPEG through libjpeg-turbo: scaled in its inverse DCT to the smallest
// eighth that still covers the size asked, and reduced by averaging row by
// row as it is decoded.  A file that ends before its picture does is refused
// rather than shown half grey.
#include "area_reducer.h"
#include "photo_formats.h"
#include "photo_orientation.h"

#include <QIODevice>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace tamarie {

namespace {

constexpr size_t kReadChunk = 64 * 1024;
constexpr int kRowsAtOnce = 8;

struct DeviceSource {
    jpeg_source_mgr pub{};
    QIODevice *device = nullptr;
    bool ended = false;  // the file ran out before the decoder was done
    JOCTET buffer[kReadChunk];
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr cinfo)
{
    auto *src = reinterpret_cast<DeviceSource *>(cinfo->src);
    const qint64 n = src->device->read(reinterpret_cast<char *>(src->buffer), qint64(kReadChunk));
    if (n <= 0) {
        // An end of image marker lets the decoder stop where the data stops.
        src->ended = true;
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        src->pub.bytes_in_buffer = 2;
    } else {
        src->pub.bytes_in_buffer = size_t(n);
    }
    src->pub.next_input_byte = src->buffer;
    return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count)
{
    auto *src = reinterpret_cast<DeviceSource *>(cinfo->src);
    if (count <= 0)
        return;
    if (size_t(count) <= src->pub.bytes_in_buffer) {
        src->pub.next_input_byte += count;
        src->pub.bytes_in_buffer -= size_t(count);
        return;
    }
    const qint64 rest = qint64(count) - qint64(src->pub.bytes_in_buffer);
    src->pub.bytes_in_buffer = 0;
    src->pub.next_input_byte = src->buffer;
    if (src->device->skip(rest) < rest)
        src->ended = true;
}

struct ErrorManager {
    jpeg_error_mgr pub{};
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void NoOutput(j_common_ptr) {}

struct JpegJob {
    bool probeOnly = false;
    QSize target;
    jpeg_decompress_struct cinfo{};
    ErrorManager err;
    std::unique_ptr<DeviceSource> src = std::make_unique<DeviceSource>();
    PhotoHeader header;
    QByteArray icc;
    std::optional<AreaReducer> reducer;
    std::optional<CmykRows> cmyk;
    std::vector<uchar> rows;
    std::vector<quint32> converted;
    QString error;
};

// The eighth to decode at.  One eighth (the blocks' mean values) when that
// covers the target: that is exact averaging.  Otherwise the smallest that
// gives half as many pixels again as the target, so that the averaging that
// follows, not the scaled transform's sharper cut, decides what is kept;
// the result then stays within about a level of decoding whole.
int Scale(const QSize &stored, const QSize &target)
{
    if (target.isEmpty())
        return 8;
    auto covers = [&](int s, double margin) {
        const qint64 w = (qint64(stored.width()) * s + 7) / 8, h = (qint64(stored.height()) * s + 7) / 8;
        return w >= target.width() * margin && h >= target.height() * margin;
    };
    if (covers(1, 1.0))
        return 1;
    for (int s = 2; s < 8; ++s)
        if (covers(s, 1.5))
            return s;
    return 8;
}

QSize Scaled(const QSize &stored, int s)
{
    return QSize(int((qint64(stored.width()) * s + 7) / 8), int((qint64(stored.height()) * s + 7) / 8));
}

void ReadMetadata(JpegJob &job)
{
    jpeg_decompress_struct &c = job.cinfo;
    for (jpeg_saved_marker_ptr m = c.marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0) {
            job.header.orientation = ExifOrientation(QByteArray(reinterpret_cast<const char *>(m->data),
                                                                int(m->data_length)));
            break;
        }
    }
    JOCTET *icc = nullptr;
    unsigned int iccLength = 0;
    if (jpeg_read_icc_profile(&c, &icc, &iccLength) && icc) {
        job.icc = QByteArray(reinterpret_cast<const char *>(icc), int(iccLength));
        std::free(icc);
    }
}

// Runs in a frame of its own: a libjpeg error jumps back here, and nothing
// that needs destroying lives in this frame.
bool Run(JpegJob *job)
{
    jpeg_decompress_struct &c = job->cinfo;
    c.err = jpeg_std_error(&job->err.pub);
    job->err.pub.error_exit = ErrorExit;
    job->err.pub.output_message = NoOutput;
    if (setjmp(job->err.jump)) {
        job->error = QString::fromLocal8Bit(job->err.message);
        jpeg_destroy_decompress(&c);
        return false;
    }
    jpeg_create_decompress(&c);
    c.src = &job->src->pub;
    job->src->pub.init_source = InitSource;
    job->src->pub.fill_input_buffer = FillInput;
    job->src->pub.skip_input_data = SkipInput;
    job->src->pub.resync_to_restart = jpeg_resync_to_restart;
    job->src->pub.term_source = TermSource;
    jpeg_save_markers(&c, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&c, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&c, TRUE);

    PhotoHeader &h = job->header;
    h.format = PhotoFormat::Jpeg;
    h.stored = QSize(int(c.image_width), int(c.image_height));
    h.reducesWhileDecoding = true;
    if (c.progressive_mode) {
        // The whole picture's coefficients are held until the last scan.
        for (int i = 0; i < c.num_components; ++i)
            h.fixedBytes += qint64(c.comp_info[i].width_in_blocks + 1) * (c.comp_info[i].height_in_blocks + 1) *
                            DCTSIZE2 * qint64(sizeof(JCOEF));
    }
    ReadMetadata(*job);
    if (job->probeOnly) {
        jpeg_destroy_decompress(&c);
        return true;
    }

    const int s = Scale(h.stored, job->target);
    c.scale_num = unsigned(s);
    c.scale_denom = 8;
    const bool cmyk = c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK;
    c.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_calc_output_dimensions(&c);
    const QSize scaled(int(c.output_width), int(c.output_height));
    job->reducer.emplace(scaled, job->target.isEmpty() ? scaled : job->target, false);
    if (!job->reducer->Valid()) {
        job->error = QStringLiteral("out of memory");
        jpeg_destroy_decompress(&c);
        return false;
    }
    if (cmyk) {
        job->cmyk.emplace(job->icc, bool(c.saw_Adobe_marker));
        job->converted.resize(size_t(scaled.width()));
    }
    const size_t stride = size_t(scaled.width()) * 4;
    job->rows.resize(stride * kRowsAtOnce);
    jpeg_start_decompress(&c);
    JSAMPROW pointers[kRowsAtOnce];
    for (int i = 0; i < kRowsAtOnce; ++i)
        pointers[i] = job->rows.data() + stride * size_t(i);
    while (c.output_scanline < c.output_height) {
        const JDIMENSION n = jpeg_read_scanlines(&c, pointers, kRowsAtOnce);
        for (JDIMENSION i = 0; i < n; ++i) {
            if (cmyk) {
                job->cmyk->Convert(pointers[i], job->converted.data(), scaled.width());
                job->reducer->AddRow(job->converted.data());
            } else {
                job->reducer->AddRow(reinterpret_cast<const quint32 *>(pointers[i]));
            }
        }
    }
    const bool cut = job->src->ended;
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    if (cut) {
        job->error = TruncatedPhotoText();
        return false;
    }
    return true;
}

} // namespace

PhotoHeader ProbeJpeg(QIODevice &device)
{
    JpegJob job;
    job.probeOnly = true;
    job.src->device = &device;
    if (!Run(&job))
        job.header.error = job.error;
    return job.header;
}

qint64 JpegDecodeBytes(const PhotoHeader &header, const QSize &storedTarget)
{
    const QSize scaled = Scaled(header.stored, Scale(header.stored, storedTarget));
    const QSize out = storedTarget.isEmpty() ? scaled : scaled.boundedTo(storedTarget);
    // The output, rows of the scaled picture in the decoder and here, sums.
    return header.fixedBytes + qint64(out.width()) * out.height() * 4 + qint64(scaled.width()) * 4 * 64 +
           qint64(out.width()) * 32;
}

RawPhoto DecodeJpeg(QIODevice &device, const QSize &storedTarget)
{
    JpegJob job;
    job.target = storedTarget;
    job.src->device = &device;
    RawPhoto raw;
    if (!Run(&job)) {
        raw.error = job.error;
        return raw;
    }
    raw.image = job.reducer->Take();
    raw.icc = job.icc;
    return raw;
}

} // namespace tamarie
