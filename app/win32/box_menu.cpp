#include "app/win32/box_menu.hpp"

#include <windowsx.h>

#include <string>

#include "app/win32/control_ids.hpp"
#include "app/window_description.hpp"

namespace kestal {

namespace {

// Each standard entry's identifier is the message it sends the box, as in the
// edit control's own menu; 0 is a separator.
struct EditEntry {
    UINT message;
    const wchar_t* label;
};
constexpr EditEntry kEditEntries[] = {{EM_UNDO, L"&Annuler"}, {0, nullptr},
                                      {WM_CUT, L"Co&uper"},   {WM_COPY, L"&Copier"},
                                      {WM_PASTE, L"C&oller"}, {WM_CLEAR, L"&Supprimer"},
                                      {0, nullptr},           {EM_SETSEL, L"Sélectionner &tout"}};

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

void Append(HMENU menu, UINT id, const std::wstring& label, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, label.c_str());
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
    for (const EditEntry& entry : kEditEntries) {
        if (entry.message == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            Append(menu, entry.message, entry.label, Applies(edit, entry.message));
        }
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    Append(menu, kCopySevenValuesCommand, {kCopySevenValues.begin(), kCopySevenValues.end()}, true);
    Append(menu, kCopyForReportCommand, {kCopyForReport.begin(), kCopyForReport.end()}, true);
    HWND window = GetParent(edit);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
    DestroyMenu(menu);
    if (chosen == kCopySevenValuesCommand || chosen == kCopyForReportCommand) {
        SendMessageW(window, WM_COMMAND, chosen, 0);
    } else if (chosen == EM_SETSEL) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
    } else if (chosen != 0) {
        SendMessageW(edit, chosen, 0, 0);
    }
}

}  // namespace kestal
