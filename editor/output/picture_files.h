#pragma once
// Writing the finished picture as BMP (24-bit), PNG (png_writer.h) or JPEG
// (libjpeg-turbo).  Every write goes to a temporary file beside the target
// that replaces it only when complete, so a failure leaves no partial file.
#include <QImage>
#include <QString>

namespace tamarie {

enum class PictureFormat { Bmp, Png, Jpeg };

// JPEG quality used for saved pictures (baseline, 4:4:4 keeps the thin
// coloured lines of the calendar crisp).
constexpr int kJpegQuality = 92;

// Writes picture to path. On failure returns false and sets *error to the
// file system's or the encoder's own text; nothing is left at path (an
// existing file there stays as it was).
bool WritePicture(const QImage &picture, const QString &path, PictureFormat format, QString *error);

bool WriteBmp(const QImage &picture, const QString &path, QString *error);
bool WritePng(const QImage &picture, const QString &path, QString *error);
bool WriteJpeg(const QImage &picture, const QString &path, QString *error);

} // namespace tamarie
