#include <windows.h>

#include "app/win32/form1.hpp"
#include "platform/win32/locale_numbers.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    kestal::Form1 form1(kestal::UserNumberSymbols());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // F8, before whichever control of the main window has the focus takes it.
        if (form1.Shortcut(message)) {
            continue;
        }
        // Tab, Shift+Tab and the access letters, within the window the key is for.
        HWND window = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (window != nullptr && IsDialogMessageW(window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
