#include "app/win32/table_grid.hpp"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "app/win32/look.hpp"

namespace kestal {

namespace {

// Rows kept in view on either side of a run's, to read it in its context.
constexpr int kContextRows = 2;

}  // namespace

TableGrid::TableGrid(HWND list, const std::vector<TableRow>& rows)
    : m_list(list), m_bold([] {
          const WindowDescription& window = TableWindowDescription();
          FontDescription font = window.Control("Grid1").font.value_or(window.font);
          font.bold = true;
          return NewFont(font);
      }()) {
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int column = 0; column < kTableColumns; ++column) {
        const TableColumn& described = TableColumns()[static_cast<std::size_t>(column)];
        std::wstring caption(described.caption.begin(), described.caption.end());
        LVCOLUMNW added{};
        added.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        // Figures to the right, so that their units stand one above the other.
        added.fmt = described.scale ? LVCFMT_RIGHT : LVCFMT_LEFT;
        added.cx = Pixels(described.width);
        added.pszText = caption.data();
        added.iSubItem = column;
        ListView_InsertColumn(m_list, column, &added);
    }
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const TableRow& cells = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < kTableColumns; ++column) {
            std::wstring text(cells[static_cast<std::size_t>(column)].begin(),
                              cells[static_cast<std::size_t>(column)].end());
            if (column == 0) {
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = row;
                item.pszText = text.data();
                ListView_InsertItem(m_list, &item);
            } else {
                ListView_SetItemText(m_list, row, column, text.data());
            }
        }
    }
}

TableGrid::~TableGrid() {
    DeleteObject(m_bold);
}

void TableGrid::Show(const TableRunView& view, bool scroll) {
    const bool recoloured = view.source != m_run.source || view.target != m_run.target;
    m_run = view;
    SelectRun();
    if (scroll && m_run.firstRow > 0) {
        const int rows = ListView_GetItemCount(m_list);
        ListView_SetItemState(m_list, m_run.firstRow - 1, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(m_list, std::min(m_run.lastRow - 1 + kContextRows, rows - 1), FALSE);
        ListView_EnsureVisible(m_list, std::max(m_run.firstRow - 1 - kContextRows, 0), FALSE);
    }
    if (recoloured) {
        InvalidateRect(m_list, nullptr, FALSE);
    }
}

void TableGrid::SelectRun() {
    m_selecting = true;
    ListView_SetItemState(m_list, -1, 0, LVIS_SELECTED);
    for (int row = m_run.firstRow; row > 0 && row <= m_run.lastRow; ++row) {
        ListView_SetItemState(m_list, row - 1, LVIS_SELECTED, LVIS_SELECTED);
    }
    m_selecting = false;
}

bool TableGrid::ChangedByUser(const NMLISTVIEW& change) const {
    return !m_selecting && (change.uChanged & LVIF_STATE) != 0 &&
           ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0;
}

LRESULT TableGrid::CustomDraw(NMLVCUSTOMDRAW& draw, const WindowColours& colours) const {
    // The run's rows stand out whether or not the list has the focus, in
    // colours of their own.
    const auto row = static_cast<int>(draw.nmcd.dwItemSpec) + 1;
    draw.nmcd.uItemState &= ~CDIS_SELECTED;
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const CellRole role = m_run.RoleOf(row, draw.iSubItem);
            const bool source = role.column == CellColumn::Source;
            const InkOnPaper cell = colours.Cell(role);
            draw.clrText = cell.text;
            draw.clrTextBk = cell.back;
            // Every cell names its font, or it would keep the last one chosen.
            SelectObject(draw.nmcd.hdc, source ? m_bold : GetWindowFont(m_list));
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

}  // namespace kestal
