#pragma once

#include <QWidget>

#include "app/plot_view.hpp"

namespace kestal {

// Draws a PlotView, its twips mapped to pixels as the controls' are, in black
// on white whatever the desktop's colours, as a chart printed on paper.
// Screen readers get its title as its name.
class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent);

    void Draw(PlotView plot);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PlotView m_plot;
};

}  // namespace kestal
