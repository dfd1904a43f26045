#pragma once

#include <cstddef>
#include <string_view>

#include "app/window/window_description.hpp"

namespace kestal {

// A control's Win32 identifier is its place in its window's description, past
// the identifiers the dialog manager sends for Enter and Escape (IDOK, IDCANCEL
// and their kin), so that neither key ever reaches a command.
inline constexpr int kFirstControlId = 100;

inline int ControlId(const WindowDescription& window, std::string_view name) {
    return kFirstControlId + static_cast<int>(&window.Control(name) - window.controls.data());
}

// The commands of the boxes' context menus, of Ctrl+Shift+C and of F8, sent to
// the main window as a menu sends them: below the controls, past the dialog
// manager's.
inline constexpr int kCopySevenValuesCommand = 50;
inline constexpr int kCopyForReportCommand = 51;
inline constexpr int kShowInTableCommand = 52;

// The main window's live region, which says a run's result to screen readers:
// no control of the description, since it takes no room on the screen.
inline constexpr int kLiveStatusId = 60;

// The class of every window of the program, as the test driver finds them.
inline constexpr wchar_t kWindowClass[] = L"KestalForm";

}  // namespace kestal
