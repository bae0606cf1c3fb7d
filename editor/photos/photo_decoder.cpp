#include "photo_decoder.h"

#include "decode_budget.h"
#include "photo_formats.h"
#include "photo_orientation.h"
#include "regular_file.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

#include <cstring>

#include <libheif/heif.h>

namespace tamarie {

namespace {

bool Starts(const QByteArray &head, const char *bytes, int n, int at = 0)
{
    return head.size() >= at + n && std::memcmp(head.constData() + at, bytes, size_t(n)) == 0;
}

QString Prefixed(const QString &name, const QString &text)
{
    return name.isEmpty() ? text : QDir::toNativeSeparators(name) + QStringLiteral(": ") + text;
}

PhotoHeader ProbeDevice(QIODevice &device)
{
    device.seek(0);
    const PhotoFormat format = SniffPhotoFormat(device.peek(64));
    PhotoHeader header;
    switch (format) {
    case PhotoFormat::Jpeg:
        header = ProbeJpeg(device);
        break;
    case PhotoFormat::Heif:
        header = ProbeHeif(device);
        break;
    case PhotoFormat::JpegXl:
        header = ProbeJxl(device);
        break;
    default:
        header = ProbeWithQt(device, format);
        break;
    }
    device.seek(0);
    return header;
}

qint64 DecodeBytes(const PhotoHeader &header, const QSize &storedTarget)
{
    if (header.format == PhotoFormat::Jpeg)
        return JpegDecodeBytes(header, storedTarget);
    const QSize out = storedTarget.isEmpty() ? header.stored : header.stored.boundedTo(storedTarget);
    return header.wholeBytes + qint64(out.width()) * out.height() * 4;
}

// The header's verdict: empty when a decode to the size asked can go ahead.
// The limit is on the picture as it is decoded (whole, unless JPEG reduces
// it while decoding); the small copy it is reduced to does not count, so a
// picture's verdict does not depend on the size of its frame.
QString Refusal(const PhotoHeader &header, const QString &name, const QSize &storedTarget)
{
    if (!header.error.isEmpty())
        return Prefixed(name, header.error);
    if (header.stored.isValid() && header.stored.isEmpty())
        return Prefixed(name, DamagedPhotoText());
    const qint64 decoded =
        header.format == PhotoFormat::Jpeg ? JpegDecodeBytes(header, storedTarget) : header.wholeBytes;
    if (header.stored.isValid() && decoded > kPhotoDecodeLimitBytes)
        return PhotoTooLargeMessage(header.stored.width(), header.stored.height());
    return {};
}

} // namespace

PhotoFormat SniffPhotoFormat(const QByteArray &head)
{
    if (Starts(head, "\xFF\xD8\xFF", 3))
        return PhotoFormat::Jpeg;
    if (Starts(head, "\x89PNG\r\n\x1A\n", 8))
        return PhotoFormat::Png;
    if (Starts(head, "GIF87a", 6) || Starts(head, "GIF89a", 6))
        return PhotoFormat::Gif;
    if (Starts(head, "BM", 2))
        return PhotoFormat::Bmp;
    if (Starts(head, "RIFF", 4) && Starts(head, "WEBP", 4, 8))
        return PhotoFormat::WebP;
    if (Starts(head, "II*\0", 4) || Starts(head, "MM\0*", 4))
        return PhotoFormat::Tiff;
    if (Starts(head, "\xFF\x0A", 2) || Starts(head, "\0\0\0\x0CJXL \r\n\x87\n", 12))
        return PhotoFormat::JpegXl;
    // ISO media files: HEIF and AVIF pictures, but also videos.
    if (Starts(head, "ftyp", 4, 4) &&
        heif_check_filetype(reinterpret_cast<const uint8_t *>(head.constData()), int(head.size())) != heif_filetype_no)
        return PhotoFormat::Heif;
    return head.isEmpty() ? PhotoFormat::Unknown : PhotoFormat::Other;
}

QString DamagedPhotoText() { return QStringLiteral("画像のデータが壊れているため読み込めません。"); }
QString TruncatedPhotoText() { return QStringLiteral("画像ファイルが途中で切れているため読み込めません。"); }
QString UnknownPhotoFormatText() { return QStringLiteral("画像の形式が分からないため読み込めません。"); }

QString PhotoTooLargeMessage(int width, int height)
{
    return QStringLiteral("画像が大きすぎるため読み込めません(%1×%2ピクセル)。").arg(width).arg(height);
}

QSize TurnedSize(const QSize &size, int quarterTurns) { return quarterTurns % 2 ? size.transposed() : size; }

QStringList PhotoFileSuffixes()
{
    return {QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("jpe"),  QStringLiteral("jfif"),
            QStringLiteral("png"),  QStringLiteral("bmp"),  QStringLiteral("dib"),  QStringLiteral("ico"),
            QStringLiteral("gif"),  QStringLiteral("webp"), QStringLiteral("tif"),  QStringLiteral("tiff"),
            QStringLiteral("heic"), QStringLiteral("heif"), QStringLiteral("hif"),  QStringLiteral("avif"),
            QStringLiteral("jxl")};
}

QString PhotoDialogFilter()
{
    QStringList all;
    for (const QString &suffix : PhotoFileSuffixes())
        all << QStringLiteral("*.") + suffix;
    return QStringLiteral("すべての画像 (%1);;JPEG (*.jpg *.jpeg *.jpe *.jfif);;PNG (*.png);;ビットマップ (*.bmp *.dib);;"
                          "アイコン (*.ico);;TIFF (*.tif *.tiff);;HEIF (*.heic *.heif *.hif);;AVIF (*.avif);;"
                          "JPEG XL (*.jxl);;GIF (*.gif);;WebP (*.webp);;すべてのファイル (*)")
        .arg(all.join(QLatin1Char(' ')));
}

PhotoProbe ProbePhoto(QIODevice &device, const QString &name)
{
    const PhotoHeader header = ProbeDevice(device);
    PhotoProbe probe;
    probe.format = header.format;
    probe.orientation = header.orientation;
    probe.size = UprightSize(header.stored, header.orientation, 0);
    // The smallest decode JPEG can make; other formats are decoded whole anyway.
    probe.error = Refusal(header, name, QSize(1, 1));
    return probe;
}

DecodedPhoto DecodePhoto(QIODevice &device, const QString &name, const PhotoRequest &request)
{
    DecodedPhoto result;
    const PhotoHeader header = ProbeDevice(device);
    const int turns = ((request.quarterTurns % 4) + 4) % 4;
    const bool swaps = SwapsAxes(header.orientation, turns);
    const QSize storedTarget = request.size.isEmpty() ? QSize() : swaps ? request.size.transposed() : request.size;
    result.fullSize = UprightSize(header.stored, header.orientation, turns);
    result.error = Refusal(header, name, storedTarget);
    if (!result.error.isEmpty())
        return result;

    RawPhoto raw;
    {
        const DecodeBudgetHold hold(DecodeBytes(header, storedTarget));
        device.seek(0);
        switch (header.format) {
        case PhotoFormat::Jpeg:
            raw = DecodeJpeg(device, storedTarget);
            break;
        case PhotoFormat::Heif:
            raw = DecodeHeif(device, storedTarget);
            break;
        case PhotoFormat::JpegXl:
            raw = DecodeJxl(device, storedTarget);
            break;
        default:
            raw = DecodeWithQt(device, header.format, storedTarget);
            break;
        }
    }
    if (raw.image.isNull()) {
        result.error = Prefixed(name, raw.error.isEmpty() ? DamagedPhotoText() : raw.error);
        return result;
    }
    if (!ConvertToSrgb(raw.image, raw.icc))
        ConvertToSrgb(raw.image, raw.coded);
    result.image = MadeUpright(raw.image, header.orientation, turns);
    if (!header.stored.isValid())
        result.fullSize = UprightSize(raw.image.size(), header.orientation, turns);
    return result;
}

PhotoProbe ProbePhoto(const QString &path)
{
    QFile file;
    const RegularFileResult opened = OpenRegularFile(path, file);
    if (opened.status != RegularFileStatus::Ok) {
        PhotoProbe probe;
        probe.error = Prefixed(path, RegularFileErrorText(opened));
        return probe;
    }
    return ProbePhoto(file, path);
}

DecodedPhoto DecodePhotoWithin(const QString &path, const QSize &box, int quarterTurns)
{
    const PhotoProbe probe = ProbePhoto(path);
    if (!probe.Ok()) {
        DecodedPhoto refused;
        refused.error = probe.error;
        return refused;
    }
    const QSize size = TurnedSize(probe.size, quarterTurns);
    const QSize fitted = size.isEmpty() ? box : size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return DecodePhoto(path, {quarterTurns, fitted});
}

DecodedPhoto DecodePhoto(const QString &path, const PhotoRequest &request)
{
    QFile file;
    const RegularFileResult opened = OpenRegularFile(path, file);
    if (opened.status != RegularFileStatus::Ok) {
        DecodedPhoto decoded;
        decoded.error = Prefixed(path, RegularFileErrorText(opened));
        return decoded;
    }
    return DecodePhoto(file, path, request);
}

} // namespace tamarie
