#pragma once

// The program's name, written once: the window's title, the title of message boxes raised
// without one of their own, and the name the desktop knows the program by.

#include <QString>

namespace tesmora {

inline constexpr char productName[] = "Tesmora";

inline QString applicationTitle()
{
    return QString::fromLatin1(productName);
}

} // namespace tesmora
