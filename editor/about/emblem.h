#pragma once
// The program's emblem: a calendar leaf with a small photograph on it.
// Drawn rather than stored so the about window, the icon file and any size
// in between come from one place.
#include <QImage>

namespace tamarie {

// A square picture of the emblem, side pixels, transparent around it.
QImage TamarieEmblem(int side);

} // namespace tamarie
