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
    if (picture.isNull())
        return PrintDrawing(printer, QSize(), {}, drawn, beforeEnd);
    return PrintDrawing(
        printer, picture.size(),
        [&picture](QPainter &painter, const QRect &target) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(target, picture);
        },
        drawn, beforeEnd);
}

PrintResult PrintDrawing(QPrinter &printer, const QSize &proportions,
                         const std::function<void(QPainter &, const QRect &)> &draw, QRect *drawn,
                         const std::function<void()> &beforeEnd)
{
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintResult::BeginFailed;
    const QRect target = PrintRect(proportions, printer.width());
    if (drawn)
        *drawn = target;
    if (target.isEmpty() || !draw) {
        printer.abort();
        painter.end();
        return PrintResult::DrawFailed;
    }
    draw(painter, target);
    if (beforeEnd)
        beforeEnd();
    painter.end();
    return PrintResult::Printed;
}

} // namespace tamarie
