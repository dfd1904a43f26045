#include <windows.h>

#include <string>

#include "platform/win32/locale_numbers.hpp"
#include "system_numbers.hpp"

namespace kestal {

NumberSymbols SystemNumberSymbols() {
    return UserNumberSymbols();
}

std::string SystemLocaleName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const int length = GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    // Locale names are ASCII.
    return length > 1 ? std::string(name, name + length - 1) : std::string();
}

std::optional<NumberSymbols> NumberSymbolsNamed(std::string_view name) {
    if (std::optional<NumberSymbols> builtIn = BuiltInNumberSymbols(name)) {
        return builtIn;
    }
    // "fr_FR.UTF-8", as a lab's Linux scripts name it, is "fr-FR" to Windows.
    std::wstring localeName;
    for (const char c : name.substr(0, name.find_first_of(".@"))) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') {
            return std::nullopt;
        }
        localeName += c == '_' ? L'-' : static_cast<wchar_t>(c);
    }
    if (localeName.empty() || !IsValidLocaleName(localeName.c_str())) {
        return std::nullopt;
    }
    return LocaleNumberSymbols(localeName.c_str());
}

}  // namespace kestal
