#pragma once

#include <QColor>
#include <QFont>

#include "app/table/table_window_model.hpp"
#include "app/window/window_description.hpp"

class QPalette;
class QWidget;

namespace kestal {

// The font the design names, or the first of its look-alikes installed.
QFont FontOf(const FontDescription& font);

QColor ColourOf(Colour colour);

// The colours the windows add to the desktop's palette: the description's,
// the plot's and the table's marks. They were chosen for dark text on a light
// window; on a palette whose text is lighter than its background (a dark or
// high-contrast desktop) they would not read, and the palette's own roles
// stand in for them. Each is asked for as it is drawn, or again when the
// palette changes, so that a change of desktop colours is followed.

// A label's text in a colour of its own (the red hint, the blue credit
// line), against the palette of the window it stands in.
QColor TextColourOf(Colour described, const QPalette& window);
void SetTextColour(QWidget* widget, Colour colour, const QPalette& window);

// The plot's curve, and the figures of the scale it plots in the table.
QColor CurveColourOf(const QPalette& palette);
// The typed value and its figure marked on the curve.
QColor MarkColourOf(const QPalette& palette);

// A cell of the table: behind the rows a run went by, behind the typed
// scale's column, and the plotted scale's figures. An invalid colour leaves
// the palette's own.
struct CellColours {
    QColor background;
    QColor text;
};
CellColours CellColoursOf(const QPalette& palette, CellRole role);

}  // namespace kestal
