#include "app/win32/clipboard.hpp"

#include <cstring>
#include <string>

namespace kestal {

namespace {

// Another program may hold the clipboard for a moment (a clipboard manager
// reading what was copied, a remote desktop passing it on): wait a little
// for it rather than lose the copy.
bool OpenClipboardSoon(HWND owner) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

}  // namespace

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
    if (locked == nullptr || !OpenClipboardSoon(owner)) {
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
