#pragma once

#include <windows.h>

#include "app/table/plot_view.hpp"
#include "app/win32/colours.hpp"

namespace kestal {

// Draws `plot` over `area` of `context`, its twips mapped to pixels as the
// controls' are, its texts in `font`, in `colours`. Drawn off screen first and
// copied in one go, so that a run redrawing the curve at every key never flickers.
void PaintPlot(HDC context, const RECT& area, const PlotView& plot, HFONT font,
               const WindowColours& colours);

}  // namespace kestal
