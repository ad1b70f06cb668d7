#pragma once

// The window's inventory: every control, written once as data. A builder (app/builder.h)
// turns it into widgets. Positions and sizes are in twips, relative to the container.

#include "controls/colorvalue.h"

#include <QtGlobal>
#include <span>

namespace tesmora {

enum class Kind {
    Window,
    Panel,
    PictureBox,
    Frame,
    Label,
    TextBox,
    Button,
    GraphicalButton,
    ComboBox,
    ListBox,
    VScrollBar,
    Image,
    Line,
    Timer,
    DriveList,
    FolderList,
    FileList,
    MonthCalendar,
    Slider,
    MediaPlayer,
    CommonDialog,
};

struct FontSpec
{
    const char *face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
};

enum class Align { Left, Centre, Right };

struct ControlSpec
{
    const char *name;
    Kind kind;
    const char *container;
    int left = 0, top = 0, width = 0, height = 0; // for a line: the two end points
    int tab = -1; // place in the focus order; -1: none
    const char *text = nullptr; // caption or start text (UTF-8)
    FontSpec font = {};
    const char *tooltip = nullptr;
    // What a screen reader says the control is for, in plain words: a control's accessible name,
    // a label's description (its name is the text it shows). Left out where the control's own
    // caption already says it.
    const char *spoken = nullptr;
    bool visible = true;
    const char *picture = nullptr; // resource name under :/images/
    Align align = Align::Left;
    const char *cursor = nullptr; // resource name of a custom pointer
    ColorValue fore = 0; // 0: the kind's default
    bool border = false; // picture boxes: the sunken single border
    bool pressable = false; // labels and pictures that act on a click: Space and Enter act too
    bool fit = false; // labels: the whole text on one line, made smaller where it is too wide
};

// The client area of the window, in twips.
constexpr int formWidthTwips = 7050;
constexpr int formHeightTwips = 3075;

// Every control, each container's children listed front to back.
std::span<const ControlSpec> inventory();
const ControlSpec *findControl(const char *name);

} // namespace tesmora
