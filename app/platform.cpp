#include "app/platform.h"

#include <QtGlobal>

namespace tesmora {

Session currentSession()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY")};
}

QByteArray preferredPlatform(const Session &session)
{
    if (!session.qpaPlatform.isEmpty())
        return {};
    const bool wayland = !session.waylandDisplay.isEmpty();
    const bool x11 = !session.x11Display.isEmpty();
    // Qt tries the list in order: if XWayland does not answer, the window still opens on Wayland.
    if (wayland && x11)
        return QByteArrayLiteral("xcb;wayland");
    if (wayland)
        return QByteArrayLiteral("wayland");
    // Named outright: in a session that calls itself Wayland (XDG_SESSION_TYPE) Qt would
    // otherwise try a Wayland display that is not there.
    if (x11)
        return QByteArrayLiteral("xcb");
    return {};
}

} // namespace tesmora
