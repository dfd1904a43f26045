#pragma once

#include <QWidget>

#include "app/table/plot_view.hpp"

namespace kestal {

// Draws a PlotView, its twips mapped to pixels as the controls' are, on the
// palette's base in its text colour, as a chart on paper. Screen readers get
// it as a chart, named with its title and described by its marked values.
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
