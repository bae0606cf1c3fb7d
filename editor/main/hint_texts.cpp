#include "hint_texts.h"

namespace tamarie {

namespace {
const QChar kCR(u'\r');

QString sizeAndCorner(int width, int height, int x, int y)
{
    return QStringLiteral("横:") + QString::number(width) + QStringLiteral("X 縦:") + QString::number(height) + kCR +
           QStringLiteral("左上座標:(") + QString::number(x) + u',' + QString::number(y) + u')';
}
} // namespace

QString CalendarHintText(int n, int width, int height, int x, int y)
{
    return QStringLiteral("[カレンダー") + QString::number(n) + u']' + kCR + sizeAndCorner(width, height, x, y);
}

QString PhotoHintText(int width, int height, int left, int top)
{
    return QStringLiteral("[画像]") + kCR + sizeAndCorner(width, height, left, top);
}

} // namespace tamarie
