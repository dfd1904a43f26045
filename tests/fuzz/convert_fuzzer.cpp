// One conversion of an arbitrary (scale, locale, text) through the engine with the
// built-in table, checking what the engine promises its callers. A broken promise
// aborts, so that libFuzzer keeps the input and the corpus replay fails on it.
//
// Input layout: the first byte picks the source scale (byte % 7) and the locale
// ((byte / 7) % 4) of kLocales; each byte after it is one UTF-16 unit of the
// typed text, as UnitOf reads it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "conversion/conversion_engine.hpp"
#include "tests/fuzz/fuzzing.hpp"

using namespace kestal;
using namespace kestal::fuzzing;

namespace {

// A converted value as a box shows it: a non-zero number with one digit after
// the locale's separator, which formatting its own reading gives back (zero is
// never a table value).
bool IsOneDecimal(const NumberText& numbers, std::u16string_view shown) {
    const std::u16string_view separator = numbers.Symbols().decimalPoint;
    const auto readBack = numbers.Parse(shown);
    return readBack && readBack->value != 0.0 && shown.size() > separator.size() + 1 &&
           shown.rfind(separator) == shown.size() - separator.size() - 1 &&
           numbers.FormatOneDecimal(readBack->single) == shown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const Scale source = kAllScales[data[0] % kScaleCount];
    const NumberSymbols& symbols = kLocales[(data[0] / kScaleCount) % 4];
    std::u16string text;
    for (std::size_t k = 1; k < size; ++k) {
        text += UnitOf(data[k]);
    }
    const ConversionEngine engine(symbols);
    const auto typed = engine.Numbers().Parse(text);
    // Both are nearest to the decimal, so they differ by a rounding at most
    // (subnormal singles have fewer bits, hence the absolute slack).
    Promise(
        !typed || std::abs(typed->single - typed->value) <= 1e-6 * std::abs(typed->value) + 1e-44,
        "the single and the double of one text are the same number");

    std::vector<std::pair<Scale, std::u16string>> handed;
    ConversionReasons reasons;
    const ConversionOutcome outcome = engine.Convert(
        source, text,
        [&](Scale target, std::u16string_view shown) { handed.emplace_back(target, shown); },
        &reasons);
    // Every built-in cell is finite and small, so no interpolation step can
    // leave the range: the only failure is a text that is not a number.
    Promise((outcome == ConversionOutcome::Converted) == typed.has_value(),
            "the outcome is the reading of the text");
    const auto order = TargetOrder(source);
    Promise(handed.size() == (typed ? order.size() : 0),
            "a conversion hands over six targets, a failed one none");
    for (std::size_t k = 0; k < handed.size(); ++k) {
        const auto& [target, shown] = handed[k];
        Promise(target == order[k] && reasons.targets[k].target == target,
                "targets are handed over in TargetOrder");
        const ReasonKind kind = reasons.targets[k].kind;
        Promise(shown.empty() != (kind == ReasonKind::Interpolated || kind == ReasonKind::ExactRow),
                "a target's reason agrees with its text");
        if (shown.empty()) {
            continue;
        }
        Promise(IsOneDecimal(engine.Numbers(), shown),
                "a target text is a non-zero one-decimal number in the locale");
    }
    return 0;
}
