#pragma once

#include <memory>
#include <string_view>

#include "app/table/table_window_model.hpp"
#include "app/win32/described_window.hpp"
#include "app/win32/table_grid.hpp"

namespace kestal {

// The table window: the conversion table with the rows the last run went by
// selected, a status line saying what it went by, and the curve behind it.
// It follows the main window's runs while it is open, and leaves the main
// window in use: owned by it, so that it stays above it and goes with it, but
// never disabling it. Escape and its close box destroy its window.
class TableWindow final : public DescribedWindow {
public:
    // Shown beside the main window without taking the focus from its box.
    TableWindow(HWND mainWindow, const NumberText& numbers, const BoxNotes& notes);

    bool IsOpen() const { return Handle() != nullptr; }
    void Follow(const BoxNotes& notes);
    // Forward, with the focus in the table: the keyboard's way into the window.
    void Raise();

private:
    void Show(bool scroll);
    void Choose(int column);
    LRESULT Notified(NMHDR& header);

    void Clicked(std::string_view command) override;
    void Closing() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    TableWindowModel m_model;
    std::unique_ptr<TableGrid> m_grid;
    bool m_reselecting = false;
};

}  // namespace kestal
