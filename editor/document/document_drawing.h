#pragma once
// The document as the windows and the painter draw it: a calendar laid out
// for the size of its window, and the whole arrangement as the painter's
// plain values, so the editor's windows, its outputs and tamarie-render draw
// the same thing.
#include <QPoint>
#include <QRect>
#include <QSize>

#include "arrangement.h"
#include "document.h"

namespace tamarie {

// Smallest size a window or photo control shows whatever its size on the
// paper (which the wheel may shrink to nothing): a calendar keeps its title
// on screen so it can still be clicked, dragged and grown again.
constexpr QSize kMinShownPhoto(1, 1);
constexpr QSize kMinShownCalendar(40, 24);
// What a window is given for a size on the paper.
QSize ShownSize(QSize size, QSize minimum);

// The calendar's window and the photo's control on a paper of that size:
// their place with the shown size.
QRect CalendarWindowRect(const DocumentCalendar &c, QSize paper);
QRect PhotoRect(const DocumentPhoto &p, QSize paper);

// Point size of the grid font for a window width: 4 %, at least 1.
int GridPointsForWidth(int width);
// Height of the title for its font: the font's line height plus 10.
int TitleHeightFor(const QFont &titleFont, int titlePoints);
// Lays calendar c out for a window `width` pixels wide: the grid font at 4 %
// of the width (unless keepGridPoints, for fonts a file gave), the title at
// 1.5 times the grid font, and the title's height from its font.
void LayOutCalendar(DocumentCalendar &c, int width, bool keepGridPoints = false);

// The title across the window at the top; the grid under it, a whole number
// of columns wide (centred) and of rows high.
struct CalendarInnerRects {
    QRect title;
    QRect grid;
};
CalendarInnerRects CalendarInnerRectsFor(QSize window, int titleHeight);

// Calendar n as the painter draws it, its bounds relative to `origin`.
CalendarLayer CalendarLayerOf(const Document &d, int n, QPoint origin);

// The editor's paper draws inside a frame line: the painter's origin lies at
// this point of the document's paper coordinates.
constexpr QPoint kPaperDrawingOrigin(1, 1);

// The whole document for the painter: the paper at its layout size, photos
// and calendars bottom to top.  fontDpi is the resolution the point sizes
// were laid out at.
Arrangement ArrangementOf(const Document &d, qreal fontDpi, QPoint origin = kPaperDrawingOrigin);

} // namespace tamarie
