#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "app/window/key_strokes.hpp"
#include "conversion/scale.hpp"

namespace kestal {

// One of the seven boxes: the system's EDIT control, subclassed to tell which
// of its key releases are the real end of a key pressed in it, and which
// changes of its text (EN_CHANGE, sent to the window) the user made with no
// key to release (its menu's paste, cut or delete, an input method); and to
// add the window's copies to its context menu and Ctrl+Shift+C (sent to the
// window as WM_COMMAND).
class ScaleBox {
public:
    using KeyUp = std::function<void(Scale)>;
    ScaleBox(HWND edit, Scale scale, KeyUp keyUp);
    ScaleBox(const ScaleBox&) = delete;
    ScaleBox& operator=(const ScaleBox&) = delete;
    ~ScaleBox();

    HWND Handle() const { return m_edit; }
    std::u16string Text() const;
    // Sends no key message, and its change converts nothing.
    void SetText(std::u16string_view text);
    // True when the change of text just notified should convert at once: the
    // user's, with no key pressed in the box still down.
    bool ChangeConverts() const { return !m_writing && m_strokes.Changed(); }

private:
    static LRESULT CALLBACK Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_edit;
    Scale m_scale;
    KeyUp m_keyUp;
    WNDPROC m_editProcedure;
    KeyStrokes m_strokes;
    bool m_writing = false;  // SetText under way
};

}  // namespace kestal
