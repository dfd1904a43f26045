#pragma once

#include <QList>

#include "app/window_description.hpp"

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

}  // namespace kestal
