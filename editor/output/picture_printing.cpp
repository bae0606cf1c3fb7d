#include "picture_printing.h"

#include "platform/values.h"

#include <QPainter>
#include <QPrinter>

#include <cstdint>

namespace tamarie {

namespace {
int Scaled(int length, int numerator, int denominator)
{
    return RoundHalfEven(double(std::int64_t(length) * numerator) / denominator);
}
} // namespace

QRect PrintRect(const QSize &picture, const QSize &printable)
{
    if (picture.width() < 1 || picture.height() < 1 || printable.width() < 1 || printable.height() < 1)
        return {};
    const int height = Scaled(picture.height(), printable.width(), picture.width());
    QRect target;
    if (height <= printable.height())
        target = QRect(0, 0, printable.width(), height);
    else
        target = QRect(0, 0, Scaled(picture.width(), printable.height(), picture.height()), printable.height());
    target.moveTo((printable.width() - target.width()) / 2, (printable.height() - target.height()) / 2);
    return target;
}

PageDrawing PictureDrawing(const QImage &picture)
{
    return [picture](QPainter &painter, const QRect &target) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, picture);
    };
}

QRect DrawOnPage(QPainter &painter, const QPrinter &printer, const QSize &proportions, const PageDrawing &draw)
{
    const QRect target = PrintRect(proportions, QSize(printer.width(), printer.height()));
    if (target.isEmpty() || !draw)
        return {};
    painter.save();
    draw(painter, target);
    painter.restore();
    return target;
}

PrintResult PrintPicture(QPrinter &printer, const QImage &picture, QRect *drawn,
                         const std::function<void()> &beforeEnd)
{
    return PrintDrawing(printer, picture.size(), picture.isNull() ? PageDrawing() : PictureDrawing(picture), drawn,
                        beforeEnd);
}

PrintResult PrintDrawing(QPrinter &printer, const QSize &proportions, const PageDrawing &draw, QRect *drawn,
                         const std::function<void()> &beforeEnd)
{
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintResult::BeginFailed;
    const QRect target = DrawOnPage(painter, printer, proportions, draw);
    if (drawn)
        *drawn = target;
    if (target.isEmpty()) {
        printer.abort();
        painter.end();
        return PrintResult::DrawFailed;
    }
    if (beforeEnd)
        beforeEnd();
    painter.end();
    return PrintResult::Printed;
}

} // namespace tamarie
