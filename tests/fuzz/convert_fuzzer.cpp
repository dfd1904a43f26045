// One conversion of an arbitrary (scale, locale, text) through the engine with the
// built-in table, checking what the engine promises its callers. A broken promise
// aborts, so that libFuzzer keeps the input and the corpus replay fails on it.
//
// Input layout: the first byte picks the source scale (byte % 7) and the locale
// ((byte / 7) % 4); each byte after it is one UTF-16 unit of the typed text.
// ASCII bytes stand for themselves; bytes from 0x80 stand for the units that
// locales bring into play (0x80 + k is the Arabic-Indic digit k, then the
// Arabic separator and letter mark, the Unicode minus, no-break and narrow
// spaces, a lone surrogate), by their low four bits.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "conversion/conversion_engine.hpp"

namespace {

using namespace kestal;

// French is what the program falls back to; C and en_US write a decimal point;
// ar_EG writes its own digits, a two-unit minus sign and U+066B as the separator.
const NumberSymbols kLocales[] = {
    {u",", u"-", u"+", u"E"},
    {u".", u"-", u"+", u"e"},
    {u".", u"-", u"+", u"E"},
    {u"\u066b", u"\u061c-", u"\u061c+", u"\u0623\u0633", u'\u0660'},
};
constexpr char16_t kHighUnits[16] = {
    u'\u0660', u'\u0661', u'\u0662', u'\u0663', u'\u0664', u'\u0665', u'\u0666', u'\u0667',
    u'\u0668', u'\u0669', u'\u066b', u'\u061c', u'\u2212', u'\u00a0', u'\u202f', 0xD800};

// libFuzzer keeps the input that aborted; the promise names what broke.
void Promise(bool kept, const char* promise) {
    if (!kept) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
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
        text += data[k] < 0x80 ? char16_t{data[k]} : kHighUnits[data[k] & 15];
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
        // One digit after the locale's separator, and what formatting its own
        // reading gives back; zero is never a table value.
        const auto readBack = engine.Numbers().Parse(shown);
        const std::size_t separator = shown.size() - symbols.decimalPoint.size() - 1;
        Promise(readBack && readBack->value != 0.0 &&
                    shown.rfind(symbols.decimalPoint) == separator &&
                    engine.Numbers().FormatOneDecimal(readBack->single) == shown,
                "a target text is a non-zero one-decimal number in the locale");
    }
    return 0;
}
