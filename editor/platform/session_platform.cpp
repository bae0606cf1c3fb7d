#include "session_platform.h"

#include <QtGlobal>

namespace tamarie::platform {

QByteArray ChosenQtPlatform(const SessionEnvironment &env)
{
    if (!env.qpaPlatform.isEmpty() || env.x11Display.isEmpty())
        return {};
    const bool wayland = env.sessionType.toLower() == "wayland" || !env.waylandDisplay.isEmpty();
    return wayland ? QByteArray("xcb") : QByteArray();
}

void UseXWaylandOnWayland()
{
    const QByteArray platform = ChosenQtPlatform(
        {qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY")});
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace tamarie::platform
