#pragma once

// The checks of Kestal's validation record, which a lab files before first use
// and after every change: every cell of the table typed into the program as a
// user types it, the table's order, the interpolation at the middle of every
// pair of rows against exact decimal arithmetic, and the limits and refusals.
// The figures expected are worked out here from the table's cells alone, never
// through the conversion code they check.
//   validation_checks  runs the checks through a Typing
//   validation_record  writes them out, as text or as a page to print

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/conversion_engine.hpp"

namespace kestal {

// What the window shows once a text is typed in one box and the key released:
// the seven boxes, by Scale, and whether the failure message was shown.
struct TypedBoxes {
    std::array<std::u16string, kScaleCount> texts;
    bool refused = false;
};

// Typing `text` in the empty box of `source`, the six others empty too.
using Typing = std::function<TypedBoxes(Scale source, std::u16string_view text)>;

// The program's own typing: seven boxes in memory and the key-release run the
// windows use.
Typing TypingThrough(const ConversionEngine& engine);

struct CheckSection {
    int checked = 0;                     // comparisons made
    std::vector<std::u16string> faults;  // each one that failed, in words
};

struct ValidationChecks {
    int typedRows = 0;  // table reproduced: cells typed
    CheckSection reproduced;
    CheckSection order;  // one comparison per row with a value
    int midpoints = 0;   // interpolation: middles typed
    int ties = 0;        // of the comparisons, exact halves either neighbour passes
    CheckSection interpolation;
    CheckSection limits;

    bool Conforms() const {
        return reproduced.faults.empty() && order.faults.empty() && interpolation.faults.empty() &&
               limits.faults.empty();
    }
};

// Runs every check on `table` through `typing`, numbers written as `numbers`
// writes them.
ValidationChecks RunValidationChecks(const ConversionTable& table, const NumberText& numbers,
                                     const Typing& typing);

// A decimal of `tenths` tenths (or of `hundredths` hundredths), written with
// the locale's digits and separator: the exact text of a figure, independently
// of the conversion's own formatting. 805 tenths is "80,5" under a comma.
std::u16string DecimalText(long tenths, const NumberSymbols& symbols);
std::u16string HundredthsText(long hundredths, const NumberSymbols& symbols);

// The exact middle of two one-decimal figures, rounded to one decimal half
// away from zero: both roundings of an exact half, which single precision may
// land either side of. (57,3 ; 57,8) gives 57,55, so 57,5 or 57,6.
struct Middle {
    long hundredths;  // the exact middle
    long low, high;   // the tenths it may be shown as; equal but for a half
};
Middle MiddleOf(long lowerTenths, long upperTenths);

}  // namespace kestal
