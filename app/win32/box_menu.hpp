#pragma once

#include <windows.h>

namespace kestal {

// The context menu of a scale box at `where` (WM_CONTEXTMENU's point, -1 from
// the keyboard): the standard entries of an edit box, as French Windows words
// them, then the main window's two copies and "Voir dans la table". The box's
// window greys the copies at WM_INITMENUPOPUP and receives all three as
// WM_COMMAND, as from its own menu.
void ShowBoxMenu(HWND edit, LPARAM where);

}  // namespace kestal
