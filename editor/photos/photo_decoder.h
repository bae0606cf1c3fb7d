#pragma once
// The one photo decoder of the program.  The file's content decides the
// format (JPEG, HEIC/HEIF, AVIF, JPEG XL, and whatever Qt reads); the file's
// own orientation (EXIF, or HEIF's rotation and mirroring) is applied; an
// embedded colour profile is converted to sRGB; and the picture comes out
// reduced by averaging to the size it is needed at, never larger.  JPEG is
// decoded with its own DCT scaling and reduced while it is read, so a camera
// photo never exists at full size in memory.
#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

namespace tamarie {

enum class PhotoFormat { Unknown, Jpeg, Heif, JpegXl, Png, Gif, Bmp, WebP, Tiff, Other };

// What a file's header tells, without decoding its pixels.
struct PhotoProbe {
    PhotoFormat format = PhotoFormat::Unknown;
    QSize size;         // in pixels, upright: the file's orientation applied
    int orientation = 1;  // EXIF orientation 1..8 that decoding applies (1 for formats that rotate themselves)
    QString error;      // why it cannot be shown; empty when the header looks decodable
    bool Ok() const { return error.isEmpty(); }
};

struct PhotoRequest {
    int quarterTurns = 0;  // the user's rotation, clockwise, on top of the file's orientation
    // The pixels it is shown at, after orientation and turns.  The result is
    // this size, or the photo's own size on an axis where that is smaller.
    // Empty: the whole photo.
    QSize size;
};

struct DecodedPhoto {
    QImage image;   // RGB32, or ARGB32_Premultiplied with alpha; null on failure
    QString error;  // the text to show on failure
    QSize fullSize;  // the whole photo, upright and turned
};

// Pictures whose decoding would need more than this many bytes at once are
// refused before decoding.  JPEG needs only its reduced size (and, when
// progressive, its coefficients), so larger camera photos still open.
constexpr qint64 kPhotoDecodeLimitBytes = qint64(512) * 1024 * 1024;

PhotoProbe ProbePhoto(const QString &path);
DecodedPhoto DecodePhoto(const QString &path, const PhotoRequest &request = {});
// The same over any device (the fuzz target's entry); name is used in messages.
PhotoProbe ProbePhoto(QIODevice &device, const QString &name);
DecodedPhoto DecodePhoto(QIODevice &device, const QString &name, const PhotoRequest &request = {});

// The photo at its own proportions within box (previews, the thumbnail).
DecodedPhoto DecodePhotoWithin(const QString &path, const QSize &box, int quarterTurns = 0);

// Shown for a picture whose decoding would not fit the limit.
QString PhotoTooLargeMessage(int width, int height);

// Size after the user's quarter turns.
QSize TurnedSize(const QSize &size, int quarterTurns);

// The suffixes of photo files (drops take files by them).
QStringList PhotoFileSuffixes();
// The photo dialog's filter: every picture type first, then one entry per
// type, then every file.
QString PhotoDialogFilter();

} // namespace tamarie
