#pragma once
// Whether the desktop composites windows: an X11 display whose
// _NET_WM_CM_S<screen> selection has an owner.  Only then can a window be
// translucent pixel by pixel; elsewhere (no compositor, no X11) the calendars
// fall back to a colour-keyed shape over a backing window.
namespace tamarie {

bool DesktopComposites();

} // namespace tamarie
