#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// A tool finds the window's controls by their names, each written once, in its controls struct:
//
//     struct CalculatorControls
//     {
//         QWidget *Form1;
//         TESMORA_CONTROL(TextBox, Text1);
//     };
//     Calculator calculator(CalculatorControls {form});
//
// A name the window has no control of that kind for throws MissingControl, which names it: the
// program stops at start with that message rather than run with a control missing.

#include <QWidget>
#include <stdexcept>

namespace tesmora {

class MissingControl : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// The object named `name` among `window`'s descendants, if it is a `kind`; throws MissingControl
// otherwise.
QObject *namedControl(const QObject &window, const char *name, const QMetaObject &kind);

template<class T>
T *named(const QObject &window, const char *name)
{
    return static_cast<T *>(namedControl(window, name, T::staticMetaObject));
}

} // namespace tesmora

#define TESMORA_CONTROL(Type, name) Type *name = ::tesmora::named<Type>(*Form1, #name)
