// HEIC/HEIF and AVIF through libheif, whose decoders apply the file's own
// rotation, mirroring and cropping.  The picture is decoded whole (the codecs
// cannot scale), handed over row by row and reduced.
#include "area_reducer.h"
#include "photo_formats.h"

#include <QIODevice>

#include <libheif/heif.h>

#include <memory>

namespace tamarie {

namespace {

int64_t Position(void *device) { return static_cast<QIODevice *>(device)->pos(); }

int Read(void *data, size_t size, void *device)
{
    auto *d = static_cast<QIODevice *>(device);
    return d->read(static_cast<char *>(data), qint64(size)) == qint64(size) ? 0 : 1;
}

int Seek(int64_t position, void *device) { return static_cast<QIODevice *>(device)->seek(position) ? 0 : 1; }

heif_reader_grow_status WaitForSize(int64_t size, void *device)
{
    return size <= static_cast<QIODevice *>(device)->size() ? heif_reader_grow_status_size_reached
                                                            : heif_reader_grow_status_size_beyond_eof;
}

const heif_reader kReader = {1, Position, Read, Seek, WaitForSize};

struct Heif {
    std::unique_ptr<heif_context, decltype(&heif_context_free)> context{heif_context_alloc(), heif_context_free};
    std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)> handle{nullptr,
                                                                                    heif_image_handle_release};
    QString error;
};

QString Detail(const heif_error &e)
{
    return DamagedPhotoText() + QStringLiteral(" (") + QString::fromUtf8(e.message ? e.message : "") +
           QLatin1Char(')');
}

// Opens the file's primary picture; reads the boxes, not the coded data.
Heif Open(QIODevice &device)
{
    Heif h;
    if (!h.context) {
        h.error = DamagedPhotoText();
        return h;
    }
    device.seek(0);
    heif_error e = heif_context_read_from_reader(h.context.get(), &kReader, &device, nullptr);
    if (e.code != heif_error_Ok) {
        h.error = Detail(e);
        return h;
    }
    heif_image_handle *handle = nullptr;
    e = heif_context_get_primary_image_handle(h.context.get(), &handle);
    h.handle.reset(handle);
    if (e.code != heif_error_Ok || !handle)
        h.error = Detail(e);
    return h;
}

} // namespace

PhotoHeader ProbeHeif(QIODevice &device)
{
    PhotoHeader header;
    header.format = PhotoFormat::Heif;
    const Heif h = Open(device);
    if (!h.error.isEmpty()) {
        header.error = h.error;
        return header;
    }
    // The size with the file's own rotation applied.
    header.stored = QSize(heif_image_handle_get_width(h.handle.get()), heif_image_handle_get_height(h.handle.get()));
    // The decoded picture beside the codec's planes (up to 16 bits a sample).
    header.wholeBytes = qint64(header.stored.width()) * header.stored.height() * 10;
    return header;
}

RawPhoto DecodeHeif(QIODevice &device, const QSize &storedTarget)
{
    RawPhoto raw;
    const Heif h = Open(device);
    if (!h.error.isEmpty()) {
        raw.error = h.error;
        return raw;
    }
    heif_image_handle *handle = h.handle.get();
    const bool alpha = heif_image_handle_has_alpha_channel(handle);
    const bool premultiplied = heif_image_handle_is_premultiplied_alpha(handle);
    std::unique_ptr<heif_decoding_options, decltype(&heif_decoding_options_free)> options(
        heif_decoding_options_alloc(), heif_decoding_options_free);
    if (options)
        options->convert_hdr_to_8bit = 1;
    heif_image *decoded = nullptr;
    const heif_error e = heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                                           alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                           options.get());
    std::unique_ptr<heif_image, decltype(&heif_image_release)> image(decoded, heif_image_release);
    if (e.code != heif_error_Ok || !decoded) {
        raw.error = Detail(e);
        return raw;
    }
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int w = heif_image_get_width(decoded, heif_channel_interleaved);
    const int hgt = heif_image_get_height(decoded, heif_channel_interleaved);
    if (!plane || w <= 0 || hgt <= 0) {
        raw.error = DamagedPhotoText();
        return raw;
    }
    const QSize size(w, hgt);
    AreaReducer reducer(size, storedTarget.isEmpty() ? size : storedTarget, alpha);
    if (!reducer.Valid()) {
        raw.error = PhotoTooLargeMessage(w, hgt);
        return raw;
    }
    for (int y = 0; y < hgt; ++y)
        reducer.AddBytesRow(plane + qsizetype(stride) * y, alpha ? 4 : 3, premultiplied);
    raw.image = reducer.Take();

    switch (heif_image_handle_get_color_profile_type(handle)) {
    case heif_color_profile_type_rICC:
    case heif_color_profile_type_prof: {
        const size_t n = heif_image_handle_get_raw_color_profile_size(handle);
        if (n > 0 && n < size_t(64) * 1024 * 1024) {
            raw.icc.resize(qsizetype(n));
            if (heif_image_handle_get_raw_color_profile(handle, raw.icc.data()).code != heif_error_Ok)
                raw.icc.clear();
        }
        break;
    }
    case heif_color_profile_type_nclx: {
        heif_color_profile_nclx *nclx = nullptr;
        if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code == heif_error_Ok && nclx) {
            raw.coded.primaries = int(nclx->color_primaries);
            raw.coded.transfer = int(nclx->transfer_characteristics);
        }
        heif_nclx_color_profile_free(nclx);
        break;
    }
    default:
        break;
    }
    return raw;
}

} // namespace tamarie
