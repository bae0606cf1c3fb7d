#pragma once
// What the decoders of the single formats share: the header each one reads
// before any pixel, and the picture each one hands back, still as stored
// (not yet upright, not yet in sRGB), reduced by averaging to the size asked.
#include "color_profile.h"
#include "photo_decoder.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

namespace tamarie {

struct PhotoHeader {
    PhotoFormat format = PhotoFormat::Unknown;
    QSize stored;           // as stored, before the orientation
    int orientation = 1;    // EXIF orientation still to apply
    qint64 wholeBytes = 0;  // decoded whole, for formats that cannot reduce while decoding
    qint64 fixedBytes = 0;  // held whatever the size asked (JPEG's progressive coefficients)
    bool reducesWhileDecoding = false;
    QString error;          // a header that cannot be read
};

struct RawPhoto {
    QImage image;  // as stored, at most the size asked on each axis
    QByteArray icc;
    CodedColour coded;
    QString error;
};

// The format the first bytes show.
PhotoFormat SniffPhotoFormat(const QByteArray &head);

// Each reads from the device's start.  Decoders are given the header their
// prober read and the target as stored (already turned back).
PhotoHeader ProbeJpeg(QIODevice &device);
RawPhoto DecodeJpeg(QIODevice &device, const QSize &storedTarget);
// Bytes a JPEG decode to storedTarget holds at once.
qint64 JpegDecodeBytes(const PhotoHeader &header, const QSize &storedTarget);

PhotoHeader ProbeHeif(QIODevice &device);
RawPhoto DecodeHeif(QIODevice &device, const QSize &storedTarget);

PhotoHeader ProbeJxl(QIODevice &device);
RawPhoto DecodeJxl(QIODevice &device, const QSize &storedTarget);

// Everything Qt's image readers take, with the metadata they leave out
// (PNG's and WebP's profile and orientation) read here.
PhotoHeader ProbeWithQt(QIODevice &device, PhotoFormat format);
RawPhoto DecodeWithQt(QIODevice &device, PhotoFormat format, const QSize &storedTarget);

// The texts of the failures the decoders report themselves.
QString DamagedPhotoText();
QString TruncatedPhotoText();
QString UnknownPhotoFormatText();

} // namespace tamarie
