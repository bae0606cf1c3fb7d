#pragma once
// One mouse-wheel step on a calendar window or a photo: 10 % both ways, or
// 7 pixels of width ([X]) or height ([Y]); growing stops at the paper, shrinking
// has no lower bound.  Plain functions, no widgets.
//
// Sizes at or below zero: the stored size follows the steps exactly (so a
// later grow step starts from the stored numbers, and the read-out shows them),
// but what is handed to the window system is the shown size, each side at
// least the target's minimum: 1 pixel for a photo, and for a calendar window
// enough to keep its month title on screen so it can still be clicked, dragged
// and grown again.
#include <QSize>
#include <vector>

#include "document_drawing.h"

class QObject;

namespace tamarie {

enum class WheelDirection { None, Grow, Shrink };

// The wheel distance is read as a signed 16-bit number: negative (turned
// toward the user) grows, positive shrinks, zero does nothing.  One message is
// one step whatever its distance.
WheelDirection WheelDirectionOf(int distance);

struct WheelKeys {
    bool x = false;  // [X] held: width only (tested before [Y])
    bool y = false;  // [Y] held: height only
};

constexpr int kWheelPixelStep = 7;

// The size after one step; paper is the paper panel's size (growing clamps
// each side to it).
QSize WheelStep(QSize size, WheelDirection direction, WheelKeys keys, QSize paper);

// The stored size of a target: the size its last wheel step gave, as long as
// the widget still shows exactly that step's shown size; otherwise (resized
// by other means since) the widget's own size.
QSize StoredSize(const QObject *target, QSize widgetSize, QSize minimum);
// Remember a stored size on a target; returns the size to give the widget.
QSize RememberStoredSize(QObject *target, QSize stored, QSize minimum);

// With "same size" on, the calendars that follow calendar n, in the order they
// are resized: 1 to count ascending, without n.  Empty when off or count < 2.
std::vector<int> SameSizeFollowers(int n, int count, bool sameSize);

} // namespace tamarie
