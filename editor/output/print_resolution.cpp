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

int PrintedDpi(const QSize &pixels, const QSize &frame, const QSize &paperSize, bool landscape)
{
    const QRect picture = CaptureRect(paperSize);
    if (pixels.isEmpty() || frame.isEmpty() || picture.isEmpty())
        return 0;
    const double inchesPerPaperPixel = (landscape ? kA4LongMm : kA4ShortMm) / kMmPerInch / picture.width();
    const double dpi = std::min(pixels.width() / (frame.width() * inchesPerPaperPixel),
                                pixels.height() / (frame.height() * inchesPerPaperPixel));
    return RoundHalfEven(dpi);
}

int PrintedDpi(const QSize &pixels, const QRect &bounds, const Arrangement &arrangement)
{
    return PrintedDpi(pixels, bounds.size(), arrangement.paperSize, arrangement.landscape);
}

QString PrintResolutionHint(const QSize &pixels, int dpi)
{
    if (pixels.isEmpty())
        return {};
    QString text = QStringLiteral("\r元画像:%1X%2ピクセル").arg(pixels.width()).arg(pixels.height());
    if (dpi > 0)
        text += QStringLiteral("\r印刷時:約%1dpi").arg(dpi);
    return text;
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
