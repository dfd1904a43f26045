#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "app/key_strokes.hpp"
#include "conversion/scale.hpp"

namespace kestal {

// One of the seven boxes: the system's EDIT control, subclassed to tell which
// of its key releases are the real end of a key pressed in it, and to add the
// window's copies to its context menu and Ctrl+Shift+C (sent to the window as
// WM_COMMAND).
class ScaleBox {
public:
    using KeyUp = std::function<void(Scale)>;
    ScaleBox(HWND edit, Scale scale, KeyUp keyUp);
    ScaleBox(const ScaleBox&) = delete;
    ScaleBox& operator=(const ScaleBox&) = delete;
    ~ScaleBox();

    std::u16string Text() const;
    // Sends no key message, so it starts no conversion.
    void SetText(std::u16string_view text);

private:
    static LRESULT CALLBACK Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_edit;
    Scale m_scale;
    KeyUp m_keyUp;
    WNDPROC m_editProcedure;
    KeyStrokes m_strokes;
};

}  // namespace kestal
