#pragma once
// The arrangement on the paper as plain values, free of widgets: the paper,
// its photos bottom to top, and its calendars bottom to top with everything
// their windows show.  Geometry is in the paper's client coordinates (pixels
// as the screen shows them), so it can be drawn again at any scale.
#include "platform/values.h"

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

namespace tamarie {

// A photo is named, not held: whoever draws it decodes it for the pixels it
// covers there (photo_source.h).
struct PhotoLayer {
    QString fileName;      // may be empty: a frame without a picture
    int quarterTurns = 0;  // the user's rotation, clockwise, on top of the file's own orientation
    QRect bounds;          // on the paper; the picture is stretched to it
};

// The settings every calendar is painted with (second settings page).
struct CalendarDisplayOptions {
    int firstDayOfWeek = 0;  // 0 = Sunday .. 6
    int monthMode = 0;       // month title style, 0 .. 6
    int weekDayMode = 0;     // 0 "日", 1 "Sun"
    bool showAlmanac = true; // rokuyo and solar terms
    bool operator==(const CalendarDisplayOptions &) const = default;
};

struct CalendarLayer {
    int index = 1;           // calendar number 1 .. 12
    TDateValue month = 0;    // a date in the month shown
    QRect bounds;            // the calendar window, on the paper
    bool backVisible = true;
    QRect backBounds;        // the backing window, on the paper
    int alpha = 255;         // backing opacity 0 (clear) .. 255
    TColorValue backColor = clWhite;      // backing window and day-cell background
    TColorValue windowColor = clWhite;    // the calendar window's own background
    TColorValue gridColor = clWhite;      // the month grid's background
    bool keyed = true;                    // pixels of keyColor let the backing show
    TColorValue keyColor = clWhite;
    TColorValue panelColor = clMoneyGreen;
    TColorValue holidayColor = clRed;
    TColorValue dayTextColor = clBlack;   // working-day numbers and weekday names
    QFont gridFont;          // face and style; its size is gridPoints
    int gridPoints = 14;
    QFont titleFont;         // face and style; its size is titlePoints
    int titlePoints = 21;
    TColorValue titleColor = clBlack;
    QString title;           // the month title as shown
    QRect titleRect;         // inside the calendar window
    QRect gridRect;          // inside the calendar window
    int gridLineWidth = 0;
};

struct Arrangement {
    QSize paperSize;         // the paper's client size
    bool landscape = false;  // "横"
    TColorValue paperColor = clWhite;
    std::vector<PhotoLayer> photos;        // bottom to top
    std::vector<CalendarLayer> calendars;  // bottom to top
    CalendarDisplayOptions options;
    // Resolution the point sizes were laid out at (the screen's).
    qreal fontDpi = 96.0;
};

} // namespace tamarie
