#include "app/win32/box_tips.hpp"

#include <commctrl.h>

#include <string>

#include "app/win32/look.hpp"

namespace kestal {

namespace {

// The box itself is the tool, and the control watches its mouse messages.
// The version 5 size: comctl32 5 refuses a larger one.
TTTOOLINFOW ToolOf(HWND window, HWND box, wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = text;
    return tool;
}

}  // namespace

BoxTips::BoxTips(HWND window) : m_window(window) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    m_tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    // A reason is a long sentence: wrapped at a readable width, and shown for
    // longer than the default five seconds.
    SendMessageW(m_tips, TTM_SETMAXTIPWIDTH, 0, Pixels(5400));
    SendMessageW(m_tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(30000, 0));
}

void BoxTips::Add(HWND box) {
    wchar_t none[] = L"";
    TTTOOLINFOW tool = ToolOf(m_window, box, none);
    SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void BoxTips::Set(HWND box, std::u16string_view reason) {
    std::wstring text(reason.begin(), reason.end());
    TTTOOLINFOW tool = ToolOf(m_window, box, text.data());
    SendMessageW(m_tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace kestal
