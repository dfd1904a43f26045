#pragma once

// How the system kestal-convert runs on writes numbers: on Linux the C
// library's locale, on Windows the user's regional settings.

#include <optional>
#include <string_view>

#include "conversion/number_symbols.hpp"

namespace kestal {

// The user's conventions: on Linux the first of LC_ALL, LC_NUMERIC and LANG
// that is set, French where none is, where it names C or POSIX or a locale the
// system does not have (the program is French and asks for a decimal comma).
NumberSymbols SystemNumberSymbols();

// The conventions of a locale named as the system names them ("fr_FR",
// "en_US.UTF-8"; on Windows "fr-FR" or "fr_FR" alike); C and POSIX write a
// decimal point. None for a name the system does not know.
std::optional<NumberSymbols> NumberSymbolsNamed(std::string_view name);

// The decimal point of C and POSIX, with the ASCII signs.
inline NumberSymbols CNumberSymbols() {
    return {u".", u"-", u"+", u"e"};
}

// Whether `name`, up to its codeset or modifier, is C or POSIX.
inline bool NamesC(std::string_view name) {
    const std::string_view bare = name.substr(0, name.find_first_of(".@"));
    return bare == "C" || bare == "POSIX";
}

}  // namespace kestal
