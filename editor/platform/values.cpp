#include "values.h"

#include <cmath>
#include <limits>

namespace tamarie {

namespace {
const QDate kEpoch(1899, 12, 30);
}

TDateValue DateToValue(const QDate &date)
{
    return static_cast<TDateValue>(kEpoch.daysTo(date));
}

QDate ValueToDate(TDateValue value)
{
    if (!std::isfinite(value) || value < -693593.0 || value > 2958465.0)
        return QDate();
    return kEpoch.addDays(static_cast<qint64>(std::floor(value)));
}

QColor ValueToColor(TColorValue value)
{
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

TColorValue ColorToValue(const QColor &color)
{
    return static_cast<TColorValue>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

int RoundHalfEven(double x)
{
    if (!std::isfinite(x))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    const double r = std::nearbyint(x); // default rounding mode: halves to even
    return r < lo ? std::numeric_limits<int>::min() : r > hi ? std::numeric_limits<int>::max() : static_cast<int>(r);
}

} // namespace tamarie
