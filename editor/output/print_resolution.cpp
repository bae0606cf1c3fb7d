#include "print_resolution.h"

#include "arrangement_capture.h"
#include "photo_decoder.h"
#include "values.h"

#include <QFileInfo>

#include <algorithm>

namespace tamarie {

namespace {
constexpr double kMmPerInch = 25.4;
constexpr double kA4ShortMm = 210.0, kA4LongMm = 297.0;
} // namespace

int PrintedDpi(const QSize &pixels, const QRect &bounds, const Arrangement &arrangement)
{
    const QRect picture = CaptureRect(arrangement.paperSize);
    if (pixels.isEmpty() || bounds.isEmpty() || picture.isEmpty())
        return 0;
    const double inchesPerPaperPixel =
        (arrangement.landscape ? kA4LongMm : kA4ShortMm) / kMmPerInch / picture.width();
    const double dpi = std::min(pixels.width() / (bounds.width() * inchesPerPaperPixel),
                                pixels.height() / (bounds.height() * inchesPerPaperPixel));
    return RoundHalfEven(dpi);
}

QString LowResolutionNotice(const Arrangement &arrangement)
{
    QStringList lines;
    for (const PhotoLayer &p : arrangement.photos) {
        if (p.fileName.isEmpty())
            continue;
        const PhotoProbe probe = ProbePhoto(p.fileName);
        const int dpi = probe.Ok() ? PrintedDpi(TurnedSize(probe.size, p.quarterTurns), p.bounds, arrangement) : 0;
        if (dpi > 0 && dpi < kPrintDpiWanted)
            lines << QStringLiteral("画像 %1 は印刷には解像度が不足しています(約 %2 dpi)。")
                         .arg(QFileInfo(p.fileName).fileName())
                         .arg(dpi);
    }
    lines.removeDuplicates();
    return lines.join(QLatin1Char('\n'));
}

} // namespace tamarie
