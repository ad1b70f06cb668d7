#include "controls/named.h"

namespace tesmora {

QObject *namedControl(const QObject &window, const char *name, const QMetaObject &kind)
{
    QObject *found = window.findChild<QObject *>(QString::fromLatin1(name));
    if (!found)
        throw MissingControl(std::string("the window has no control named \"") + name + '"');
    if (!kind.cast(found))
        throw MissingControl(std::string("the window's control \"") + name + "\" is a "
                             + found->metaObject()->className() + ", not a " + kind.className());
    return found;
}

} // namespace tesmora
