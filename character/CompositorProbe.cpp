#include "character/CompositorProbe.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;

namespace velmora::agent {

bool CompositorProbe::isCompositing()
{
    // Only X11 may lack a compositor: Wayland always composites, and the
    // offscreen platform shows nothing that a mask could improve.
    if (!qGuiApp || QGuiApplication::platformName() != u"xcb"_s)
        return true;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;

    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    xcb_connection_t *connection = x11->connection();
    static constexpr char selection[] = "_NET_WM_CM_S0";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, sizeof selection - 1, selection), nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

} // namespace velmora::agent
