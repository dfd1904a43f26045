#include "conversion/conversion_engine.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>

// Each step below must round to single precision; a target that evaluates
// float arithmetic in a wider type (x87) would keep digits the table never had.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must be evaluated in single precision");

namespace kestal {

namespace {

// A text that reads back as 0 ("0,0", "-0,0") is shown as an empty box.
bool ShowsZero(std::u16string_view text, char16_t zeroDigit) {
    return std::ranges::none_of(text, [zeroDigit](char16_t c) {
        return static_cast<char16_t>(c - zeroDigit - 1) < 9;  // a digit 1 to 9
    });
}

// The first and last values of a column: its run's ends where it has one,
// else whatever its shape.
void FindSourceEnds(const ConversionTable& table, Scale source, ConversionReasons& reasons) {
    const ConversionTable::Column& cells = table.Cells(source);
    if (const auto& run = table.RisingRun(source)) {
        reasons.sourceFirst = cells[run->first - 1];
        reasons.sourceLast = cells[run->last - 1];
        return;
    }
    const auto valued = [](float cell) { return cell != 0.0f; };
    if (const auto first = std::ranges::find_if(cells, valued); first != cells.end()) {
        reasons.sourceFirst = *first;
        reasons.sourceLast = *std::ranges::find_if(cells.rbegin(), cells.rend(), valued);
    }
}

}  // namespace

std::optional<int> FindBracket(const ConversionTable& table, Scale source, float x) {
    constexpr std::ptrdiff_t kBlock = 16;
    const ConversionTable::Column& cells = table.Cells(source);
    if (const auto& run = table.RisingRun(source)) {
        // One rising run: the rows outside it never match, and inside it the
        // lowest match is the row below the first value not under x.
        const float* low = cells.data() + run->first - 1;
        const float* high = cells.data() + run->last - 1;
        if (run->first == run->last || !(x >= *low && x <= *high)) {
            return std::nullopt;
        }
        // Counted rather than searched: a count has no branch on the values,
        // where a binary search through a series of measurements spread over a
        // scale mispredicts half its steps. First the whole blocks of 16 values
        // below x, then the values below x in the next block.
        const float* values = low + 1;
        const std::ptrdiff_t count = high - low;
        std::ptrdiff_t blocks = 0;
        for (std::ptrdiff_t end = kBlock; end <= count; end += kBlock) {
            blocks += values[end - 1] < x ? kBlock : 0;
        }
        std::ptrdiff_t below = blocks;
        for (std::ptrdiff_t k = blocks; k < std::min(blocks + kBlock, count); ++k) {
            below += values[k] < x ? 1 : 0;
        }
        return run->first + static_cast<int>(below);
    }
    for (int i = 0; i + 1 < ConversionTable::kRows; ++i) {
        if (cells[i] != 0.0f && x >= cells[i] && x <= cells[i + 1]) {
            return i + 1;
        }
    }
    return std::nullopt;
}

ConversionOutcome ConversionEngine::Convert(Scale source, std::u16string_view text,
                                            const TargetSink& sink,
                                            ConversionReasons* reasons) const {
    const std::optional<TypedNumber> typed = m_numbers.Parse(text);
    if (!typed) {
        return ConversionOutcome::ConversionFailure;
    }
    const float x = typed->single;
    const std::optional<int> bracket = FindBracket(m_table, source, x);
    const auto targets = TargetOrder(source);
    if (reasons != nullptr) {
        *reasons = ConversionReasons{
            .source = source, .typed = typed->value, .bracket = bracket, .exactRow = {}};
        FindSourceEnds(m_table, source, *reasons);
        for (std::size_t k = 0; k < targets.size(); ++k) {
            reasons->targets[k].target = targets[k];
        }
    }
    if (!bracket) {
        for (const Scale target : targets) {
            sink(target, {});
        }
        return ConversionOutcome::Converted;
    }

    // Rows i and i + 1, at indexes i - 1 and i: a bracket row is at most 99.
    const int i = *bracket;
    const ConversionTable::Column& sourceCells = m_table.Cells(source);
    const float lowSource = sourceCells[i - 1];
    const float highSource = sourceCells[i];
    const float dx = highSource - lowSource;
    // The bracket is found with the single value of the text, the offset taken
    // from its double value, so that digits beyond a single's still count.
    const auto d = static_cast<float>(typed->value - static_cast<double>(lowSource));
    // A difference that left the single range stops the conversion rather
    // than showing a made-up figure.
    if (!std::isfinite(dx) || !std::isfinite(d)) {
        return ConversionOutcome::ConversionFailure;
    }

    const std::optional<int> exactRow = x == highSource  ? std::optional(i + 1)
                                        : x == lowSource ? std::optional(i)
                                                         : std::nullopt;
    if (reasons != nullptr) {
        reasons->exactRow = exactRow;
    }
    // The figures first, then their texts, so that the targets' divisions do
    // not wait on one another's writing. A failure at one target leaves those
    // before it handed over, as if each had been written as it was worked out.
    std::array<std::optional<float>, kScaleCount - 1> figures;  // none: no value
    std::size_t worked = 0;
    for (; worked < targets.size(); ++worked) {
        const std::size_t k = worked;
        const Scale target = targets[k];
        const ConversionTable::Column& targetCells = m_table.Cells(target);
        const float low = targetCells[i - 1];
        const float high = targetCells[i];
        const float dy = high - low;
        if (!std::isfinite(dy) || dx == 0.0f) {
            break;
        }
        // Where the bracket straddles the edge of the target's run, one cell is
        // "no value", not a value of 0: interpolating towards it would invent a
        // figure. Only the row that has a value, hit exactly, gives one.
        const bool straddles = (low == 0.0f) != (high == 0.0f);
        const bool onValuedRow =
            (x == highSource && high != 0.0f) || (x == lowSource && low != 0.0f);
        const bool noValue = straddles && !onValuedRow;
        // With no value on either row, r is 0: the box is empty, whatever the
        // text of 0 would have been.
        const bool neither = low == 0.0f && high == 0.0f;
        if (reasons != nullptr) {
            TargetReason& reason = reasons->targets[k];
            reason.lower = {i, lowSource, low};
            reason.upper = {i + 1, highSource, high};
            reason.row = i;
            if (neither) {
                reason.kind = ReasonKind::NoValueInEitherRow;
            } else if (noValue) {
                reason.kind = low != 0.0f ? ReasonKind::AfterRunEnd : ReasonKind::BeforeRunStart;
                reason.row = low != 0.0f ? i : i + 1;
            } else if (exactRow) {
                reason.kind = ReasonKind::ExactRow;
                reason.row = *exactRow;
            } else {
                reason.kind = ReasonKind::Interpolated;
            }
        }
        if (noValue || neither) {
            continue;
        }
        const float p = d * dy;
        const float q = p / dx;
        const float r = q + low;
        if (!std::isfinite(r)) {
            break;
        }
        if (reasons != nullptr) {
            reasons->targets[k].value = r;
        }
        figures[k] = r;
    }
    for (std::size_t k = 0; k < worked; ++k) {
        if (!figures[k]) {
            sink(targets[k], {});
            continue;
        }
        const std::u16string shown = m_numbers.FormatOneDecimal(*figures[k]);
        sink(targets[k],
             ShowsZero(shown, m_numbers.Symbols().zeroDigit) ? std::u16string_view{} : shown);
    }
    if (worked < targets.size()) {
        return ConversionOutcome::ConversionFailure;
    }
    return ConversionOutcome::Converted;
}

}  // namespace kestal
