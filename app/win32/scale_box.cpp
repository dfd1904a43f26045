#include "app/win32/scale_box.hpp"

#include <utility>

#include "app/win32/box_menu.hpp"
#include "app/win32/control_ids.hpp"

namespace kestal {

namespace {

bool IsEnterOrEscape(WPARAM key) {
    return key == VK_RETURN || key == VK_ESCAPE;
}

bool IsDown(int key) {
    return GetKeyState(key) < 0;
}

// Ctrl+Shift+C, the shortcut of "Copier les sept valeurs".
bool IsCopySevenValues(WPARAM key) {
    return key == 'C' && IsDown(VK_CONTROL) && IsDown(VK_SHIFT) && !IsDown(VK_MENU);
}

}  // namespace

ScaleBox::ScaleBox(HWND edit, Scale scale, KeyUp keyUp)
    : m_edit(edit),
      m_scale(scale),
      m_keyUp(std::move(keyUp)),
      m_editProcedure(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC))) {
    SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

ScaleBox::~ScaleBox() {
    if (IsWindow(m_edit)) {
        SetWindowLongPtrW(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_editProcedure));
    }
}

std::u16string ScaleBox::Text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(m_edit, text.data(), static_cast<int>(text.size()))));
    return {text.begin(), text.end()};
}

void ScaleBox::SetText(std::u16string_view text) {
    const std::wstring wide(text.begin(), text.end());
    m_writing = true;
    SetWindowTextW(m_edit, wide.c_str());
    m_writing = false;
}

LRESULT ScaleBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter and Escape stay with the box, as any other key: they press
            // no button, and their release converts.
            const auto* asked = reinterpret_cast<const MSG*>(lParam);
            const LRESULT code = CallWindowProcW(m_editProcedure, m_edit, message, wParam, lParam);
            if (asked != nullptr && asked->message == WM_KEYDOWN &&
                IsEnterOrEscape(asked->wParam)) {
                return code | DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L'\x1b') {
                return 0;  // the EDIT would only beep
            }
            if (wParam == 0x03 && IsDown(VK_SHIFT)) {
                return 0;  // Ctrl+Shift+C: the EDIT would copy its selection over the values
            }
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // A key an input method takes names no key: its text comes later,
            // with no release of its own.
            if (wParam == VK_PROCESSKEY) {
                m_strokes.PressedUnidentified();
                break;
            }
            m_strokes.Pressed(static_cast<int>(wParam));
            if (message == WM_KEYDOWN && IsCopySevenValues(wParam)) {
                SendMessageW(GetParent(m_edit), WM_COMMAND, kCopySevenValuesCommand, 0);
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            // The menu takes the keyboard: the menu key or Shift+F10 that opened
            // it is released there, and what it pastes converts at once.
            m_strokes.FocusLeft();
            ShowBoxMenu(m_edit, lParam);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const LRESULT result =
                CallWindowProcW(m_editProcedure, m_edit, message, wParam, lParam);
            // Windows sends one release at the end of a held key, whatever the
            // repeats before it.
            if (m_strokes.Released(static_cast<int>(wParam), false)) {
                m_keyUp(m_scale);
            }
            return result;
        }
        case WM_KILLFOCUS:
            m_strokes.FocusLeft();
            break;
        default:
            break;
    }
    return CallWindowProcW(m_editProcedure, m_edit, message, wParam, lParam);
}

LRESULT CALLBACK ScaleBox::Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<ScaleBox*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    return box->OnMessage(message, wParam, lParam);
}

}  // namespace kestal
