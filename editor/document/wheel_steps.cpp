#include "wheel_steps.h"

#include "values.h"

#include <QObject>
#include <QVariant>
#include <algorithm>
#include <cstdint>

namespace tamarie {

namespace {
constexpr char kStoredSizeProperty[] = "tamarieStoredSize";
}

WheelDirection WheelDirectionOf(int distance)
{
    const auto d = static_cast<std::int16_t>(static_cast<std::uint16_t>(distance & 0xFFFF));
    if (d == 0)
        return WheelDirection::None;
    return d < 0 ? WheelDirection::Grow : WheelDirection::Shrink;
}

QSize WheelStep(QSize size, WheelDirection direction, WheelKeys keys, QSize paper)
{
    int w = size.width();
    int h = size.height();
    switch (direction) {
    case WheelDirection::None:
        return size;
    case WheelDirection::Grow:
        if (keys.x)
            w += kWheelPixelStep;
        else if (keys.y)
            h += kWheelPixelStep;
        else {
            w = RoundHalfEven(w * 1.1);
            h = RoundHalfEven(h * 1.1);
        }
        if (w > paper.width())
            w = paper.width();
        if (h > paper.height())
            h = paper.height();
        break;
    case WheelDirection::Shrink:
        if (keys.x)
            w -= kWheelPixelStep;
        else if (keys.y)
            h -= kWheelPixelStep;
        else {
            w = RoundHalfEven(w * 0.9);
            h = RoundHalfEven(h * 0.9);
        }
        break;
    }
    return QSize(w, h);
}

QSize StoredSize(const QObject *target, QSize widgetSize, QSize minimum)
{
    if (target) {
        const QVariant v = target->property(kStoredSizeProperty);
        if (v.isValid()) {
            const QSize stored = v.toSize();
            if (ShownSize(stored, minimum) == widgetSize)
                return stored;
        }
    }
    return widgetSize;
}

QSize RememberStoredSize(QObject *target, QSize stored, QSize minimum)
{
    if (target)
        target->setProperty(kStoredSizeProperty, stored);
    return ShownSize(stored, minimum);
}

std::vector<int> SameSizeFollowers(int n, int count, bool sameSize)
{
    std::vector<int> followers;
    if (!sameSize || count < 2)
        return followers;
    for (int m = 1; m <= count; ++m)
        if (m != n)
            followers.push_back(m);
    return followers;
}

} // namespace tamarie
