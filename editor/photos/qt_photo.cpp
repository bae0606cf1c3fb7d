// Everything Qt's image readers take (PNG, GIF, BMP, WebP, TIFF, ICO, ...).
// Their sizes are read from the headers here, so a picture too large for
// memory is refused before Qt allocates anything; PNG's and WebP's colour
// profile and orientation, which Qt leaves out, are read here too.
#include "area_reducer.h"
#include "photo_formats.h"
#include "photo_orientation.h"

#include <QColorSpace>
#include <QIODevice>
#include <QImageReader>
#include <QtEndian>

#include <zlib.h>

namespace tamarie {

namespace {

constexpr qint64 kMaxProfileBytes = 16 * 1024 * 1024;

struct Metadata {
    QSize size;
    int bytesPerPixel = 4;
    QByteArray icc;
    QByteArray exif;
};

quint32 Be32(const char *p) { return qFromBigEndian<quint32>(p); }
quint32 Le32(const char *p) { return qFromLittleEndian<quint32>(p); }
quint32 Le16(const char *p) { return qFromLittleEndian<quint16>(p); }
quint32 Le24(const char *p) { return Le16(p) | quint32(uchar(p[2])) << 16; }

QByteArray Inflate(const QByteArray &data)
{
    QByteArray out;
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return out;
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    char buffer[16384];
    int status = Z_OK;
    while (status == Z_OK && out.size() <= kMaxProfileBytes) {
        z.next_out = reinterpret_cast<Bytef *>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
    }
    inflateEnd(&z);
    return status == Z_STREAM_END ? out : QByteArray();
}

// The chunks before the picture data: size, depth, profile, orientation.
Metadata ReadPng(QIODevice &d)
{
    Metadata m;
    d.seek(8);
    for (int chunks = 0; chunks < 10000; ++chunks) {
        const QByteArray head = d.read(8);
        if (head.size() < 8)
            break;
        const quint32 length = Be32(head.constData());
        const QByteArray type = head.mid(4, 4);
        if (type == "IDAT" || type == "IEND" || length > 0x7FFFFFFF)
            break;
        const bool wanted = type == "IHDR" || type == "iCCP" || type == "eXIf";
        if (wanted && length <= kMaxProfileBytes) {
            const QByteArray data = d.read(length);
            if (data.size() < qsizetype(length))
                break;
            if (type == "IHDR" && length >= 13) {
                m.size = QSize(int(std::min<quint32>(Be32(data.constData()), 1u << 30)),
                               int(std::min<quint32>(Be32(data.constData() + 4), 1u << 30)));
                m.bytesPerPixel = uchar(data[8]) == 16 ? 8 : 4;
            } else if (type == "iCCP") {
                const qsizetype zero = data.indexOf('\0');
                if (zero > 0 && zero + 2 <= data.size())
                    m.icc = Inflate(data.mid(zero + 2));
            } else if (type == "eXIf") {
                m.exif = data;
            }
            d.skip(4);
        } else if (!d.seek(d.pos() + qint64(length) + 4)) {
            break;
        }
    }
    return m;
}

Metadata ReadWebP(QIODevice &d)
{
    Metadata m;
    d.seek(12);
    for (int chunks = 0; chunks < 10000; ++chunks) {
        const QByteArray head = d.read(8);
        if (head.size() < 8)
            break;
        const QByteArray type = head.left(4);
        const quint32 length = Le32(head.constData() + 4);
        const qint64 next = d.pos() + qint64(length) + (length & 1);
        if (type == "VP8X" || type == "VP8 " || type == "VP8L") {
            const QByteArray b = d.read(std::min<quint32>(length, 16));
            if (type == "VP8X" && b.size() >= 10)
                m.size = QSize(int(Le24(b.constData() + 4)) + 1, int(Le24(b.constData() + 7)) + 1);
            else if (type == "VP8 " && b.size() >= 10 && m.size.isEmpty())
                m.size = QSize(int(Le16(b.constData() + 6) & 0x3FFF), int(Le16(b.constData() + 8) & 0x3FFF));
            else if (type == "VP8L" && b.size() >= 5 && m.size.isEmpty()) {
                const quint32 bits = Le32(b.constData() + 1);
                m.size = QSize(int(bits & 0x3FFF) + 1, int((bits >> 14) & 0x3FFF) + 1);
            }
        } else if ((type == "ICCP" || type == "EXIF") && length <= kMaxProfileBytes) {
            (type == "ICCP" ? m.icc : m.exif) = d.read(length);
        }
        if (!d.seek(next))
            break;
    }
    return m;
}

Metadata ReadHeaderSize(QIODevice &d, PhotoFormat format)
{
    Metadata m;
    const QByteArray h = d.peek(32);
    if (format == PhotoFormat::Gif && h.size() >= 10) {
        m.size = QSize(int(Le16(h.constData() + 6)), int(Le16(h.constData() + 8)));
    } else if (format == PhotoFormat::Bmp && h.size() >= 26) {
        if (Le32(h.constData() + 14) == 12)
            m.size = QSize(int(Le16(h.constData() + 18)), int(Le16(h.constData() + 20)));
        else
            m.size = QSize(std::abs(qint32(Le32(h.constData() + 18))) & 0x3FFFFFFF,
                           std::abs(qint32(Le32(h.constData() + 22))) & 0x3FFFFFFF);
    }
    return m;
}

Metadata ReadMetadata(QIODevice &d, PhotoFormat format)
{
    switch (format) {
    case PhotoFormat::Png:
        return ReadPng(d);
    case PhotoFormat::WebP:
        return ReadWebP(d);
    default:
        return ReadHeaderSize(d, format);
    }
}

// Qt turns TIFF (and the formats we know nothing of) upright itself.
bool QtTurnsUpright(PhotoFormat format) { return format == PhotoFormat::Tiff || format == PhotoFormat::Other; }

void LimitQtAllocations()
{
    static const bool done = [] {
        QImageReader::setAllocationLimit(int(kPhotoDecodeLimitBytes / (1024 * 1024)));
        return true;
    }();
    (void)done;
}

QString ReaderError(const QImageReader &reader)
{
    if (reader.error() == QImageReader::UnsupportedFormatError)
        return UnknownPhotoFormatText();
    return DamagedPhotoText() + QStringLiteral(" (") + reader.errorString() + QLatin1Char(')');
}

} // namespace

PhotoHeader ProbeWithQt(QIODevice &device, PhotoFormat format)
{
    LimitQtAllocations();
    PhotoHeader header;
    header.format = format;
    device.seek(0);
    const Metadata m = ReadMetadata(device, format);
    device.seek(0);
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        header.error = ReaderError(reader);
        return header;
    }
    QSize size = m.size;
    if (size.isEmpty())
        size = reader.size();
    if (QtTurnsUpright(format)) {
        reader.setAutoTransform(true);
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            size.transpose();
    } else {
        header.orientation = ExifOrientation(m.exif);
    }
    header.stored = size;
    header.wholeBytes = size.isValid() ? qint64(size.width()) * size.height() * m.bytesPerPixel : 0;
    return header;
}

RawPhoto DecodeWithQt(QIODevice &device, PhotoFormat format, const QSize &storedTarget)
{
    LimitQtAllocations();
    RawPhoto raw;
    device.seek(0);
    const Metadata m = ReadMetadata(device, format);
    device.seek(0);
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(QtTurnsUpright(format));
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        raw.error = ReaderError(reader);
        return raw;
    }
    raw.icc = m.icc;
    if (raw.icc.isEmpty() && QtTurnsUpright(format) && image.colorSpace().isValid() &&
        image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        raw.icc = image.colorSpace().iccProfile();
    const QSize target = storedTarget.isEmpty() ? image.size() : storedTarget;
    const bool asIs = target.width() >= image.width() && target.height() >= image.height() &&
                      (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied);
    raw.image = asIs ? image : AreaReducer::Reduce(image, target);
    if (raw.image.isNull())
        raw.error = PhotoTooLargeMessage(image.width(), image.height());
    return raw;
}

} // namespace tamarie
