#pragma once
// The arrangement the user makes, as one plain value: the paper, the
// settings the calendars are drawn with, the calendars and the photos.  The
// calendar windows, the photo controls and the settings controls only show
// it; every edit replaces it through the history (document_history.h).
//
// Places on the paper are fractions of the paper's width and height, so the
// arrangement keeps its proportions whatever size the window gives the
// paper.  Font sizes are points and title heights pixels at the paper size
// the calendars were last laid out for (DocumentPaper::layoutSize), which is
// what the painter needs to draw the document without any window.
#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include "arrangement.h"
#include "font_record.h"
#include "values.h"

namespace tamarie {

// Calendar pairs the editor holds, numbered 1 to 12.
constexpr int kMaxCalendars = 12;

// A rectangle as fractions of the paper; its size may be zero or below (the
// wheel shrinks without a lower bound), which windows show at their minimum.
struct PaperPlace {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PaperPlace &) const = default;
};
// onPaper in the paper's pixels; an empty paper gives the empty place.
PaperPlace PlaceOf(const QRect &onPaper, QSize paper);
// The pixels of a place on a paper of that size, to the nearest, halves to even.
QRect RectOf(const PaperPlace &place, QSize paper);

struct DocumentPaper {
    int orientation = 0;         // "向き": 0 "縦", 1 "横" (-1 none chosen)
    TColorValue color = clRed;
    QSize layoutSize{400, 560};  // the paper's pixels the calendars were laid out for
    bool operator==(const DocumentPaper &) const = default;
};

// The font OK gives the calendars.  Until a font dialog has been confirmed
// it is calendar 1's grid font with its colour (the weekday text colour).
struct CalendarFontChoice {
    bool followsCalendar1 = true;
    QFont font;                    // face and style; its size in points is points
    int points = 9;
    TColorValue color = clBlack;
    TFontCharsetNote charset;      // as a font file gave it
    bool operator==(const CalendarFontChoice &) const = default;
};

// The values of the settings pages that every calendar is drawn or made with.
struct DocumentSettings {
    TColorValue backColor = clWhite;        // カレンダーの背景色 (CalendarBackColor)
    TColorValue panelColor = clMoneyGreen;  // 月の背景色 (CalendarPanelColor)
    bool sameBackColor = false;             // カレンダーの背景色と同色にする
    int alpha = 220;                        // 背景の透明度
    TColorValue holidayColor = clRed;       // 休日の文字色
    TColorValue dayTextColor = clBlack;     // 平日の文字色
    CalendarDisplayOptions options;         // 週の最初の曜日, 月の表記, 曜日の表記, 六曜
    bool sameSize = false;                  // すべて同サイズにする
    CalendarFontChoice font;
    bool operator==(const DocumentSettings &) const = default;
};

struct DocumentCalendar {
    TDateValue month = 0;     // the date the calendar was given
    QString title;            // the month title as shown
    PaperPlace bounds;        // the calendar window on the paper
    // Where a new paper size places it from: bounds, unless a smaller paper
    // has cut it or moved it onto itself meanwhile.
    PaperPlace scaleFrom;
    TColorValue backColor = clWhite;  // grid, window, colour key and backing
    int alpha = 255;                  // the backing's opacity, 0 clear .. 255
    TColorValue panelColor = clMoneyGreen;
    TColorValue holidayColor = clRed;
    TColorValue dayTextColor = clBlack;
    QFont gridFont;           // face and style of the grid; its size is gridPoints
    int gridPoints = 14;
    QFont titleFont;          // face and style of the title; its size is titlePoints
    int titlePoints = 21;
    TColorValue titleColor = clBlack;
    TFontCharsetNote titleCharset;  // as a font file gave it
    int titleHeight = 31;     // pixels, as last laid out
    bool operator==(const DocumentCalendar &) const = default;
};

struct DocumentPhoto {
    QString fileName;       // may be empty: a frame without a picture
    PaperPlace bounds;      // on the paper; the picture is stretched to it
    PaperPlace scaleFrom;   // as for calendars
    int quarterTurns = 0;   // the user's rotation, clockwise, 0..3
    bool operator==(const DocumentPhoto &) const = default;
};

struct Document {
    DocumentPaper paper;
    DocumentSettings settings;
    QList<DocumentCalendar> calendars;  // calendar n at n - 1, 1 to 12 of them
    QList<int> calendarOrder;           // calendar numbers, bottom to top
    QList<DocumentPhoto> photos;        // photo i at i (the work-state file's order)
    QList<int> photoOrder;              // photo indices, bottom to top
    int selectedPhoto = -1;             // -1: none
    bool operator==(const Document &) const = default;

    int CalendarCount() const { return int(calendars.size()); }
    int PhotoCount() const { return int(photos.size()); }
    // Calendar n (1-based), or null.
    const DocumentCalendar *Calendar(int n) const;
    DocumentCalendar *Calendar(int n);
};

// The font OK gives the calendars, and its colour, whichever it follows.
QFont CommonFontFace(const Document &d);
int CommonFontPoints(const Document &d);
TColorValue CommonFontColor(const Document &d);

// A new photo in front of the others; returns its index.
int AddPhoto(Document &d, const DocumentPhoto &photo);
// Photo i leaves; the later ones move down one index and each takes the
// stacking place of the one below it (the place belongs to the index).
void RemovePhoto(Document &d, int i);
// Stacking of photo i among the photos.
void BringPhotoToFront(Document &d, int i);
void SendPhotoToBack(Document &d, int i);

// Calendar n at the top of the calendars (activation raises a window).
void RaiseCalendar(Document &d, int n);
// Calendar numbers beyond the count leave the order; missing ones join it
// at the top in number order, as windows newly shown come to the front.
void KeepCalendarOrder(Document &d);

// The document `current` with the values that differ between `from` and
// `to` taken from `to`, value by value: what one edit changed is done or
// undone while whatever else happened meanwhile stays.
Document MergeChange(const Document &current, const Document &from, const Document &to);

} // namespace tamarie
