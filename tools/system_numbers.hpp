#pragma once

// How the system kestal-convert runs on writes numbers: on Linux the C
// library's locale, on Windows the user's regional settings.

#include <optional>
#include <string>
#include <string_view>

#include "conversion/number_symbols.hpp"

namespace kestal {

// The user's conventions: on Linux the first of LC_ALL, LC_NUMERIC and LANG
// that is set, French where none is, where it names C or POSIX or a locale the
// system does not have (the program is French and asks for a decimal comma).
NumberSymbols SystemNumberSymbols();

// The name of the locale SystemNumberSymbols() follows; "" for the French
// conventions taken where none is set.
std::string SystemLocaleName();

// The conventions of a locale named as the system names them ("fr_FR",
// "en_US.UTF-8"; on Windows "fr-FR" or "fr_FR" alike); C and POSIX write a
// decimal point. None for a name the system does not know.
std::optional<NumberSymbols> NumberSymbolsNamed(std::string_view name);

// Whether `name`, up to its codeset or modifier, is C or POSIX.
inline bool NamesC(std::string_view name) {
    const std::string_view bare = name.substr(0, name.find_first_of(".@"));
    return bare == "C" || bare == "POSIX";
}

}  // namespace kestal
