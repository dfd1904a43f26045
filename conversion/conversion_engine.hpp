#pragma once

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
    // number fails before any is handed over.
    [[nodiscard]] ConversionOutcome Convert(Scale source, std::u16string_view text,
                                            const TargetSink& sink) const;

    const NumberText& Numbers() const { return m_numbers; }

private:
    NumberText m_numbers;
    const ConversionTable& m_table;
};

}  // namespace kestal
