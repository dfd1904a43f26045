#pragma once

#include <windows.h>

#include <string_view>

namespace kestal {

// Puts `text` on the clipboard as Unicode text, its "\n" written "\r\n" as
// Windows programs expect a line to end. False if the clipboard is busy.
bool PutOnClipboard(HWND owner, std::u16string_view text);

}  // namespace kestal
