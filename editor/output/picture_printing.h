#pragma once
// Drawing the picture on a printer page: as large as the printable area
// allows, keeping its proportions (across the printable width when its
// height fits, otherwise across the printable height), centred in that area.
// Printing and its preview draw through the same functions.
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;

namespace tamarie {

// The target rectangle within a printable area of the given size (device
// pixels, origin at its top-left). The fitted side is rounded to the
// nearest, halves to even (the products are exact: 64-bit).
QRect PrintRect(const QSize &picture, const QSize &printable);

enum class PrintResult { Printed, BeginFailed, DrawFailed };

// Paints a drawing of some proportions into a target rectangle.
using PageDrawing = std::function<void(QPainter &, const QRect &)>;
// A picture stretched smoothly over the target.
PageDrawing PictureDrawing(const QImage &picture);

// Draws on a painter begun on printer (or on a preview of it): the drawing
// fitted into the printable area. Returns the target; empty (and nothing
// drawn) when there is no room or no drawing.
QRect DrawOnPage(QPainter &painter, const QPrinter &printer, const QSize &proportions, const PageDrawing &draw);

// Begins a document with an empty title on printer, draws the picture, calls
// beforeEnd (the "sent" message; the document ends when it returns) and ends
// the document. On a failed drawing the document is aborted. *drawn receives
// the target rectangle.
PrintResult PrintPicture(QPrinter &printer, const QImage &picture, QRect *drawn = nullptr,
                         const std::function<void()> &beforeEnd = {});

// The same for a drawing of the given proportions, painted at the printer's
// own resolution.
PrintResult PrintDrawing(QPrinter &printer, const QSize &proportions, const PageDrawing &draw, QRect *drawn = nullptr,
                         const std::function<void()> &beforeEnd = {});

} // namespace tamarie
