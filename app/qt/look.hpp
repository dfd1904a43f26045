#pragma once

#include <QFont>

#include "app/window_description.hpp"

class QWidget;

namespace kestal {

// The font the design names, or the nearest one installed: Debian has neither
// MS Sans Serif nor Times New Roman, but Liberation Sans and Liberation Serif
// keep their widths, so texts wrap where they were meant to.
QFont FontOf(const FontDescription& font);

// Text in a colour of its own (the red hint, the blue credit line).
void SetTextColour(QWidget* widget, Colour colour);

}  // namespace kestal
