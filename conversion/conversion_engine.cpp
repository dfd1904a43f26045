#include "conversion/conversion_engine.hpp"

#include <cfloat>
#include <cmath>

#include "conversion/conversion_table.hpp"

// Each step below must round to single precision; a target that evaluates
// float arithmetic in a wider type (x87) would keep digits the table never had.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must be evaluated in single precision");

namespace kestal {

namespace {

// A difference that left the single range (or met a non-finite cell) stops the
// conversion rather than showing a made-up figure.
bool Finite(float value) {
    return std::isfinite(value);
}

// A text that reads back as 0 ("0,0", "-0,0") is shown as an empty box.
bool ShowsZero(const QString& text) {
    for (const QChar c : text) {
        if (c.digitValue() > 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<int> FindBracket(const ConversionTable& table, Scale source, float x) {
    for (int row = 1; row < ConversionTable::kRows; ++row) {
        const float low = table.Value(source, row);
        const float high = table.Value(source, row + 1);
        if (low != 0.0f && x >= low && x <= high) {
            return row;
        }
    }
    return std::nullopt;
}

std::optional<ConversionFailure> ConversionEngine::Convert(Scale source, const QString& text,
                                                           const TargetSink& sink) const {
    const std::optional<TypedNumber> typed = m_numbers.Parse(text);
    if (!typed) {
        return ConversionFailure{};
    }
    const float x = typed->single;
    const std::optional<int> bracket = FindBracket(m_table, source, x);
    if (!bracket) {
        for (const Scale target : TargetOrder(source)) {
            sink(target, QString());
        }
        return std::nullopt;
    }

    const int i = *bracket;
    const float lowSource = m_table.Value(source, i);
    const float highSource = m_table.Value(source, i + 1);
    const float dx = highSource - lowSource;
    if (!Finite(dx)) {
        return ConversionFailure{};
    }
    // The bracket is found with the single value of the text, the offset taken
    // from its double value, so that digits beyond a single's still count.
    const auto d = static_cast<float>(typed->value - static_cast<double>(lowSource));
    if (!Finite(d)) {
        return ConversionFailure{};
    }

    for (const Scale target : TargetOrder(source)) {
        const float low = m_table.Value(target, i);
        const float high = m_table.Value(target, i + 1);
        const float dy = high - low;
        if (!Finite(dy) || dx == 0.0f) {
            return ConversionFailure{};
        }
        // Where the bracket straddles the edge of the target's run, one cell is
        // "no value", not a value of 0: interpolating towards it would invent a
        // figure. Only the row that has a value, hit exactly, gives one.
        if ((low == 0.0f) != (high == 0.0f)) {
            const bool onValuedRow =
                (x == highSource && high != 0.0f) || (x == lowSource && low != 0.0f);
            if (!onValuedRow) {
                sink(target, QString());
                continue;
            }
        }
        const float p = d * dy;
        const float q = p / dx;
        const float r = q + low;
        if (!Finite(r)) {
            return ConversionFailure{};
        }
        const QString shown = m_numbers.FormatOneDecimal(r);
        sink(target, ShowsZero(shown) ? QString() : shown);
    }
    return std::nullopt;
}

}  // namespace kestal
