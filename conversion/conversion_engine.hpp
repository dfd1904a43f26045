#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "conversion/conversion_table.hpp"
#include "conversion/number_text.hpp"
#include "conversion/scale.hpp"

namespace kestal {

// How a conversion ends. ConversionFailure is its one failure: the text is not
// a number (or not one a single holds), or an interpolation step left the
// floating-point range. It carries nothing but the fact.
enum class ConversionOutcome { Converted, ConversionFailure };

// Receives each target's text as soon as it is complete: a value with one
// decimal, or "" where the table has no correspondence.
using TargetSink = std::function<void(Scale target, std::u16string_view text)>;

// Why a target shows what it shows after a conversion.
enum class ReasonKind {
    Interpolated,    // between the bracket's two rows
    ExactRow,        // the typed value is the source value of `row`, whose target value it takes
    AfterRunEnd,     // the target's run ends on `row`, the bracket's lower row
    BeforeRunStart,  // the target's run starts on `row`, the bracket's upper row
    NoValueInEitherRow,  // the target has no value on either row of the bracket
    OutsideSourceRun,    // no bracket: the typed value lies outside the source column's run
};

// One row of a bracket: its number and its source and target cells.
struct ReasonRow {
    int row = 0;
    float source = 0;
    float target = 0;
};

struct TargetReason {
    Scale target = Scale::HV;
    ReasonKind kind = ReasonKind::OutsideSourceRun;
    int row = 0;             // the row the reason names (the lower one of an interpolation)
    ReasonRow lower, upper;  // rows i and i + 1 of the bracket; zeros without one
    float value = 0;         // the figure before it is written with one decimal, if any
};

// Everything a conversion went by, as numbers: the front ends word it.
struct ConversionReasons {
    Scale source = Scale::HV;
    double typed = 0;             // the value of the typed text
    std::optional<int> bracket;   // its lower row i
    std::optional<int> exactRow;  // the row whose source value the typed value is
    // First and last values of the source column (0 for a column without any),
    // which a value outside the table is told.
    float sourceFirst = 0;
    float sourceLast = 0;
    std::array<TargetReason, kScaleCount - 1> targets{};  // in TargetOrder(source)
};

// Lowest row i (1 to 99) whose source values enclose x: T(i) != 0 and
// T(i) <= x <= T(i+1). So a value equal to a row value is taken as the upper
// end of the row below, except the first value of a run, which is the lower
// end of its own row.
std::optional<int> FindBracket(const ConversionTable& table, Scale source, float x);

// Linear interpolation between two table rows, each step rounded to single
// precision in this order, as the table's figures have always been computed:
//   dx = T(i+1) - T(i), dy = C(i+1) - C(i),
//   d  = text - T(i) in double precision, then rounded to single,
//   r  = ((d * dy) / dx) + C(i).
class ConversionEngine {
public:
    explicit ConversionEngine(NumberSymbols symbols,
                              const ConversionTable& table = ConversionTable::BuiltIn())
        : m_numbers(std::move(symbols)), m_table(table) {}
    // The engine reads the table it is given for as long as it lives.
    ConversionEngine(NumberSymbols, ConversionTable&&) = delete;

    // Converts a non-empty `text` typed for `source` and hands the six other
    // scales' texts to `sink` in TargetOrder(source). On failure, the targets
    // handed over before it keep what they were given; a text that is not a
    // number fails before any is handed over. Given `reasons`, a conversion
    // that ends Converted leaves there why each target got its text.
    [[nodiscard]] ConversionOutcome Convert(Scale source, std::u16string_view text,
                                            const TargetSink& sink,
                                            ConversionReasons* reasons = nullptr) const;

    const NumberText& Numbers() const { return m_numbers; }

private:
    NumberText m_numbers;
    const ConversionTable& m_table;
};

}  // namespace kestal
