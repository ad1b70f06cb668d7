#pragma once

// The conversions panel: four buttons, two boxes and a scroll bar, none of which does
// anything yet. Nothing reads the boxes or the scroll bar, so the controller holds no controls.

namespace tesmora {

class Conversions
{
public:
    void Command8_Click();
    void Command18_Click();
    void Command19_Click();
    void Command21_Click();
};

} // namespace tesmora
