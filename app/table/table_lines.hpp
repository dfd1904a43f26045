#pragma once

#include <string>
#include <string_view>

#include "conversion/conversion_table.hpp"
#include "conversion/number_text.hpp"

namespace kestal {

// The whole conversion table as the table window shows it, for a lab's wall
// or a spreadsheet: the columns' captions, then rows 1 to 97, fields parted by
// `delimiter` (quoted where they hold it, as "80,7" must be under a comma),
// figures written as `numbers` writes them, an empty field where a row has no
// value in a scale. UTF-8, each line ended by LF.
std::string TableLines(const ConversionTable& table, const NumberText& numbers, char delimiter);

}  // namespace kestal
