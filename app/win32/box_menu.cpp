#include "app/win32/box_menu.hpp"

#include <windowsx.h>

#include <string>

#include "app/win32/control_ids.hpp"
#include "app/window/window_description.hpp"

namespace kestal {

namespace {

// Each standard entry's identifier is the message it sends the box, as in the
// edit control's own menu.
UINT MessageOf(EditCommand command) {
    switch (command) {
        case EditCommand::Undo:
            return EM_UNDO;
        case EditCommand::Cut:
            return WM_CUT;
        case EditCommand::Copy:
            return WM_COPY;
        case EditCommand::Paste:
            return WM_PASTE;
        case EditCommand::Delete:
            return WM_CLEAR;
        case EditCommand::SelectAll:
            break;
    }
    return EM_SETSEL;
}

bool Applies(HWND edit, UINT message) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(edit));
    switch (message) {
        case EM_UNDO:
            return SendMessageW(edit, EM_CANUNDO, 0, 0) != 0;
        case WM_PASTE:
            return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
        case EM_SETSEL:
            return length > 0 && !(start == 0 && end == length);
        default:
            return start != end;
    }
}

void Append(HMENU menu, UINT id, std::u16string_view label, bool enabled) {
    const std::wstring text(label.begin(), label.end());
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text.c_str());
}

}  // namespace

void ShowBoxMenu(HWND edit, LPARAM where) {
    SetFocus(edit);
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        RECT box{};
        GetWindowRect(edit, &box);
        at = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    HMENU menu = CreatePopupMenu();
    for (const EditEntry& entry : BoxEditEntries()) {
        if (entry.separatorBefore) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        }
        const UINT message = MessageOf(entry.command);
        Append(menu, message, entry.text, Applies(edit, message));
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    Append(menu, kCopySevenValuesCommand, kCopySevenValues, true);
    Append(menu, kCopyForReportCommand, kCopyForReport, true);
    Append(menu, kShowInTableCommand, kShowInTable, true);
    HWND window = GetParent(edit);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
    DestroyMenu(menu);
    if (chosen == kCopySevenValuesCommand || chosen == kCopyForReportCommand ||
        chosen == kShowInTableCommand) {
        SendMessageW(window, WM_COMMAND, chosen, 0);
    } else if (chosen == EM_SETSEL) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
    } else if (chosen != 0) {
        SendMessageW(edit, chosen, 0, 0);
    }
}

}  // namespace kestal
