#pragma once

#include <windows.h>

#include <string>

#include "app/window/announcements.hpp"

namespace kestal {

// What the main window tells a screen reader of changes away from the focus
// (a run's figures in the other boxes, the boxes emptied, the table window
// opened): a static text of no size, the window's last control, marked as a
// polite live region (Windows 8 and later). Each announcement becomes its
// text, and the live region's change is raised for Narrator and NVDA to say.
class LiveStatus {
public:
    explicit LiveStatus(HWND window);
    LiveStatus(const LiveStatus&) = delete;
    LiveStatus& operator=(const LiveStatus&) = delete;
    ~LiveStatus();

    // At once, or once no other announcement has come for kSettleMilliseconds.
    void Say(const Announcement& announcement);
    // The window's WM_TIMER: true if it was the settling one, now said.
    bool Settled(WPARAM timer);

private:
    void Show();

    HWND m_window;
    HWND m_static;
    std::u16string m_pending;
    bool m_com;
};

}  // namespace kestal
