#pragma once
// Everything a work-state file holds, as plain values: the main window's
// placement, the paper, the settings the calendars are drawn with, each
// calendar's window, colours, translucency and fonts, and the photos.  The
// editor captures it from its windows and applies it to them; the format
// (work_state_format.h) translates it to and from the INI file.
//
// Window places are screen pixels and the paper is in the main window's
// client coordinates, as the file keeps them: a calendar is placed where it
// was on the screen, before the main window moves.
#include <QRect>
#include <QString>
#include <vector>

#include "arrangement.h"
#include "document.h"
#include "font_record.h"
#include "values.h"

namespace tamarie {

// A companion font file as read: its record counts only when Ok.
struct WorkStateFont {
    FontRecordStatus status = FontRecordStatus::Missing;
    TCalendarFontRecord record;
    bool operator==(const WorkStateFont &) const = default;
};

struct WorkStateCalendar {
    QRect window;                        // the calendar window, screen pixels
    TColorValue backColor = clWhite;     // month grid, window, colour key and backing window
    int alpha = 255;                     // the backing window's opacity; 0 is kept as "transparent"
    TColorValue panelColor = clMoneyGreen;
    TColorValue holidayColor = clRed;
    TColorValue dayTextColor = clBlack;
    // Face, character set, style and colour of the title; size of the grid font.
    WorkStateFont font;
    bool operator==(const WorkStateCalendar &) const = default;
};

struct WorkStatePhoto {
    QRect bounds;      // on the paper
    QString fileName;  // may be empty
    // The user's rotation, clockwise, 0..3: key Rotation in degrees, which
    // the Windows program does not read; absent for none.
    int quarterTurns = 0;
    bool operator==(const WorkStatePhoto &) const = default;
};

struct WorkState {
    bool maximized = false;
    QRect mainWindow;            // outer frame, screen pixels
    QRect paper;                 // the paper in the main window's client area
    int orientation = 0;         // 0 "縦", 1 "横" (-1 none chosen)
    TDateValue month = 0;        // the date calendar 1 shows
    int months = 1;              // the number of months asked for
    TColorValue backColor = clWhite;        // the settings' colours, for all calendars
    TColorValue panelColor = clMoneyGreen;
    int alpha = 255;
    TColorValue holidayColor = clRed;
    TColorValue dayTextColor = clBlack;
    CalendarDisplayOptions options;
    bool sameSize = false;
    std::vector<WorkStateCalendar> calendars;  // calendar n at n - 1; 1 to 12 of them
    std::vector<WorkStatePhoto> photos;        // photo i at i
    TColorValue paperColor = clWhite;
    WorkStateFont commonFont;                  // the calendars' common font
    bool operator==(const WorkState &) const = default;
};

} // namespace tamarie
