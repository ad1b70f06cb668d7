#pragma once

#include <QFont>

class QWidget;

namespace tesmora {

struct FontSpec;

// The face and size a font of the inventory gets on this desktop: the sizes are points at the
// inventory's 96 dots per inch, so they are set as pixel sizes to keep the fixed layout.
QFont fontOf(const FontSpec &spec);

// The stand-in faces for the inventory's fonts, registered once per process.
void registerFontSubstitutes();

// Creates every control of the inventory inside `form` (the window itself), in the state the
// inventory gives: geometry, stacking, focus order, texts, fonts, tooltips, pictures, pointers,
// colours and visibility. Each control's objectName is its inventory name.
void buildControls(QWidget *form);

} // namespace tesmora
