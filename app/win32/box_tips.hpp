#pragma once

#include <windows.h>

#include <string_view>

namespace kestal {

// The tooltips of the scale boxes: one comctl32 tooltip control showing, over
// each box, the reason behind what it shows. An empty reason shows no tip.
class BoxTips {
public:
    // The control is the window's, and goes with it.
    explicit BoxTips(HWND window);

    void Add(HWND box);
    void Set(HWND box, std::u16string_view reason);

private:
    HWND m_window;
    HWND m_tips;
};

}  // namespace kestal
