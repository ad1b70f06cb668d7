#include "app/inventory.h"

#include "about/abouttexts.h"

#include <cstring>

namespace tesmora {

namespace {

constexpr FontSpec bold(double points)
{
    return {"MS Sans Serif", points, true};
}

// Rows are grouped by container; within a group the first row lies in front.
// clang-format off
const ControlSpec rows[] = {
    // The window's own children.
    {.name = "Picture8", .kind = Kind::Panel, .container = "Form1", .left = 0, .top = 120, .width = 7215, .height = 2175, .tab = 39, .visible = false},
    {.name = "Picture5", .kind = Kind::Panel, .container = "Form1", .left = 120, .top = 120, .width = 6975, .height = 2175, .tab = 23, .visible = false},
    {.name = "CommonDialog1", .kind = Kind::CommonDialog, .container = "Form1"},
    {.name = "Picture2", .kind = Kind::Panel, .container = "Form1", .left = 0, .top = 120, .width = 7095, .height = 2055, .tab = 12, .visible = false},
    {.name = "Picture1", .kind = Kind::Panel, .container = "Form1", .left = 120, .top = 2040, .width = 4935, .height = 1095, .tab = 6, .visible = false},
    {.name = "Frame2", .kind = Kind::Frame, .container = "Form1", .left = 120, .top = 120, .width = 6855, .height = 1935, .tab = 4},
    {.name = "Frame1", .kind = Kind::Frame, .container = "Form1", .left = 120, .top = 2040, .width = 4815, .height = 975, .tab = 2},
    {.name = "Command2", .kind = Kind::GraphicalButton, .container = "Form1", .left = 5280, .top = 2280, .width = 615, .height = 615, .tab = 1, .tooltip = "Black or White Background", .spoken = "Black or white background", .picture = "monitor.ico"},
    {.name = "Command1", .kind = Kind::GraphicalButton, .container = "Form1", .left = 6240, .top = 2280, .width = 615, .height = 615, .tab = 0, .tooltip = "Utilities", .spoken = "Utilities", .picture = "bulb-unlit.ico"},
    {.name = "Timer1", .kind = Kind::Timer, .container = "Form1"},

    {.name = "Label1", .kind = Kind::Label, .container = "Frame2", .left = 240, .top = 240, .width = 6375, .height = 1455, .tab = 5, .font = {"Arial", 72, true}, .tooltip = "Click to Timer.", .align = Align::Centre, .pressable = true, .fit = true},
    {.name = "Label2", .kind = Kind::Label, .container = "Frame1", .left = 360, .top = 240, .width = 4215, .height = 615, .tab = 3, .font = bold(24), .tooltip = "Clck to Stopwatch", .align = Align::Centre, .pressable = true, .fit = true},

    // The menu bar.
    {.name = "Command22", .kind = Kind::GraphicalButton, .container = "Picture1", .left = 120, .top = 360, .width = 495, .height = 495, .tab = 59, .tooltip = "AREA AND COUNTRY CODES", .spoken = "Area and country codes", .picture = "telephone.ico"},
    {.name = "Command20", .kind = Kind::GraphicalButton, .container = "Picture1", .left = 4440, .top = 360, .width = 495, .height = 495, .tab = 38, .tooltip = "About", .spoken = "About", .picture = "information.ico"},
    {.name = "Command7", .kind = Kind::GraphicalButton, .container = "Picture1", .left = 3720, .top = 360, .width = 495, .height = 495, .tab = 11, .tooltip = "CALCULATOR", .spoken = "Calculator", .picture = "calculator.ico"},
    {.name = "Command6", .kind = Kind::GraphicalButton, .container = "Picture1", .left = 3000, .top = 360, .width = 495, .height = 495, .tab = 10, .tooltip = "MP3 PLAYER", .spoken = "MP3 player", .picture = "disc.ico"},
    {.name = "Command5", .kind = Kind::GraphicalButton, .container = "Picture1", .left = 2280, .top = 360, .width = 495, .height = 495, .tab = 9, .tooltip = "CONVERSIONS", .spoken = "Conversions", .picture = "conversions.ico"},
    {.name = "Command4", .kind = Kind::GraphicalButton, .container = "Picture1", .left = 1560, .top = 360, .width = 495, .height = 495, .tab = 8, .tooltip = "SPANISH TRANSLATOR", .spoken = "Spanish translator", .picture = "translator.ico"},
    {.name = "Command3", .kind = Kind::GraphicalButton, .container = "Picture1", .left = 840, .top = 360, .width = 495, .height = 495, .tab = 7, .tooltip = "CALENDAR", .spoken = "Calendar", .picture = "calendar.bmp"},

    // Conversions; holds the translator panel.
    {.name = "Picture10", .kind = Kind::Panel, .container = "Picture8", .left = 0, .top = -120, .width = 7215, .height = 2175, .tab = 46, .visible = false},
    {.name = "Picture9", .kind = Kind::PictureBox, .container = "Picture8", .left = 4200, .top = 600, .width = 615, .height = 495, .tab = 45, .visible = false, .picture = "match.ico", .border = true},
    {.name = "Text5", .kind = Kind::TextBox, .container = "Picture8", .left = 3960, .top = 1680, .width = 855, .height = 375, .tab = 42, .font = bold(12), .spoken = "Degrees Celsius"},
    {.name = "Text4", .kind = Kind::TextBox, .container = "Picture8", .left = 2040, .top = 1680, .width = 855, .height = 375, .tab = 41, .font = bold(12), .spoken = "Degrees Fahrenheit"},
    {.name = "VScroll1", .kind = Kind::VScrollBar, .container = "Picture8", .left = 3240, .top = 120, .width = 495, .height = 1935, .tab = 40, .spoken = "Temperature"},
    {.name = "Command19", .kind = Kind::Button, .container = "Picture8", .left = 5160, .top = 960, .width = 1335, .height = 375, .tab = 57, .text = "Miles to Km."},
    {.name = "Command8", .kind = Kind::Button, .container = "Picture8", .left = 5160, .top = 480, .width = 1335, .height = 375, .tab = 55, .text = "Liters to Gallons"},
    {.name = "Command21", .kind = Kind::Button, .container = "Picture8", .left = 600, .top = 480, .width = 1335, .height = 375, .tab = 58, .text = "Feet to Meters"},
    {.name = "Command18", .kind = Kind::Button, .container = "Picture8", .left = 600, .top = 960, .width = 1335, .height = 375, .tab = 56, .text = "Pounds to Kg"},
    {.name = "Image2", .kind = Kind::Image, .container = "Picture8", .left = 2160, .top = 600, .width = 735, .height = 735},
    {.name = "Label7", .kind = Kind::Label, .container = "Picture8", .left = 240, .top = 1680, .width = 1575, .height = 375, .tab = 44, .text = "Farenheit", .font = bold(9.75), .align = Align::Right},
    {.name = "Label6", .kind = Kind::Label, .container = "Picture8", .left = 5040, .top = 1560, .width = 1695, .height = 495, .tab = 43, .text = "\u00BA" "Celsius (centigrades)", .font = bold(9.75)},

    // The translator; holds the calendar panel.
    {.name = "Picture12", .kind = Kind::Panel, .container = "Picture10", .left = 0, .top = 0, .width = 7215, .height = 2175, .tab = 53, .visible = false},
    {.name = "List1", .kind = Kind::ListBox, .container = "Picture10", .left = 480, .top = 240, .width = 3135, .height = 1740, .tab = 49, .font = bold(9.75), .spoken = "English words"},
    {.name = "Text7", .kind = Kind::TextBox, .container = "Picture10", .left = 3960, .top = 1560, .width = 2895, .height = 375, .tab = 48, .font = bold(9.75), .spoken = "Translation in Spanish"},
    {.name = "Text6", .kind = Kind::TextBox, .container = "Picture10", .left = 3960, .top = 480, .width = 2895, .height = 375, .tab = 47, .font = bold(9.75), .spoken = "Search in English"},
    {.name = "Label9", .kind = Kind::Label, .container = "Picture10", .left = 3960, .top = 1200, .width = 2895, .height = 375, .tab = 51, .text = "Translation in Spanish", .font = bold(12)},
    {.name = "Label8", .kind = Kind::Label, .container = "Picture10", .left = 3960, .top = 120, .width = 2535, .height = 375, .tab = 50, .text = "Search in English:", .font = bold(12)},

    // The calendar; holds the codes panel.
    {.name = "Picture13", .kind = Kind::Panel, .container = "Picture12", .left = 0, .top = 120, .width = 6735, .height = 2055, .tab = 60, .visible = false},
    {.name = "MonthView1", .kind = Kind::MonthCalendar, .container = "Picture12", .left = 720, .top = 0, .width = 5640, .height = 2370, .tab = 54, .font = bold(8.25), .spoken = "Month calendar"},

    // Area and country codes.
    {.name = "Combo3", .kind = Kind::ComboBox, .container = "Picture13", .left = 360, .top = 1440, .width = 2775, .height = 420, .tab = 63, .text = "URL Country Codes", .font = bold(12), .spoken = "Internet country codes"},
    {.name = "Combo2", .kind = Kind::ComboBox, .container = "Picture13", .left = 360, .top = 840, .width = 2775, .height = 420, .tab = 62, .text = "Country Codes", .font = bold(12), .spoken = "Country codes"},
    {.name = "Combo1", .kind = Kind::ComboBox, .container = "Picture13", .left = 360, .top = 240, .width = 2775, .height = 420, .tab = 61, .text = "Area Codes", .font = bold(12), .spoken = "Area codes"},
    {.name = "Label12", .kind = Kind::Label, .container = "Picture13", .left = 3600, .top = 1440, .width = 1335, .height = 375, .tab = 66, .font = bold(12), .spoken = "Internet country code"},
    {.name = "Label11", .kind = Kind::Label, .container = "Picture13", .left = 3600, .top = 960, .width = 1695, .height = 255, .tab = 65, .font = bold(12), .spoken = "Country code"},
    {.name = "Label10", .kind = Kind::Label, .container = "Picture13", .left = 3600, .top = 360, .width = 1575, .height = 375, .tab = 64, .font = bold(12), .spoken = "Area code"},

    // The calculator; holds the About panel.
    {.name = "Picture6", .kind = Kind::Panel, .container = "Picture5", .left = 0, .top = 0, .width = 7335, .height = 2175, .tab = 33, .visible = false},
    {.name = "Command17", .kind = Kind::GraphicalButton, .container = "Picture5", .left = 5400, .top = 1560, .width = 615, .height = 495, .tab = 32, .spoken = "Copy result", .picture = "copy.bmp"},
    {.name = "Command16", .kind = Kind::GraphicalButton, .container = "Picture5", .left = 6120, .top = 1560, .width = 615, .height = 495, .tab = 31, .spoken = "Clear", .picture = "eraser.ico"},
    {.name = "Text3", .kind = Kind::TextBox, .container = "Picture5", .left = 360, .top = 1440, .width = 4935, .height = 495, .tab = 30, .font = bold(12), .spoken = "Result"},
    {.name = "Command15", .kind = Kind::GraphicalButton, .container = "Picture5", .left = 6120, .top = 840, .width = 615, .height = 615, .tab = 29, .spoken = "Divide", .picture = "divide.ico"},
    {.name = "Command14", .kind = Kind::GraphicalButton, .container = "Picture5", .left = 5400, .top = 840, .width = 615, .height = 615, .tab = 28, .spoken = "Multiply", .picture = "multiply.ico"},
    {.name = "Command13", .kind = Kind::GraphicalButton, .container = "Picture5", .left = 6120, .top = 120, .width = 615, .height = 615, .tab = 27, .spoken = "Subtract", .picture = "minus.ico"},
    {.name = "Command12", .kind = Kind::GraphicalButton, .container = "Picture5", .left = 5400, .top = 120, .width = 615, .height = 615, .tab = 26, .spoken = "Add", .picture = "plus.ico"},
    {.name = "Text2", .kind = Kind::TextBox, .container = "Picture5", .left = 360, .top = 720, .width = 4935, .height = 495, .tab = 25, .font = bold(12), .spoken = "Second number"},
    {.name = "Text1", .kind = Kind::TextBox, .container = "Picture5", .left = 360, .top = 120, .width = 4935, .height = 495, .tab = 24, .font = bold(12), .spoken = "First number"},
    // A line is drawn on its container, behind every control: x1, y1, x2, y2 and 3 pixels thick.
    {.name = "Line1", .kind = Kind::Line, .container = "Picture5", .left = 120, .top = 1320, .width = 5400, .height = 1320},

    // About.
    {.name = "Picture11", .kind = Kind::PictureBox, .container = "Picture6", .left = 1800, .top = 360, .width = 495, .height = 495, .tab = 52, .picture = "clock.ico"},
    {.name = "Picture7", .kind = Kind::PictureBox, .container = "Picture6", .left = 1800, .top = 1200, .width = 1095, .height = 660, .tab = 36, .tooltip = "Please make a donation of 5 dollars to support more freeware.", .spoken = "Donate", .picture = "donate.gif", .cursor = "hand.png", .pressable = true},
    {.name = "Image3", .kind = Kind::Image, .container = "Picture6", .left = 0, .top = 0, .width = 1695, .height = 2175, .picture = "about.jpg"},
    {.name = "Label5", .kind = Kind::Label, .container = "Picture6", .left = 3240, .top = 1200, .width = 3495, .height = 975, .tab = 37, .text = aboutText::websiteCaption, .font = bold(12), .spoken = "Web site link", .cursor = "hand.png", .fore = colorValue(0, 0, 192), .pressable = true},
    {.name = "Label4", .kind = Kind::Label, .container = "Picture6", .left = 3720, .top = 600, .width = 5055, .height = 375, .tab = 35, .text = aboutText::countryLine, .font = bold(12)},
    {.name = "Image1", .kind = Kind::Image, .container = "Picture6", .left = 2400, .top = 120, .width = 1080, .height = 720, .tooltip = aboutText::flagTooltip, .picture = "flag.ico"},
    {.name = "Label3", .kind = Kind::Label, .container = "Picture6", .left = 3720, .top = 120, .width = 4815, .height = 375, .tab = 34, .text = aboutText::makerName, .font = bold(13.5)},

    // The music player.
    {.name = "Picture4", .kind = Kind::PictureBox, .container = "Picture2", .left = 5880, .top = 840, .width = 540, .height = 540, .tab = 22, .visible = false, .picture = "bulb-unlit.ico", .border = true},
    {.name = "Picture3", .kind = Kind::PictureBox, .container = "Picture2", .left = 5280, .top = 840, .width = 540, .height = 540, .tab = 21, .visible = false, .picture = "bulb-lit.ico", .border = true},
    {.name = "Slider1", .kind = Kind::Slider, .container = "Picture2", .left = 2400, .top = 240, .width = 2055, .height = 615, .tab = 20, .spoken = "Volume"},
    {.name = "Command11", .kind = Kind::GraphicalButton, .container = "Picture2", .left = 1680, .top = 240, .width = 615, .height = 615, .tab = 19, .spoken = "Not in use", .picture = "sign.ico"},
    {.name = "Command10", .kind = Kind::GraphicalButton, .container = "Picture2", .left = 960, .top = 240, .width = 615, .height = 615, .tab = 18, .spoken = "Stop", .picture = "stop.ico"},
    {.name = "Command9", .kind = Kind::GraphicalButton, .container = "Picture2", .left = 240, .top = 240, .width = 615, .height = 615, .tab = 17, .spoken = "Play", .picture = "play.ico"},
    {.name = "File1", .kind = Kind::FileList, .container = "Picture2", .left = 240, .top = 960, .width = 4215, .height = 1065, .tab = 15, .spoken = "Music files"},
    {.name = "Dir1", .kind = Kind::FolderList, .container = "Picture2", .left = 4680, .top = 600, .width = 2175, .height = 1440, .tab = 14, .spoken = "Folders"},
    {.name = "Drive1", .kind = Kind::DriveList, .container = "Picture2", .left = 4680, .top = 120, .width = 2175, .height = 315, .tab = 13, .spoken = "Drives"},
    {.name = "MediaPlayer1", .kind = Kind::MediaPlayer, .container = "Picture2", .left = 4080, .top = 240, .width = 375, .height = 495, .tab = 16, .visible = false},
};
// clang-format on

} // namespace

std::span<const ControlSpec> inventory()
{
    return rows;
}

const ControlSpec *findControl(const char *name)
{
    for (const ControlSpec &row : rows)
        if (std::strcmp(row.name, name) == 0)
            return &row;
    return nullptr;
}

} // namespace tesmora
