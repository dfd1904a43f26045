#pragma once

// The Win32 front end: each window is built by walking its description
// (app/window_description), its scale boxes run the shared key-release rule
// (app/key_strokes, app/key_release_run), and the conversion core does the rest.
//   DescribedWindow -> Form1 (ScaleBox x 7) / Form2 / TableWindow (TableGrid, PaintPlot)

#include <windows.h>

#include <string_view>
#include <utility>
#include <vector>

#include "app/win32/colours.hpp"
#include "app/window/window_description.hpp"

namespace kestal {

// A top-level window laid out from a description: its controls created in tab
// order, each box just after the caption that names it, in the described fonts
// and colours (or the High Contrast theme's), at the screen's resolution.
class DescribedWindow {
public:
    DescribedWindow(const DescribedWindow&) = delete;
    DescribedWindow& operator=(const DescribedWindow&) = delete;
    virtual ~DescribedWindow();

    HWND Handle() const { return m_window; }
    HWND Control(std::string_view name) const;
    // The focus goes to this control and comes back to it when the window is
    // activated again, after a message or the help window.
    void Focus(std::string_view name);
    // What it paints with, as Windows last said.
    const WindowColours& Colours() const { return m_colours; }

protected:
    explicit DescribedWindow(const WindowDescription& description) : m_description(description) {}
    // At the design position, moved by `moved` pixels: by as far as the main
    // window stands from its own, for a window placed beside it.
    void Build(DWORD style, DWORD extendedStyle, HWND owner, POINT moved = {0, 0});

    virtual void Clicked(std::string_view command) = 0;
    virtual void Closing() = 0;
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND NewControl(const ControlDescription& control, HWND previous);
    void Recolour();

    const WindowDescription& m_description;
    HWND m_window = nullptr;
    HWND m_focus = nullptr;
    std::vector<HWND> m_controls;  // in the description's order
    std::vector<HFONT> m_fonts;
    std::vector<std::pair<HWND, Colour>> m_labelColours;
    WindowColours m_colours = WindowColours::Now();
};

}  // namespace kestal
