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

// What the control's window holds as its text: a box is made with its own
// name, which the load empties; the table, which shows no text of its own,
// holds its name there, where MSAA reads a list view's.
std::wstring WindowText(const ControlDescription& control) {
    switch (control.kind) {
        case ControlKind::ScaleBox:
            return {control.name.begin(), control.name.end()};
        case ControlKind::Table:
            return Wide(control.accessibleName);
        default:
            return Wide(control.text);
    }
}

// MSAA names an edit box after the static text just before it in the z-order,
// the order Tab goes by: each box is made right after its caption. A caption
// takes no Tab stop, so the boxes and buttons keep the description's Tab order.
std::vector<const ControlDescription*> CreationOrder(const WindowDescription& window) {
    const auto isCaption = [&window](const ControlDescription& label) {
        return std::ranges::any_of(window.controls, [&label](const ControlDescription& box) {
            return box.scale && CaptionName(*box.scale) == label.name;
        });
    };
    std::vector<const ControlDescription*> order;
    for (const ControlDescription& control : window.controls) {
        if (control.scale) {
            order.push_back(&window.Control(CaptionName(*control.scale)));
        }
        if (!isCaption(control)) {
            order.push_back(&control);
        }
    }
    return order;
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
    m_controls.assign(m_description.controls.size(), nullptr);
    HWND previous = HWND_TOP;
    for (const ControlDescription* control : CreationOrder(m_description)) {
        previous = NewControl(*control, previous);
        m_controls[static_cast<std::size_t>(control - m_description.controls.data())] = previous;
        // Until the window says otherwise, its first stop takes the focus
        // whenever it is activated, also when it was shown without it.
        if (m_focus == nullptr && (GetWindowLongW(previous, GWL_STYLE) & WS_TABSTOP) != 0) {
            m_focus = previous;
        }
    }
}

// Made after `previous` in the z-order.
HWND DescribedWindow::NewControl(const ControlDescription& control, HWND previous) {
    // Controls inside a frame are its siblings, placed from its corner, so
    // that their colours and focus are the window's to handle.
    TwipsRect rect = control.rect;
    if (!control.parent.empty()) {
        const TwipsRect& parent = m_description.Control(control.parent).rect;
        rect.left += parent.left;
        rect.top += parent.top;
    }
    const Native native = NativeOf(control);
    HWND handle = CreateWindowExW(
        native.extendedStyle, native.windowClass, WindowText(control).c_str(),
        WS_CHILD | WS_VISIBLE | native.style, Pixels(rect.left), Pixels(rect.top),
        Pixels(rect.width), Pixels(rect.height), m_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(m_description, control.name))),
        GetModuleHandleW(nullptr), nullptr);
    HFONT font = m_fonts.front();
    if (control.font) {
        font = m_fonts.emplace_back(NewFont(*control.font));
    }
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (control.colour) {
        m_labelColours.emplace_back(handle, *control.colour);
    }
    // Tab goes through the controls in their z-order.
    SetWindowPos(handle, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return handle;
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
            const auto coloured = std::ranges::find(m_labelColours, reinterpret_cast<HWND>(lParam),
                                                    &std::pair<HWND, Colour>::first);
            if (coloured == m_labelColours.end()) {
                break;
            }
            const InkOnPaper label = m_colours.Label(coloured->second);
            HDC context = reinterpret_cast<HDC>(wParam);
            SetTextColor(context, label.text);
            SetBkColor(context, label.back);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) {
                Recolour();
            }
            break;
        case WM_SYSCOLORCHANGE:
            Recolour();
            break;
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

// High Contrast turned on or off, or the system's colours changed: the
// window and its controls, the common controls among them, repaint in them.
void DescribedWindow::Recolour() {
    m_colours = WindowColours::Now();
    for (HWND control : m_controls) {
        SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
    }
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
