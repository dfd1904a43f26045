#pragma once

// What the main window says about a conversion besides its figures: the
// reason behind each box, shown as its tooltip, and the report that
// "Copier pour un rapport" puts on the clipboard. Worded here once, from the
// reasons the engine gives, for every front end.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/conversion_engine.hpp"

namespace kestal {

struct BoxNotes {
    std::array<std::u16string, kScaleCount> reasons;  // by Scale, "" for none
    // The typed value, then one line per converted value with where it comes from.
    std::u16string report;
    // What the run went by, for the table window; none once the boxes are emptied.
    std::optional<ConversionReasons> run;
};

// The notes on a run from `typed` in the box of `reasons.source` that ended
// Converted, its boxes showing `shown` (by Scale).
BoxNotes NotesOf(const ConversionReasons& reasons, std::u16string_view typed,
                 const std::array<std::u16string, kScaleCount>& shown, const NumberText& numbers);

// "Copier les sept valeurs": the seven scale names, then the seven texts (an
// empty box an empty field), each a tab-separated line, so that a spreadsheet
// pastes two rows.
std::u16string SevenValues(const std::array<std::u16string, kScaleCount>& texts);

}  // namespace kestal
