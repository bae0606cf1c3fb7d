#pragma once
// The picture of the arrangement, composed from the windows' own renderings
// instead of read back from the screen, so that it shows exactly what lies on
// the paper whatever the compositor, other programs' windows or the pointer do.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

namespace tamarie {

// One calendar with its translucent backing window. Geometries are in the
// paper's client coordinates (the coordinates of the paper rendering).
struct CalendarPairRendering {
    QRect backGeometry;      // backing window
    QColor backColor;        // its fill colour
    int alpha = 255;         // its opacity, 0 (clear) to 255 (solid)
    QRect calendarGeometry;  // calendar window
    QImage calendar;         // its rendering; scaled to calendarGeometry if sizes differ
    QColor keyColor;         // calendar pixels of exactly this colour let the backing show
};

// What the caller gathers: the paper rendering with its photos, the visible
// pairs from bottom to top, and the orientation.
struct ArrangementRendering {
    QImage paper;
    std::vector<CalendarPairRendering> pairs;
    bool landscape = false;
};

// The part of the paper that becomes the picture: from the client point
// (5, 5), paper width - 20 by paper height - 20. Empty for a paper 20 pixels
// or less wide or high.
QRect CaptureRect(const QSize &paper);

// 2000 x 2800 for portrait paper, 2800 x 2000 for landscape.
QSize PictureSize(bool landscape);

// The arrangement as seen on the paper, clipped to CaptureRect, 32 bits per
// pixel (QImage::Format_RGB32). Null when the capture rectangle is empty.
QImage ComposeArrangement(const QImage &paper, const std::vector<CalendarPairRendering> &pairs);

// ComposeArrangement resampled to PictureSize. On failure returns a null
// image and sets *error to the text to report.
QImage CaptureCalendarPicture(const ArrangementRendering &arrangement, QString *error);

} // namespace tamarie
