#include "arrangement_render.h"

#include "arrangement_capture.h"
#include "output_photos.h"

#include <QPainter>

namespace tamarie {

namespace {
// Pixels of the largest picture offered, with room to spare.
constexpr qint64 kMaxPicturePixels = qint64(6000) * 8400;
} // namespace

QSize PictureSizeChoice(int choice, bool landscape)
{
    static constexpr int kWidths[kPictureSizeChoices] = {2000, 3000, 4000};
    if (choice < 0 || choice >= kPictureSizeChoices)
        return {};
    const QSize portrait(kWidths[choice], kWidths[choice] * 7 / 5);
    return landscape ? portrait.transposed() : portrait;
}

QStringList PictureSizeTexts(bool landscape)
{
    QStringList texts;
    for (int i = 0; i < kPictureSizeChoices; ++i) {
        const QSize s = PictureSizeChoice(i, landscape);
        texts << QStringLiteral("%1 × %2").arg(s.width()).arg(s.height());
    }
    return texts;
}

QRectF PictureSourceRect(const Arrangement &arrangement) { return QRectF(CaptureRect(arrangement.paperSize)); }

QImage RenderArrangementPicture(const Arrangement &arrangement, const CalendarPaintData &data, const QSize &size)
{
    const QRectF source = PictureSourceRect(arrangement);
    if (source.isEmpty() || size.isEmpty() || qint64(size.width()) * size.height() > kMaxPicturePixels)
        return {};
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    picture.fill(ValueToColor(arrangement.paperColor));
    const QRectF target(QPointF(0, 0), QSizeF(size));
    OutputPhotos photos(arrangement, PaperToTarget(source, target));
    QPainter painter(&picture);
    PaintArrangement(painter, arrangement, data, source, target, &photos);
    painter.end();
    return picture;
}

} // namespace tamarie
