#include "photo_orientation.h"

#include <QTransform>

namespace tamarie {

namespace {

// How each orientation is undone: a horizontal mirror first, then a turn clockwise.
struct Undo {
    bool mirror;
    int degrees;
};
constexpr Undo kUndo[9] = {{false, 0}, {false, 0}, {true, 0},  {false, 180}, {true, 180},
                           {true, 270}, {false, 90}, {true, 90}, {false, 270}};

int Valid(int orientation) { return orientation >= 1 && orientation <= 8 ? orientation : 1; }

int TotalDegrees(int orientation, int quarterTurns)
{
    return (kUndo[Valid(orientation)].degrees + 90 * (((quarterTurns % 4) + 4) % 4)) % 360;
}

} // namespace

int ExifOrientation(const QByteArray &block)
{
    QByteArray exif = block;
    if (exif.startsWith(QByteArrayLiteral("Exif\0\0")))
        exif = exif.mid(6);
    const auto *d = reinterpret_cast<const uchar *>(exif.constData());
    const qsizetype n = exif.size();
    if (n < 8)
        return 1;
    bool little;
    if (d[0] == 'I' && d[1] == 'I')
        little = true;
    else if (d[0] == 'M' && d[1] == 'M')
        little = false;
    else
        return 1;
    auto u16 = [&](qsizetype at) -> quint32 {
        return little ? quint32(d[at] | d[at + 1] << 8) : quint32(d[at] << 8 | d[at + 1]);
    };
    auto u32 = [&](qsizetype at) -> quint32 {
        return little ? quint32(d[at]) | quint32(d[at + 1]) << 8 | quint32(d[at + 2]) << 16 | quint32(d[at + 3]) << 24
                      : quint32(d[at]) << 24 | quint32(d[at + 1]) << 16 | quint32(d[at + 2]) << 8 | quint32(d[at + 3]);
    };
    if (u16(2) != 42)
        return 1;
    const quint32 ifd = u32(4);
    if (ifd < 8 || qint64(ifd) + 2 > n)
        return 1;
    const quint32 entries = u16(ifd);
    for (quint32 i = 0; i < entries; ++i) {
        const qint64 at = qint64(ifd) + 2 + 12 * qint64(i);
        if (at + 12 > n)
            return 1;
        if (u16(at) != 0x0112)
            continue;
        // SHORT, one value, kept in the first two bytes of the value field.
        if (u16(at + 2) != 3 || u32(at + 4) < 1)
            return 1;
        return Valid(int(u16(at + 8)));
    }
    return 1;
}

bool SwapsAxes(int orientation, int quarterTurns) { return TotalDegrees(orientation, quarterTurns) % 180 != 0; }

QSize UprightSize(const QSize &stored, int orientation, int quarterTurns)
{
    return SwapsAxes(orientation, quarterTurns) ? stored.transposed() : stored;
}

QImage MadeUpright(const QImage &stored, int orientation, int quarterTurns)
{
    QImage image = kUndo[Valid(orientation)].mirror ? stored.mirrored(true, false) : stored;
    const int degrees = TotalDegrees(orientation, quarterTurns);
    if (degrees == 0 || image.isNull())
        return image;
    // Quarter turns are exact pixel moves in QImage::transformed.
    return image.transformed(QTransform().rotate(degrees));
}

} // namespace tamarie
