#include "app/win32/described_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/win32/control_ids.hpp"
#include "app/win32/look.hpp"

namespace kestal {

namespace {

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

struct Native {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle = 0;
};

Native NativeOf(const ControlDescription& control) {
    switch (control.kind) {
        case ControlKind::ScaleBox:
            return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Label: {
            DWORD style =
                SS_NOPREFIX | (control.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT);
            // A wrapped text starts at the top of its box; one line sits in its middle.
            if (!control.wraps) {
                style |= SS_CENTERIMAGE;
            }
            return {L"STATIC", style};
        }
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX};
        case ControlKind::PushButton:
            // BS_PUSHBUTTON, never BS_DEFPUSHBUTTON: Enter presses nothing.
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON};
        case ControlKind::Table:
            return {WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE};
        case ControlKind::Plot:
            return {L"STATIC", SS_OWNERDRAW};
    }
    return {L"STATIC", 0};
}

void RegisterClassOnce(HINSTANCE instance, WNDPROC procedure) {
    static const bool registered = [instance, procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

DescribedWindow::~DescribedWindow() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    for (HFONT font : m_fonts) {
        DeleteObject(font);
    }
}

void DescribedWindow::Build(DWORD style, DWORD extendedStyle, HWND owner, POINT moved) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClassOnce(instance, &Procedure);

    // The description gives the client area; the frame comes on top of it.
    RECT frame{0, 0, Pixels(m_description.clientWidth), Pixels(m_description.clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // At the design position, moved onto the screen where a high resolution
    // would push it past the edge.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = std::max<int>(
        work.left,
        std::min<int>(Pixels(m_description.designLeft) + moved.x + frame.left, work.right - width));
    const int top = std::max<int>(
        work.top,
        std::min<int>(Pixels(m_description.designTop) + moved.y + frame.top, work.bottom - height));
    const std::wstring caption = Wide(m_description.caption);
    CreateWindowExW(extendedStyle, kWindowClass, caption.c_str(), style, left, top, width, height,
                    owner, nullptr, instance, this);

    m_fonts.push_back(NewFont(m_description.font));
    HWND previous = HWND_TOP;
    for (const ControlDescription& control : m_description.controls) {
        // Controls inside a frame are its siblings, placed from its corner, so
        // that their colours and focus are the window's to handle.
        TwipsRect rect = control.rect;
        if (!control.parent.empty()) {
            const TwipsRect& parent = m_description.Control(control.parent).rect;
            rect.left += parent.left;
            rect.top += parent.top;
        }
        const Native native = NativeOf(control);
        const std::wstring text =
            control.kind == ControlKind::ScaleBox
                ? std::wstring(control.name.begin(), control.name.end())  // emptied at load
                : Wide(control.text);
        HWND handle = CreateWindowExW(
            native.extendedStyle, native.windowClass, text.c_str(),
            WS_CHILD | WS_VISIBLE | native.style, Pixels(rect.left), Pixels(rect.top),
            Pixels(rect.width), Pixels(rect.height), m_window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(m_description, control.name))),
            instance, nullptr);
        HFONT font = m_fonts.front();
        if (control.font) {
            font = m_fonts.emplace_back(NewFont(*control.font));
        }
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.colour) {
            m_colours.emplace_back(handle, ColourRef(*control.colour));
        }
        // Tab goes through the controls in their z-order: set it to the description's.
        SetWindowPos(handle, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = handle;
        m_controls.push_back(handle);
        // Until the window says otherwise, its first stop takes the focus
        // whenever it is activated, also when it was shown without it.
        if (m_focus == nullptr && (native.style & WS_TABSTOP) != 0) {
            m_focus = handle;
        }
    }
}

HWND DescribedWindow::Control(std::string_view name) const {
    const auto index = static_cast<std::size_t>(ControlId(m_description, name) - kFirstControlId);
    return index < m_controls.size() ? m_controls[index] : nullptr;
}

void DescribedWindow::Focus(std::string_view name) {
    m_focus = Control(name);
    SetFocus(m_focus);
}

LRESULT DescribedWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            // Enter and Escape come as IDOK and IDCANCEL and press nothing, as in
            // the Linux windows: neither window has a default or cancel button.
            // A button is pressed by a click, Space or its access letter.
            const auto found = std::ranges::find(m_controls, reinterpret_cast<HWND>(lParam));
            const auto index = static_cast<std::size_t>(found - m_controls.begin());
            if (HIWORD(wParam) == BN_CLICKED && found != m_controls.end() &&
                m_description.controls[index].kind == ControlKind::PushButton) {
                Clicked(m_description.controls[index].name);
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            const auto coloured = std::ranges::find(m_colours, reinterpret_cast<HWND>(lParam),
                                                    &std::pair<HWND, COLORREF>::first);
            if (coloured == m_colours.end()) {
                break;
            }
            HDC context = reinterpret_cast<HDC>(wParam);
            SetTextColor(context, coloured->second);
            SetBkColor(context, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_ACTIVATE:
            // A plain window forgets its focused control when it loses the
            // activation: keep it, and give it back.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(m_window, focus)) {
                    m_focus = focus;
                }
            } else if (m_focus != nullptr) {
                SetFocus(m_focus);
            }
            return 0;
        case WM_SETFOCUS:
            if (m_focus != nullptr) {
                SetFocus(m_focus);
            }
            return 0;
        case WM_CLOSE:
            Closing();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK DescribedWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<DescribedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<DescribedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        self->m_controls.clear();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

}  // namespace kestal
