#include "app/qt/table_window.hpp"

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <algorithm>

#include "app/qt/described_window.hpp"
#include "app/qt/plot_widget.hpp"
#include "app/qt/qt_text.hpp"
#include "app/qt/table_grid.hpp"
#include "app/window/window_description.hpp"

namespace kestal {

TableWindow::TableWindow(const NumberText& numbers) : m_model(numbers) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BuildWindow(*this, TableWindowDescription());
    m_grid = findChild<TableGrid*>(QStringLiteral("Grid1"));
    m_status = findChild<QLabel*>(QStringLiteral("Label1"));
    m_plot = findChild<PlotWidget*>(QStringLiteral("Picture1"));
    m_status->setTextFormat(Qt::PlainText);  // a reason is words, never markup
    m_grid->SetRows(m_model.Rows());
    // Brought to the front, the window gives the keyboard to the table.
    m_grid->setFocus();
    connect(m_grid, &TableGrid::ColumnChosen, this, [this](int column) {
        m_model.Choose(column);
        Redraw();
    });
    connect(m_grid, &TableGrid::NextChosen, this, [this](int step) {
        m_model.ChooseNext(step);
        Redraw();
    });
    // A plain window rather than a dialog, so Escape is given its meaning here.
    auto* close = new QAction(this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
    Redraw();
}

void TableWindow::Follow(const BoxNotes& notes) {
    m_model.Follow(notes);
    Redraw();
}

void TableWindow::ShowBeside(QWidget& mainWindow) {
    PlaceBeside(*this, TableWindowDescription(), mainWindow);
    if (const QScreen* screen = mainWindow.screen()) {
        const QRect room = screen->availableGeometry();
        QRect placed = geometry();
        placed.moveRight(std::min(placed.right(), room.right()));
        placed.moveBottom(std::min(placed.bottom(), room.bottom()));
        placed.moveLeft(std::max(placed.left(), room.left()));
        placed.moveTop(std::max(placed.top(), room.top()));
        setGeometry(placed);
    }
    show();
    // Laid out only now: the run's rows can be scrolled to.
    Redraw();
}

void TableWindow::Redraw() {
    const TableRunView& view = m_model.View();
    m_grid->ShowRun(view);
    const QString status = ToQString(view.status);
    m_status->setText(status);
    // Named as a status line, the line says what it says as its description.
    m_status->setAccessibleDescription(status);
    m_plot->Draw(view.plot);
}

}  // namespace kestal
