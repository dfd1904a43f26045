#include "app/win32/clipboard.hpp"

#include <cstring>
#include <string>

namespace kestal {

bool PutOnClipboard(HWND owner, std::u16string_view text) {
    std::wstring crlf;
    for (const char16_t c : text) {
        if (c == u'\n') {
            crlf += L'\r';
        }
        crlf += static_cast<wchar_t>(c);
    }
    const std::size_t bytes = (crlf.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return false;
    }
    void* locked = GlobalLock(memory);
    if (locked != nullptr) {
        std::memcpy(locked, crlf.c_str(), bytes);
        GlobalUnlock(memory);
    }
    // Once SetClipboardData has it, the memory is the system's.
    if (locked == nullptr || !OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!put) {
        GlobalFree(memory);
    }
    return put;
}

}  // namespace kestal
