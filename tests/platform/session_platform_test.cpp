#include <QList>
#include <gtest/gtest.h>
#include <utility>

#include "session_platform.h"

namespace tamarie::platform {
namespace {

TEST(SessionPlatform, XWaylandOnlyOnWaylandWithAnXServerAndNoUserChoice)
{
    EXPECT_EQ(ChosenQtPlatform({"", "wayland", "wayland-0", ":0"}), QByteArray("xcb"));
    EXPECT_EQ(ChosenQtPlatform({"", "", "wayland-0", ":0"}), QByteArray("xcb"));
    EXPECT_EQ(ChosenQtPlatform({"wayland", "wayland", "wayland-0", ":0"}), QByteArray());
    EXPECT_EQ(ChosenQtPlatform({"", "x11", "", ":0"}), QByteArray());
    // No XWayland running: Qt's own choice, rather than a program that cannot start.
    EXPECT_EQ(ChosenQtPlatform({"", "wayland", "wayland-0", ""}), QByteArray());

    const char *names[] = {"QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "DISPLAY"};
    QList<std::pair<bool, QByteArray>> saved;
    for (const char *n : names)
        saved.append({qEnvironmentVariableIsSet(n), qgetenv(n)});
    qunsetenv("QT_QPA_PLATFORM");
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("DISPLAY", ":5");
    UseXWaylandOnWayland();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb"));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    UseXWaylandOnWayland();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("offscreen"));
    for (int i = 0; i < 3; ++i)
        saved[i].first ? qputenv(names[i], saved[i].second) : qunsetenv(names[i]);
}

} // namespace
} // namespace tamarie::platform
