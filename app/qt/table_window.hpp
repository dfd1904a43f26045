#pragma once

#include <QWidget>

#include "app/table/table_window_model.hpp"
#include "app/window/box_notes.hpp"

class QLabel;

namespace kestal {

class PlotWidget;
class TableGrid;

// The table window: the conversion table with the rows and the source column
// of the main window's last run marked, a status line saying in words what the
// run went by, and the curve behind the figure of the chosen target. Modeless,
// it follows every run; it closes with its close box and with Escape.
class TableWindow : public QWidget {
    Q_OBJECT

public:
    explicit TableWindow(const NumberText& numbers);

    // The main window's notes after a run, or once its boxes are emptied.
    void Follow(const BoxNotes& notes);
    // Shows it at its design place against the main window, kept on the
    // screen, leaving the focus where it is: the user goes on typing.
    void ShowBeside(QWidget& mainWindow);

private:
    void Redraw();

    TableWindowModel m_model;
    TableGrid* m_grid;
    QLabel* m_status;
    PlotWidget* m_plot;
};

}  // namespace kestal
