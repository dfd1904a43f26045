#pragma once

#include <QTableView>
#include <vector>

#include "app/table/table_window_model.hpp"

namespace kestal {

class TableRowsModel;

// The conversion table, a column of row numbers then one per scale, at the
// widths the design gives them. Nothing in it is edited or selected: a click
// on a column, its caption or a cell, and Left and Right, choose the plot's
// target instead; Up and Down move through the rows.
class TableGrid : public QTableView {
    Q_OBJECT

public:
    explicit TableGrid(QWidget* parent);

    void SetRows(std::vector<TableRow> rows);
    // Marks what the run went by and brings its rows into view, the current
    // cell on the first of them in the target's column, where a screen reader
    // finds the figure the target box shows.
    void ShowRun(const TableRunView& view);

Q_SIGNALS:
    void ColumnChosen(int column);
    void NextChosen(int step);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TableRowsModel* m_rows;
};

}  // namespace kestal
