#include "app/qt/table_grid.hpp"

#include <QHeaderView>
#include <QKeyEvent>

#include "app/qt/described_window.hpp"
#include "app/qt/table_rows_model.hpp"

namespace kestal {

TableGrid::TableGrid(QWidget* parent)
    : QTableView(parent), m_rows(new TableRowsModel(*this, this)) {
    setModel(m_rows);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setTabKeyNavigation(false);  // Tab leaves the table, as from any other control
    setCornerButtonEnabled(false);
    setWordWrap(false);
    // Column 0 already numbers the rows.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // One line of figures and a little air: more rows around a run's in view.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* captions = horizontalHeader();
    captions->setSectionResizeMode(QHeaderView::Fixed);
    captions->setHighlightSections(false);
    captions->setSectionsClickable(true);
    for (int column = 0; column < kTableColumns; ++column) {
        setColumnWidth(column, Pixels(TableColumns()[static_cast<std::size_t>(column)].width));
    }
    connect(captions, &QHeaderView::sectionClicked, this, &TableGrid::ColumnChosen);
    connect(this, &QTableView::clicked, this,
            [this](const QModelIndex& index) { Q_EMIT ColumnChosen(index.column()); });
}

void TableGrid::SetRows(std::vector<TableRow> rows) {
    m_rows->SetRows(std::move(rows));
}

void TableGrid::ShowRun(const TableRunView& view) {
    m_rows->Mark(view);
    const int row = view.firstRow > 0 ? view.firstRow - 1 : currentIndex().row();
    if (!view.target || row < 0) {
        return;
    }
    const QModelIndex current = m_rows->index(row, ColumnShowing(*view.target));
    setCurrentIndex(current);
    if (view.firstRow > 0) {
        scrollTo(current, PositionAtCenter);
    }
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
            Q_EMIT NextChosen(event->key() == Qt::Key_Left ? -1 : +1);
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

}  // namespace kestal
