#pragma once
// Whether the desktop composites windows: an X11 display whose
// _NET_WM_CM_S<screen> selection has an owner.  Only then can a window be
// translucent pixel by pixel; elsewhere (no compositor, no X11) the calendars
// fall back to a colour-keyed shape over a backing window.
// Also where the X server itself has a window.
#include <QPoint>
#include <optional>

class QWidget;

namespace tamarie {

bool DesktopComposites();

// Where the X server has top-level window w (its client area's top-left on
// the screen); none when it is not an X11 window.
std::optional<QPoint> ServerPosition(const QWidget *w);

} // namespace tamarie
