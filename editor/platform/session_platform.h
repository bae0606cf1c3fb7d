#pragma once
// On a Wayland session the program runs through XWayland: its windows place
// themselves and each other, which Wayland does not allow a client to do.
#include <QByteArray>

namespace tamarie::platform {

struct SessionEnvironment {
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray sessionType;    // XDG_SESSION_TYPE
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray x11Display;     // DISPLAY
};

// The platform to ask Qt for, or empty to leave Qt's choice alone: the user's
// own choice always stands, and xcb only where an X server (XWayland) runs.
QByteArray ChosenQtPlatform(const SessionEnvironment &env);

// Sets QT_QPA_PLATFORM from the process environment; call before the
// application object exists.
void UseXWaylandOnWayland();

} // namespace tamarie::platform
