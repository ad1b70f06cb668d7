#pragma once

#include <QByteArray>

namespace tesmora {

// The displays a session offers, as its environment tells them.
struct Session
{
    QByteArray qpaPlatform; // QT_QPA_PLATFORM: the user's own choice of Qt platform
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray x11Display; // DISPLAY
};

Session currentSession();

// The Qt platform list to start on, or empty to leave the choice alone. The clock's title carries
// the time while the window is minimised, and Wayland shells never tell a client that it was
// minimised: on a Wayland desktop the window goes through XWayland where there is one, and onto
// Wayland itself only where there is not. A platform the user chose is kept.
QByteArray preferredPlatform(const Session &session);

} // namespace tesmora
