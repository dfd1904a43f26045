#pragma once

// The published hardness figures a second time, for the validation record
// alone: written column by column as decimal text and read by the record's own
// exact-decimal reader, never by the conversion code, so that a slip in the
// program's table shows as a difference between the two.

#include <array>
#include <optional>
#include <string_view>

#include "conversion/conversion_table.hpp"

namespace kestal {

class PublishedFigures {
public:
    // The figures as this program carries them for its record.
    static const PublishedFigures& Reference();

    // The figure of `scale` on `row` (1 to 100) in tenths (80,7 is 807); 0
    // where the table gives none.
    long Tenths(Scale scale, int row) const { return m_tenths[ColumnOf(scale)][row - 1]; }

    // False if a figure of the text could not be read: then none is trusted.
    bool Read() const { return m_read; }

private:
    PublishedFigures();

    std::array<std::array<long, ConversionTable::kRows>, kScaleCount> m_tenths{};
    bool m_read = true;
};

// A figure as the published table prints it, digits and at most one decimal
// after a point, in tenths ("80.7" is 807, "586" is 5860); none for any other
// text.
std::optional<long> ReadTenths(std::string_view text);

}  // namespace kestal
