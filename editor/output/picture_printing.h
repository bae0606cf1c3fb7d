#pragma once
// Drawing the picture on a printer page: across the printable width from the
// top-left corner of the printable area, keeping its proportions; the page
// height is not consulted, what does not fit is cut off by the page.
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;

namespace tamarie {

// Left 0, top 0, width printableWidth, height round(H * PW / W) to the
// nearest, halves to even (the product is exact: 64-bit).
QRect PrintRect(const QSize &picture, int printableWidth);

enum class PrintResult { Printed, BeginFailed, DrawFailed };

// Begins a document with an empty title on printer, draws the picture, calls
// beforeEnd (the "sent" message; the document ends when it returns) and ends
// the document. On a failed drawing the document is aborted. *drawn receives
// the target rectangle.
PrintResult PrintPicture(QPrinter &printer, const QImage &picture, QRect *drawn = nullptr,
                         const std::function<void()> &beforeEnd = {});

// The same for a drawing of the given proportions: draw paints it into the
// target rectangle (printer device pixels) at the printer's own resolution.
PrintResult PrintDrawing(QPrinter &printer, const QSize &proportions,
                         const std::function<void(QPainter &, const QRect &)> &draw, QRect *drawn = nullptr,
                         const std::function<void()> &beforeEnd = {});

} // namespace tamarie
