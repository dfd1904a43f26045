#pragma once

// What the table window shows, toolkit-free: its rows once, and after each
// run what changes with it. Each front end keeps one model while its table
// window is open, passes it the main window's notes after every run (and
// once the boxes are emptied), passes it the user's choice of the plot's
// target, and draws View().

#include <optional>
#include <string>
#include <vector>

#include "app/table/plot_view.hpp"
#include "app/table/table_contents.hpp"
#include "app/window/box_notes.hpp"

namespace kestal {

// What a cell of the table stands for after a run, which each front end shows
// in colours of its own: whether its row is one the run went by, and whether
// its column is the typed scale's, the plotted one's, or another.
enum class CellColumn { Other, Source, Target };
struct CellRole {
    bool runRow = false;
    CellColumn column = CellColumn::Other;
};

struct TableRunView {
    std::optional<Scale> source;  // the marked column's scale
    int firstRow = 0;             // the highlighted rows, the bracket's two or the exact row
    int lastRow = 0;              // hit; 0 for none
    std::u16string status;        // what the source box's tooltip says
    std::optional<Scale> target;  // the plot's y scale, once there is a source
    PlotView plot;

    // The role of the cell on `row` (1 to 97; 0 the captions) in `column` of
    // TableColumns().
    CellRole RoleOf(int row, int column) const;
};

class TableWindowModel {
public:
    // The model reads `table` for as long as it lives.
    explicit TableWindowModel(NumberText numbers,
                              const ConversionTable& table = ConversionTable::BuiltIn());
    TableWindowModel(NumberText, ConversionTable&&) = delete;

    const std::vector<TableRow>& Rows() const { return m_rows; }
    const TableRunView& View() const { return m_view; }

    // The notes of the main window after a run, or once its boxes are emptied.
    void Follow(const BoxNotes& notes);
    // The user clicked column `column` (TableColumns()): its scale becomes the
    // plot's target, unless it is the row numbers or the source.
    void Choose(int column);
    // The next (+1) or previous (-1) target to the right or left, going round.
    void ChooseNext(int step);
    // The curve drawn `width` by `height` twips, where a front end shows the
    // plot at another size than the window's description (a phone's width).
    void ResizePlot(int width, int height);

private:
    void Show();

    NumberText m_numbers;
    const ConversionTable& m_table;
    std::vector<TableRow> m_rows;
    std::optional<ConversionReasons> m_run;
    std::u16string m_status;
    std::optional<Scale> m_chosen;
    int m_plotWidth;
    int m_plotHeight;
    TableRunView m_view;
};

}  // namespace kestal
