#pragma once

#include <string>

#include "conversion/number_symbols.hpp"

namespace kestal {

// Everything the page is built from, as JSON for its script: both windows as
// their descriptions give them (the hint worded for `symbols`), the texts of
// the message and of the boxes' menus, and the number of twips to a pixel.
std::u16string PageDescription(const NumberSymbols& symbols);

}  // namespace kestal
