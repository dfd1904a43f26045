#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <vector>

#include "app/qt/look.hpp"
#include "app/table/table_window_model.hpp"

namespace kestal {

// The conversion table's rows for a QTableView, under the columns' captions,
// with what the last run went by marked: the source column tinted, caption
// and all (a bold caption would no longer fit its column), the rows it went
// by tinted, the plot's target in the curve's colour with its caption
// underlined; in the colours the view's palette allows (CellColoursOf).
class TableRowsModel : public QAbstractTableModel {
public:
    TableRowsModel(const QWidget& view, QObject* parent);

    void SetRows(std::vector<TableRow> rows);
    void Mark(const TableRunView& view);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool IsSource(int column) const;
    bool IsTarget(int column) const;

    CellColours Colours(int row, int column) const;
    static QVariant Brush(const QColor& colour);

    const QWidget& m_view;
    QFont m_headerFont;
    std::vector<TableRow> m_rows;
    TableRunView m_run;
};

}  // namespace kestal
