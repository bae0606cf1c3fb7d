#pragma once
// What the user's actions do to the document, as plain functions: the
// per-month appearance appliers, the month titles, laying calendars out,
// placing and sizing calendars and photos, the wheel steps, the paper's
// orientation and size, and OK's new set of months.  The main window's
// handlers decide which to call and name the step.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

#include "document.h"
#include "wheel_steps.h"

namespace tamarie {

// The calendars an apply-to-month list's selection addresses (-1 none, 0 all).
std::vector<int> ChosenCalendars(const Document &d, int tekiyoIndex);

// Calendar n laid out for the width its window has on the document's paper.
void LayOutCalendarOnPaper(Document &d, int n, bool keepGridPoints = false);

// The appliers of the per-month settings: the setting's value to calendar n.
void ApplyCalendarBackColor(Document &d, int n);  // grid, window, colour key and backing
void ApplyCalendarPanelColor(Document &d, int n);
void ApplyCalendarAlpha(Document &d, int n);
void ApplyHolidayTextColor(Document &d, int n);
void ApplyDayTextColor(Document &d, int n);
// The common font's face, style and size to the grid, 1.5 times the size and
// its colour to the title; no layout follows.
void ApplyCalendarFont(Document &d, int n);
// The titles of the chosen calendars take their calendar's background; the
// title colour setting becomes the source calendar's (calendar 1 for all).
void ApplySameBackColor(Document &d, int tekiyoIndex);
// Each calendar's title from its own month in the chosen style.
void UpdateMonthTitles(Document &d);

// A calendar window or photo control now at `onPaper` (the paper's pixels);
// the size it shows is kept where it is only the shown form of a smaller one.
void PlaceCalendarAt(Document &d, int n, const QRect &onPaper);
void PlacePhotoAt(Document &d, int i, const QRect &onPaper);
// Their size on the paper in pixels as stored (may be zero or below).
QSize StoredCalendarSize(const Document &d, int n);
QSize StoredPhotoSize(const Document &d, int i);

// One wheel step on calendar n (and, with "same size", every other one) or photo i.
void WheelStepCalendar(Document &d, int n, WheelDirection direction, WheelKeys keys);
void WheelStepPhoto(Document &d, int i, WheelDirection direction, WheelKeys keys);
// "すべて同サイズにする": calendars 2.. take calendar 1's size and are laid out.
void MakeSameSize(Document &d);

// The paper at a new size: every photo and calendar placed on it from its
// place relative to the paper, calendars laid out for their new widths.
void ScaleToPaper(Document &d, QSize paper);
// A new orientation with the paper it gives: photos and calendars keep their
// pixels and are only cut to the new paper; their places are taken afresh.
void SetOrientation(Document &d, int orientation, QSize paper);

// OK's calendar set: one calendar per month, existing ones keeping their
// places, the others cascading from the paper's corner; every calendar takes
// the settings' values and the common font and is laid out.
void SetMonths(Document &d, const std::vector<TDateValue> &months);

// Bounds of a new photo, in the paper's pixels.
constexpr QRect kNewPhotoBounds(0, 0, 200, 150);

} // namespace tamarie
