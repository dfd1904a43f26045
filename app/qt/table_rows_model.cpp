#include "app/qt/table_rows_model.hpp"

#include <QBrush>

#include "app/qt/look.hpp"
#include "app/qt/qt_text.hpp"

namespace kestal {

namespace {

// Light enough to leave every figure as readable as on white; where a run's
// row crosses its source column, the tint is deeper, so that the typed value's
// neighbours stand out.
const QColor kRowTint(255, 236, 170);
const QColor kSourceTint(222, 232, 250);
const QColor kRowInSourceTint(250, 206, 120);

}  // namespace

TableRowsModel::TableRowsModel(const QFont& headerFont, QObject* parent)
    : QAbstractTableModel(parent), m_headerFont(headerFont) {}

void TableRowsModel::SetRows(std::vector<TableRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void TableRowsModel::Mark(const TableRunView& view) {
    m_source = view.source;
    m_target = view.target;
    m_firstRow = view.firstRow;
    m_lastRow = view.lastRow;
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

bool TableRowsModel::IsSource(int column) const {
    return m_source && column == ColumnShowing(*m_source);
}

bool TableRowsModel::IsTarget(int column) const {
    return m_target && column == ColumnShowing(*m_target);
}

QVariant TableRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int row = index.row() + 1;
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(
                m_rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(column)]);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::BackgroundRole: {
            const bool runRow = row >= m_firstRow && row <= m_lastRow;
            if (runRow && IsSource(column)) {
                return QBrush(kRowInSourceTint);
            }
            if (runRow || IsSource(column)) {
                return QBrush(runRow ? kRowTint : kSourceTint);
            }
            return {};
        }
        case Qt::ForegroundRole:
            return IsTarget(column) ? QVariant(QBrush(ColourOf(kCurveColour))) : QVariant();
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
            return IsSource(section) ? QVariant(QBrush(kSourceTint)) : QVariant();
        case Qt::ForegroundRole:
            return IsTarget(section) ? QVariant(QBrush(ColourOf(kCurveColour))) : QVariant();
        default:
            return {};
    }
}

Qt::ItemFlags TableRowsModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

}  // namespace kestal
