#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// Work a control needs only once it is seen (filling a list, decoding a picture) is put off
// until it is first shown, so that the window opens without it.

#include <functional>

class QWidget;

namespace tesmora {

// Runs `action` once, when `widget` is first shown, before it is painted: at once if it is
// shown already. Nothing runs if the widget goes away unseen.
void whenFirstShown(QWidget *widget, std::function<void()> action);

} // namespace tesmora
