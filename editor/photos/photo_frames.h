#pragma once
// Frames on the paper that keep a picture's proportions: a picture put into
// a frame fits within it, centred; a quarter turn turns the frame with it;
// and a frame stretched on purpose can be given back the picture's
// proportions.
#include <QRect>
#include <QSize>

namespace tamarie {

// The picture's proportions within frame, centred in it; the frame itself
// when the picture's size is unknown.
QRect FittedFrame(const QSize &picture, const QRect &frame);
// The frame turned a quarter about its centre.
QRect TurnedFrame(const QRect &frame);
// The frame with its height made from its width and the picture's
// proportions; its top-left corner stays.
QRect ProportionedFrame(const QSize &picture, const QRect &frame);

} // namespace tamarie
