#include "arrangement_capture.h"

#include "resample.h"

#include <algorithm>

namespace tamarie {

namespace {

constexpr int kCaptureInset = 5;   // capture starts at client point (5, 5)
constexpr int kCaptureShrink = 20; // and is 20 pixels narrower and lower than the paper

QImage toRgb32(const QImage &image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
        || image.format() == QImage::Format_ARGB32_Premultiplied)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// Backing window: its colour laid over what is below at the given opacity.
void blendFill(QImage &target, const QRect &rect, QRgb colour, int alpha)
{
    const QRect r = rect.intersected(target.rect());
    if (r.isEmpty())
        return;
    const int a = std::clamp(alpha, 0, 255);
    const int inv = 255 - a;
    const int cr = qRed(colour) * a, cg = qGreen(colour) * a, cb = qBlue(colour) * a;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = line[x];
            // (c * a + p * (255 - a)) / 255 to the nearest; never exactly half
            const int r8 = (cr + qRed(p) * inv + 127) / 255;
            const int g8 = (cg + qGreen(p) * inv + 127) / 255;
            const int b8 = (cb + qBlue(p) * inv + 127) / 255;
            line[x] = qRgb(r8, g8, b8);
        }
    }
}

// Calendar window: every pixel but the key colour is opaque.
void keyedCopy(QImage &target, const QRect &geometry, const QImage &rendering, QRgb key)
{
    QImage src = rendering;
    if (src.size() != geometry.size())
        src = src.scaled(geometry.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    src = toRgb32(src);
    const QRect r = geometry.intersected(target.rect());
    if (r.isEmpty() || src.isNull())
        return;
    const QRgb keyRgb = key & 0xFFFFFF;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(target.scanLine(y));
        const auto *from = reinterpret_cast<const QRgb *>(src.constScanLine(y - geometry.top()));
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = from[x - geometry.left()];
            if ((p & 0xFFFFFF) != keyRgb)
                line[x] = 0xFF000000 | p;
        }
    }
}

} // namespace

QRect CaptureRect(const QSize &paper)
{
    const int w = paper.width() - kCaptureShrink;
    const int h = paper.height() - kCaptureShrink;
    if (w < 1 || h < 1)
        return {};
    return QRect(kCaptureInset, kCaptureInset, w, h);
}

QSize PictureSize(bool landscape) { return landscape ? QSize(2800, 2000) : QSize(2000, 2800); }

QImage ComposeArrangement(const QImage &paperRendering, const std::vector<CalendarPairRendering> &pairs)
{
    // A rendering grabbed on a high-density screen has more pixels than the
    // paper has logical pixels; the geometries are logical.
    QImage paper = paperRendering;
    if (!paper.isNull() && paper.devicePixelRatio() != 1.0) {
        paper = paper.scaled(paper.deviceIndependentSize().toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        paper.setDevicePixelRatio(1.0);
    }
    const QRect capture = CaptureRect(paper.size());
    if (capture.isEmpty() || paper.isNull())
        return {};
    QImage out = paper.copy(capture).convertToFormat(QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const QPoint shift = -capture.topLeft();
    for (const CalendarPairRendering &pair : pairs) {
        blendFill(out, pair.backGeometry.translated(shift), pair.backColor.rgb(), pair.alpha);
        if (!pair.calendar.isNull())
            keyedCopy(out, pair.calendarGeometry.translated(shift), pair.calendar, pair.keyColor.rgb());
    }
    return out;
}

QImage CaptureCalendarPicture(const ArrangementRendering &arrangement, QString *error)
{
    const QImage composed = ComposeArrangement(arrangement.paper, arrangement.pairs);
    const QSize size = PictureSize(arrangement.landscape);
    QImage picture;
    if (!composed.isNull())
        picture = ResampleBitmap(composed, size.width(), size.height());
    if (picture.isNull() && error)
        *error = composed.isNull() ? QStringLiteral("アサートの失敗: 用紙が小さすぎるため画像にできません。")
                                   : QStringLiteral("画像を作成するためのメモリが足りません。");
    return picture;
}

} // namespace tamarie
