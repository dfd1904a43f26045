#pragma once

#include "conversion/number_symbols.hpp"

namespace kestal {

// The number symbols of the user's default locale, as the regional settings
// give them.
NumberSymbols UserNumberSymbols();

}  // namespace kestal
