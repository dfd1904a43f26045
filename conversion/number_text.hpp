#pragma once

// Numbers as the user reads and writes them. Locale rules live here and only
// here: everything past these functions works on numbers.

#include <optional>
#include <string>
#include <string_view>

#include "conversion/number_symbols.hpp"

namespace kestal {

// A typed number at both precisions a conversion uses: the single finds the
// bracket, the double gives the offset within it.
struct TypedNumber {
    float single;
    double value;
};

class NumberText {
public:
    explicit NumberText(NumberSymbols symbols) : m_symbols(std::move(symbols)) {}

    // Reads the whole text as a number:
    //   [sign] digits [separator [digits]] [exponent], or [sign] separator digits,
    // with blanks allowed around it. "12," reads as 12 and ",5" as 0.5, so that
    // no prefix typed on the way to a number is refused; "-" and "1e" are not
    // numbers yet. Group separators, a second separator, a point under a comma
    // locale, infinities and NaN are refused. The ASCII signs, digits and "e"
    // count under every locale: they are what a keyboard gives.
    //
    // The single is the one nearest the decimal (no detour through double,
    // whose second rounding could move a halfway case). A value beyond the
    // single range is refused; one too small for the precision reads as 0.
    std::optional<TypedNumber> Parse(std::u16string_view text) const;

    // The value with pattern "0.0": at least one digit before the decimal
    // separator, exactly one after it, no grouping (2220 -> "2220,0").
    //
    // Halves: the single is first written with seven significant digits, as a
    // single-precision value is shown, and that decimal is rounded half away
    // from zero. So 57.55f, which is 57.5499992..., gives "57,6" like the 57.55
    // it stands for. A value that rounds to zero keeps its sign ("-0,0"). A
    // value that is not finite has no text and gives "".
    std::u16string FormatOneDecimal(float value) const;

    // A table cell as the table writes it: its tenth only where it has one
    // (586 -> "586", 57.3f -> "57,3"). Row numbers are written the same way.
    std::u16string FormatAsTable(float value) const;

    const NumberSymbols& Symbols() const { return m_symbols; }

private:
    NumberSymbols m_symbols;
};

}  // namespace kestal
