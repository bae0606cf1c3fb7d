#pragma once
// Geometry of the paper panel: its size for a given client area and
// orientation, fitting photos and calendars into it, and scaling the
// arrangement when the paper changes size.  Plain functions, no widgets.
#include <QPoint>
#include <QRect>
#include <QSize>

#include "document.h"

namespace tamarie {

enum class PaperOrientation { Portrait = 0, Landscape = 1 };

// The paper and the settings panel never get so small that the next resize
// would divide by a zero paper size: the main window keeps at least this
// client area (landscape paper at the minimum: 312 x 223, portrait 343 x 480).
constexpr int kMinClientWidth = 640;
constexpr int kMinClientHeight = 480;

// The photos keep this margin inside the paper when the paper shrinks.
constexpr int kPhotoPaperMargin = 15;

struct PaperLayout {
    int configLeft = 0;  // left of the settings panel
    QSize paper;         // paper panel size
};

// Paper size after a resize of the main window.  Portrait: height from the
// client width (0.767), limited to the client height, width = height / 1.4.
// Landscape: width from the client width, kept clear of the settings panel,
// height = width / 1.4.  Each side is at least 1 pixel.
PaperLayout ResizePaperLayout(QSize client, int configWidth, PaperOrientation orientation);

// A photo bigger than the paper less the margin is cut to it (size only).
QSize FitPhotoToPaper(QSize photo, QSize paper);
// A calendar window bigger than the paper is cut to it (outer size only).
QSize FitCalendarToPaper(QSize outer, QSize paper);

// Scale factors of one resize, in single precision.  A previous paper size of
// zero or less (never laid out) gives the factor 1, not a division by zero.
struct PaperScale {
    float fx = 1.0f;
    float fy = 1.0f;
};
PaperScale ComputePaperScale(QSize newPaper, QSize previousPaper);

// A photo layer (bounds relative to the paper) scaled with the paper; when its
// top-left corner ends up outside the paper it is centred on the paper.
QRect ScalePhoto(const QRect &photo, PaperScale scale, QSize paper);

// A calendar window (screen bounds) scaled with the paper.  A window pushed
// outside the main window's horizontal or vertical extent comes back 50 pixels
// from the main window's left or top edge.  mainFrame is the main window's
// outer rectangle in screen coordinates.
QRect ScaleCalendar(const QRect &calendar, PaperScale scale, const QRect &mainFrame);

// Photos and calendars keep their places as fractions of the paper
// (document.h), so that a round trip (narrow and widen, un-maximise and
// maximise) brings every one back within a pixel, whatever was cut or moved
// on the smaller paper.
//
// A photo on a resized paper: its place and size on the new paper, cut to
// the paper less the margin, centred when its corner falls outside.
QRect PlacePhotoOnPaper(const PaperPlace &place, QSize paper);
// A calendar on a resized paper (paper coordinates): at most the paper's
// size and moved so that it lies wholly on the paper.
QRect PlaceCalendarOnPaper(const PaperPlace &place, QSize paper);

} // namespace tamarie
