#pragma once

// What a conversion must give, worked out for the validation record from the
// published figures alone, never through the conversion code, in two ways:
// exactly, in rational arithmetic, and digit for digit by the single-precision
// steps the program documents, written here a second time.

#include <array>
#include <optional>

#include "app/lab/published_figures.hpp"

namespace kestal {

// A decimal given to a box: 80,25 is 8025 at 2 places.
struct Decimal {
    long long units = 0;
    int places = 0;  // 0 to 9
};

// The single and the double nearest a decimal, as reading its text gives them.
float NearestSingle(Decimal value);
double NearestDouble(Decimal value);

// A single as the program writes it with one decimal, in tenths: first with
// seven significant digits, then that decimal rounded to tenths, halves away
// from zero. 57.5499992f, written 57.55000, gives 576, as does the 57.55 it
// stands for. Exact for magnitudes under 10^7, which every figure is.
long DocumentedTenths(float value);

// How far beyond half a tenth a figure may lie from the exact interpolation:
// single precision in the cells and in each step, and the seven significant
// digits a figure is written with before its tenth, in thousandths.
inline constexpr long kSingleSlackThousandths = 1;

class ExpectedFigures {
public:
    explicit ExpectedFigures(const PublishedFigures& figures);

    // The published figure of `scale` on `row` in tenths, and as the nearest
    // single; 0 for none.
    long Tenths(Scale scale, int row) const { return m_figures.Tenths(scale, row); }
    float Cell(Scale scale, int row) const { return m_cells[ColumnOf(scale)][row - 1]; }

    // The lower row i of the pair the program goes by for `x`: the lowest i
    // of 1 to 99 with T(i) != 0 and T(i) <= x <= T(i+1). A row's own figure is
    // so the upper end of the pair below, but for a scale's first figure.
    std::optional<int> Bracket(Scale source, float x) const;

    // The figure of `target` in tenths after the documented steps from the
    // pair `bracket`, x being the single of the text and `value` its double:
    //   dx = T(i+1) - T(i), dy = C(i+1) - C(i), d = value - T(i) in double
    //   then single, r = ((d * dy) / dx) + C(i), each step in single.
    // None where the box stays empty: a pair with no figure of the target on
    // either row, or on one of them but for x on the row that has it, or an r
    // written 0,0.
    std::optional<long> Figure(Scale source, int bracket, float x, double value,
                               Scale target) const;

    // Whether `tenths` lies within half a tenth, plus the slack above, of the
    // exact interpolation of `typed` between the published figures of the pair
    // `bracket`, the target having one on both rows.
    bool NearExact(Scale source, int bracket, Decimal typed, Scale target, long tenths) const;

private:
    const PublishedFigures& m_figures;
    std::array<std::array<float, ConversionTable::kRows>, kScaleCount> m_cells{};
};

}  // namespace kestal
