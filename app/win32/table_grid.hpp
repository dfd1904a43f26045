#pragma once

#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <optional>
#include <vector>

#include "app/table/table_contents.hpp"
#include "app/table/table_window_model.hpp"
#include "app/win32/colours.hpp"

namespace kestal {

// The table window's grid: the comctl32 list view in report view, its header
// the table's columns and its items the table's rows, filled once. The rows a
// run went by are its selection, which is what screen readers announce, and
// stand out even while the list has no focus. The typed scale's column is in
// bold, and it and the plotted scale's have colours of their own
// (WindowColours::Cell).
class TableGrid {
public:
    TableGrid(HWND list, const std::vector<TableRow>& rows);
    TableGrid(const TableGrid&) = delete;
    TableGrid& operator=(const TableGrid&) = delete;
    ~TableGrid();

    // After a run, `scroll` brings its rows into view and the keyboard to the first.
    void Show(const TableRunView& view, bool scroll);
    // The user moved the selection off the run's rows: they are selected again,
    // where they are, while the keyboard stays where the user took it.
    void SelectRun();
    // Whether the list's selection change that it notifies came from the user.
    bool ChangedByUser(const NMLISTVIEW& change) const;
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw, const WindowColours& colours) const;

private:
    HWND m_list;
    HFONT m_bold;
    bool m_selecting = false;
    TableRunView m_run;
};

}  // namespace kestal
