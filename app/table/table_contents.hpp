#pragma once

// The conversion table as the table window (and kestal-convert --table) shows
// it: a column of row numbers, then one column per scale under the main
// window's captions, each figure written as the locale writes numbers.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/conversion_table.hpp"
#include "conversion/number_text.hpp"

namespace kestal {

inline constexpr int kTableColumns = kScaleCount + 1;

struct TableColumn {
    std::u16string_view caption;  // "Ligne", then "HV", "HBS / HBW"...
    int width;                    // twips
    std::optional<Scale> scale;   // none for the row numbers
};

// The columns: the row numbers, then HV to Rm.
const std::array<TableColumn, kTableColumns>& TableColumns();

// The column that shows `scale`.
constexpr int ColumnShowing(Scale scale) {
    return ColumnOf(scale) + 1;
}

// Rows 1 to 97: the row's number, then its figure in each scale as the table
// writes it ("80,7", "586"), "" where the row has no value in that scale.
using TableRow = std::array<std::u16string, kTableColumns>;
std::vector<TableRow> TableRows(const ConversionTable& table, const NumberText& numbers);

}  // namespace kestal
