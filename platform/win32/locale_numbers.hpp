#pragma once

#include "conversion/number_symbols.hpp"

namespace kestal {

// The number symbols of a locale, as the regional settings give them.
NumberSymbols LocaleNumberSymbols(const wchar_t* localeName);

// Those of the user's default locale.
NumberSymbols UserNumberSymbols();

}  // namespace kestal
