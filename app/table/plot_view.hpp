#pragma once

// The curve behind a conversion, as the table window draws it: one scale (y)
// against another (x) over the rows where both have values, the rows as
// points joined by straight segments (exactly the interpolation a conversion
// does between two rows), the typed value and its figure marked with lines to
// both axes, and the axes with their ticks, named with the main window's
// captions. Everything is placed in twips within the plot control, (0, 0) at
// its top-left corner, so that a front end only draws lines, dots and texts.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/window/window_description.hpp"
#include "conversion/conversion_table.hpp"
#include "conversion/number_text.hpp"

namespace kestal {

struct PlotPoint {
    int row;      // the table row, 0 for the marked value
    float x;      // in the x scale
    float y;      // in the y scale
    double left;  // twips
    double top;
};

struct PlotLine {
    double left1, top1, left2, top2;
};

// Where a text stands against its anchor: its left end, middle or right end
// across, its top, middle or bottom down.
enum class PlotAlign { Start, Centre, End };

struct PlotText {
    std::u16string text;
    double left;
    double top;
    PlotAlign across;
    PlotAlign down;
    bool marked = false;  // the marked value's, in the mark's colour
};

struct PlotView {
    std::u16string title;  // what it shows, "HRC en fonction de HV", for screen readers
    // The marked values as the plot writes them, "Point marqué : 645 HV, 57,6 HRC", or why
    // there is no mark; empty where there is no curve.
    std::u16string description;
    std::vector<PlotPoint> curve;  // in row order, each joined to the next
    std::optional<PlotPoint> mark;
    std::vector<PlotLine> markLines;  // from the mark down to the x axis and across to the y axis
    std::vector<PlotLine> axes;       // the two axes, then their ticks
    std::vector<PlotText> texts;      // tick labels, marked values, axis names, or the words
                                      // that stand where there is no curve
};

inline constexpr Colour kCurveColour{0, 0, 160};
inline constexpr Colour kMarkColour{204, 0, 0};

// A typed value and the figure it gave in the plot's y scale.
struct PlotMark {
    double x;
    float y;
};

// The curve of `y` against `x` in a plot control `width` by `height` twips.
PlotView PlotOf(Scale x, Scale y, std::optional<PlotMark> mark, const ConversionTable& table,
                const NumberText& numbers, int width, int height);

// Only words, in the middle of the plot: what stands before any conversion.
PlotView WordsOnly(std::u16string_view words, int width, int height);

}  // namespace kestal
