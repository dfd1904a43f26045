#include "app/qt/table_rows_model.hpp"

#include <QBrush>
#include <QWidget>

#include "app/qt/qt_text.hpp"

namespace kestal {

TableRowsModel::TableRowsModel(const QWidget& view, QObject* parent)
    : QAbstractTableModel(parent), m_view(view), m_headerFont(view.font()) {}

void TableRowsModel::SetRows(std::vector<TableRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void TableRowsModel::Mark(const TableRunView& view) {
    m_run = view;
    if (!m_rows.empty()) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int TableRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TableRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kTableColumns;
}

// No brush, the palette's own, for an invalid colour.
QVariant TableRowsModel::Brush(const QColor& colour) {
    return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
}

bool TableRowsModel::IsSource(int column) const {
    return m_run.RoleOf(0, column).column == CellColumn::Source;
}

bool TableRowsModel::IsTarget(int column) const {
    return m_run.RoleOf(0, column).column == CellColumn::Target;
}

// Row 0 for a caption.
CellColours TableRowsModel::Colours(int row, int column) const {
    return CellColoursOf(m_view.palette(), m_run.RoleOf(row, column));
}

QVariant TableRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(
                m_rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(column)]);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::BackgroundRole:
            return Brush(Colours(index.row() + 1, column).background);
        case Qt::ForegroundRole:
            return Brush(Colours(index.row() + 1, column).text);
        default:
            return {};
    }
}

QVariant TableRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kTableColumns) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(TableColumns()[static_cast<std::size_t>(section)].caption);
        case Qt::FontRole: {
            QFont font = m_headerFont;
            font.setUnderline(IsTarget(section));
            return font;
        }
        case Qt::BackgroundRole:
            return Brush(Colours(0, section).background);
        case Qt::ForegroundRole:
            return Brush(Colours(0, section).text);
        default:
            return {};
    }
}

Qt::ItemFlags TableRowsModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

}  // namespace kestal
