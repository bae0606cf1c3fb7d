#include "photo_frames.h"

#include "values.h"

#include <algorithm>

namespace tamarie {

QRect FittedFrame(const QSize &picture, const QRect &frame)
{
    if (picture.isEmpty() || frame.isEmpty())
        return frame;
    const QSize size = picture.scaled(frame.size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return QRect(frame.x() + (frame.width() - size.width()) / 2, frame.y() + (frame.height() - size.height()) / 2,
                 size.width(), size.height());
}

QRect TurnedFrame(const QRect &frame)
{
    const int cx2 = 2 * frame.x() + frame.width(), cy2 = 2 * frame.y() + frame.height();
    return QRect((cx2 - frame.height()) / 2, (cy2 - frame.width()) / 2, frame.height(), frame.width());
}

QRect ProportionedFrame(const QSize &picture, const QRect &frame)
{
    if (picture.isEmpty() || frame.width() <= 0)
        return frame;
    const int height = std::max(1, RoundHalfEven(double(frame.width()) * picture.height() / picture.width()));
    return QRect(frame.topLeft(), QSize(frame.width(), height));
}

} // namespace tamarie
