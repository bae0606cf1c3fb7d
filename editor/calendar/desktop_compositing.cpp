#include "desktop_compositing.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace tamarie {

namespace {

// The screen number of the display name ("host:display.screen"), 0 if none.
int ScreenNumber()
{
    const QByteArray display = qgetenv("DISPLAY");
    const int colon = display.lastIndexOf(':');
    const int dot = display.indexOf('.', colon < 0 ? 0 : colon);
    if (dot < 0)
        return 0;
    return std::atoi(display.constData() + dot + 1);
}

} // namespace

bool DesktopComposites()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(ScreenNumber());
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool owned = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
}

std::optional<QPoint> ServerPosition(const QWidget *w)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c || !w || !w->internalWinId())
        return std::nullopt;
    const xcb_setup_t *setup = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    for (int i = ScreenNumber(); i > 0 && it.rem; --i)
        xcb_screen_next(&it);
    if (!it.rem)
        return std::nullopt;
    const auto window = static_cast<xcb_window_t>(w->internalWinId());
    xcb_translate_coordinates_reply_t *r =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, it.data->root, 0, 0), nullptr);
    if (!r)
        return std::nullopt;
    const QPoint p(r->dst_x, r->dst_y);
    std::free(r);
    return p;
}

} // namespace tamarie
