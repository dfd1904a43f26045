#pragma once

#include <QLocale>
#include <QString>
#include <functional>
#include <optional>

#include "conversion/number_text.hpp"
#include "conversion/scale.hpp"

namespace kestal {

class ConversionTable;

// The one failure a conversion has: the text is not a number (or not one a
// single holds), or an interpolation step left the floating-point range. It
// carries nothing but the fact.
struct ConversionFailure {};

// Receives each target's text as soon as it is complete: a value with one
// decimal, or "" where the table has no correspondence.
using TargetSink = std::function<void(Scale target, const QString& text)>;

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
    ConversionEngine(const ConversionTable& table, const QLocale& locale)
        : m_table(table), m_numbers(locale) {}
    // The engine reads the table it is given for as long as it lives.
    ConversionEngine(ConversionTable&&, const QLocale&) = delete;

    // Converts a non-empty `text` typed for `source` and hands the six other
    // scales' texts to `sink` in TargetOrder(source). On failure, the targets
    // handed over before it keep what they were given; a text that is not a
    // number fails before any is handed over.
    [[nodiscard]] std::optional<ConversionFailure> Convert(Scale source, const QString& text,
                                                           const TargetSink& sink) const;

private:
    const ConversionTable& m_table;
    NumberText m_numbers;
};

}  // namespace kestal
