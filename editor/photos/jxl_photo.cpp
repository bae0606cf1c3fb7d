// JPEG XL through libjxl, which applies the file's orientation itself and
// says which colour profile its decoded numbers are in.
#include "area_reducer.h"
#include "photo_formats.h"

#include <QIODevice>

#include <jxl/decode.h>

#include <memory>
#include <vector>

namespace tamarie {

namespace {

constexpr qint64 kReadChunk = 1024 * 1024;

struct Run {
    bool probeOnly = false;
    QSize target;
    PhotoHeader header;
    RawPhoto raw;
};

void Decode(QIODevice &device, Run &run)
{
    run.header.format = PhotoFormat::JpegXl;
    std::unique_ptr<JxlDecoder, decltype(&JxlDecoderDestroy)> dec(JxlDecoderCreate(nullptr), JxlDecoderDestroy);
    auto fail = [&run](const QString &text) {
        run.header.error = text;
        run.raw.error = text;
    };
    const int events = JXL_DEC_BASIC_INFO | (run.probeOnly ? 0 : JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE);
    if (!dec || JxlDecoderSubscribeEvents(dec.get(), events) != JXL_DEC_SUCCESS)
        return fail(DamagedPhotoText());
    device.seek(0);
    QByteArray input;
    bool closed = false;
    JxlBasicInfo info{};
    std::vector<uchar> pixels;
    const JxlPixelFormat format = {4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(dec.get());
        switch (status) {
        case JXL_DEC_NEED_MORE_INPUT: {
            if (closed)
                return fail(TruncatedPhotoText());
            const size_t unread = JxlDecoderReleaseInput(dec.get());
            input = input.right(qsizetype(unread)) + device.read(kReadChunk);
            if (qsizetype(unread) == input.size()) {
                JxlDecoderCloseInput(dec.get());
                closed = true;
            }
            JxlDecoderSetInput(dec.get(), reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
            break;
        }
        case JXL_DEC_BASIC_INFO: {
            if (JxlDecoderGetBasicInfo(dec.get(), &info) != JXL_DEC_SUCCESS)
                return fail(DamagedPhotoText());
            // The decoder hands the picture over upright.
            QSize size(int(std::min<uint32_t>(info.xsize, 1u << 30)), int(std::min<uint32_t>(info.ysize, 1u << 30)));
            if (info.orientation >= 5)
                size.transpose();
            run.header.stored = size;
            run.header.wholeBytes = qint64(size.width()) * size.height() * 16;
            if (run.probeOnly)
                return;
            break;
        }
        case JXL_DEC_COLOR_ENCODING: {
            size_t n = 0;
            if (JxlDecoderGetICCProfileSize(dec.get(), nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &n) ==
                    JXL_DEC_SUCCESS &&
                n > 0 && n < size_t(64) * 1024 * 1024) {
                QByteArray icc(qsizetype(n), Qt::Uninitialized);
                if (JxlDecoderGetColorAsICCProfile(dec.get(), nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                                   reinterpret_cast<uint8_t *>(icc.data()), n) == JXL_DEC_SUCCESS)
                    run.raw.icc = icc;
            }
            break;
        }
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER: {
            size_t n = 0;
            if (JxlDecoderImageOutBufferSize(dec.get(), &format, &n) != JXL_DEC_SUCCESS ||
                qint64(n) != qint64(run.header.stored.width()) * run.header.stored.height() * 4)
                return fail(DamagedPhotoText());
            pixels.resize(n);
            if (JxlDecoderSetImageOutBuffer(dec.get(), &format, pixels.data(), n) != JXL_DEC_SUCCESS)
                return fail(DamagedPhotoText());
            break;
        }
        case JXL_DEC_FULL_IMAGE: {
            // The first frame is the picture; an animation stops there.
            const QSize size = run.header.stored;
            const bool alpha = info.alpha_bits > 0;
            AreaReducer reducer(size, run.target.isEmpty() ? size : run.target, alpha);
            if (!reducer.Valid())
                return fail(PhotoTooLargeMessage(size.width(), size.height()));
            for (int y = 0; y < size.height(); ++y)
                reducer.AddBytesRow(pixels.data() + size_t(y) * size_t(size.width()) * 4, 4, info.alpha_premultiplied);
            run.raw.image = reducer.Take();
            return;
        }
        case JXL_DEC_SUCCESS:
            if (run.raw.image.isNull())
                return fail(DamagedPhotoText());
            return;
        default:
            return fail(DamagedPhotoText());
        }
    }
}

} // namespace

PhotoHeader ProbeJxl(QIODevice &device)
{
    Run run;
    run.probeOnly = true;
    Decode(device, run);
    if (run.header.error.isEmpty() && run.header.stored.isEmpty())
        run.header.error = DamagedPhotoText();
    return run.header;
}

RawPhoto DecodeJxl(QIODevice &device, const QSize &storedTarget)
{
    Run run;
    run.target = storedTarget;
    Decode(device, run);
    return run.raw;
}

} // namespace tamarie
