#include "picture_printing.h"

#include "platform/values.h"

#include <QPainter>
#include <QPrinter>

#include <cstdint>

namespace tamarie {

QRect PrintRect(const QSize &picture, int printableWidth)
{
    if (picture.width() < 1 || picture.height() < 1 || printableWidth < 1)
        return {};
    const std::int64_t product = std::int64_t(picture.height()) * printableWidth;
    const int height = RoundHalfEven(double(product) / picture.width());
    return QRect(0, 0, printableWidth, height);
}

PrintResult PrintPicture(QPrinter &printer, const QImage &picture, QRect *drawn,
                         const std::function<void()> &beforeEnd)
{
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintResult::BeginFailed;
    const QRect target = PrintRect(picture.size(), printer.width());
    if (drawn)
        *drawn = target;
    if (target.isEmpty() || picture.isNull()) {
        printer.abort();
        painter.end();
        return PrintResult::DrawFailed;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(target, picture);
    if (beforeEnd)
        beforeEnd();
    painter.end();
    return PrintResult::Printed;
}

} // namespace tamarie
