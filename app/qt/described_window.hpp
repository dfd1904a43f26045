#pragma once

#include <QList>

#include "app/window/window_description.hpp"

class QWidget;

namespace kestal {

// Gives `window` what its description says (name, caption, fixed client size,
// font, the program's icon) and creates its controls with their tab order.
// Returns the controls in the description's order.
QList<QWidget*> BuildWindow(QWidget& window, const WindowDescription& description);

// Design twips as pixels at 96 dots per inch; Qt's high-DPI scaling takes it
// from there.
constexpr int Pixels(int twips) {
    return twips / kTwipsPerPixelAt96Dpi;
}
// The same scale for a place that falls between pixels, such as a point of a plot.
constexpr double Pixels(double twips) {
    return twips / kTwipsPerPixelAt96Dpi;
}

// Puts the client area of `window` where the design puts it against the main
// window's, and keeps it above the main window, as a window of the program.
void PlaceBeside(QWidget& window, const WindowDescription& description, QWidget& mainWindow);

}  // namespace kestal
