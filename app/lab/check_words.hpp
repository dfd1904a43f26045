#pragma once

// What the record's checks share: texts written in given conventions by the
// record's own code, the boxes a decimal must give, and the words of a fault.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/lab/expected_figures.hpp"
#include "app/lab/validation_checks.hpp"
#include "app/text/text_encoding.hpp"

namespace kestal {

std::u16string Number(long long value);  // ASCII digits: rows, counts
std::u16string Quoted(std::u16string_view text);
std::u16string NameOf(Scale scale);

// A decimal in the convention's digits and separator, all its places written:
// {8025, 2} is "80,25" under a comma.
std::u16string DecimalText(Decimal value, const NumberSymbols& symbols);

// A published figure as a user types it: "586", "80,7".
std::u16string TypedFigure(long tenths, const NumberSymbols& symbols);

// A figure shown with one decimal, read back by the record's own reader, in
// tenths: the convention's digits, its separator, one digit after it, and its
// minus sign before; none for any other text.
std::optional<long> ShownTenths(std::u16string_view text, const NumberSymbols& symbols);

// What a decimal given to the box of `source` must give: the pair of rows, and
// each box's text, by Scale ("" for an empty box; the source's own unused).
struct ExpectedBoxes {
    std::optional<int> bracket;
    std::array<std::u16string, kScaleCount> texts;
};
ExpectedBoxes Expect(const ExpectedFigures& expected, Scale source, Decimal typed,
                     const NumberSymbols& symbols);

// "« 235,0 » au lieu de « 240,0 »", "une case vide au lieu de ...".
std::u16string GotInsteadOf(std::u16string_view got, std::u16string_view expected);
// The same after a box's name: "HV : « 235,0 » au lieu de « 240,0 »".
std::u16string Mismatch(std::u16string_view box, std::u16string_view got,
                        std::u16string_view expected);

// "lignes 79 et 80", or "aucune paire de lignes".
std::u16string PairWords(std::optional<int> bracket);

// Compares the six boxes, the failure message and the pair of rows the run
// names with what is expected, and adds a fault for each difference, after
// `where`. The number of boxes compared.
int CompareBoxes(std::u16string_view where, Scale source, const TypedBoxes& shown,
                 const ExpectedBoxes& expected, std::vector<std::u16string>& faults);

// Gives each published figure to the box of its scale, which must show its
// row's figures in the six other boxes (an empty box where the row has none)
// and name the pair of rows the program goes by; each fault after `prefix`.
struct GivenFigures {
    int given = 0;
    int boxes = 0;    // compared
    int figures = 0;  // of them, where the row has a figure
};
GivenFigures GiveEveryFigure(const ExpectedFigures& expected, const Typing& typing,
                             const NumberSymbols& symbols, std::u16string_view prefix,
                             std::vector<std::u16string>& faults);

}  // namespace kestal
