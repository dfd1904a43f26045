#pragma once

#include <QColor>
#include <QFont>

#include "app/window_description.hpp"

class QWidget;

namespace kestal {

// The font the design names, or the first of its look-alikes installed.
QFont FontOf(const FontDescription& font);

QColor ColourOf(Colour colour);

// Text in a colour of its own (the red hint, the blue credit line).
void SetTextColour(QWidget* widget, Colour colour);

}  // namespace kestal
