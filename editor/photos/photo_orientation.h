#pragma once
// A photo's orientation: the EXIF Orientation tag read from its TIFF-style
// block, and the flips and quarter turns that make a picture upright.
#include <QByteArray>
#include <QImage>
#include <QSize>

namespace tamarie {

// The Orientation tag (1..8) of an EXIF block, given from its TIFF header
// on ("II*\0" or "MM\0*"; a leading "Exif\0\0" is skipped).  1 when it is
// missing, damaged or out of range.
int ExifOrientation(const QByteArray &exif);

// True when the orientation and the quarter turns together swap width and height.
bool SwapsAxes(int orientation, int quarterTurns);
// The size a stored picture shows at once upright and turned.
QSize UprightSize(const QSize &stored, int orientation, int quarterTurns);
// The stored picture made upright (orientation 1..8) and turned clockwise.
QImage MadeUpright(const QImage &stored, int orientation, int quarterTurns);

} // namespace tamarie
