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

// The conventions of a locale named as the system names them ("en_US",
// "en_US.UTF-8"; on Windows "en-US" or "en_US" alike), or built in below. None
// for a name the system does not know.
std::optional<NumberSymbols> NumberSymbolsNamed(std::string_view name);

// Whether `name`, up to its codeset or modifier, is C or POSIX.
inline bool NamesC(std::string_view name) {
    const std::string_view bare = name.substr(0, name.find_first_of(".@"));
    return bare == "C" || bare == "POSIX";
}

// The conventions the program carries itself, so that they work on a system
// that has no locale installed but C (a fresh Debian): C and POSIX write a
// decimal point; French, the program's own language, a decimal comma.
inline std::optional<NumberSymbols> BuiltInNumberSymbols(std::string_view name) {
    if (NamesC(name)) {
        return CNumberSymbols();
    }
    for (const std::string_view french : {"fr", "fr_FR", "fr_FR.UTF-8"}) {
        if (name == french) {
            return FrenchNumberSymbols();
        }
    }
    return std::nullopt;
}

}  // namespace kestal
