#pragma once

#include <string>

#include "conversion/number_symbols.hpp"

namespace kestal {

// Everything the page is built from, as JSON for its script: the three windows
// as their descriptions give them (the hint worded for `symbols`), the texts of
// the message and of the boxes' menus, the table window's key, the plot's
// colours, and the number of twips to a pixel.
std::u16string PageDescription(const NumberSymbols& symbols);

}  // namespace kestal
