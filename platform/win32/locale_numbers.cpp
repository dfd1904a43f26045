#include "platform/win32/locale_numbers.hpp"

#include <windows.h>

#include <string>

namespace kestal {

namespace {

std::u16string LocaleText(const wchar_t* localeName, LCTYPE item, std::u16string_view fallback) {
    wchar_t text[LOCALE_NAME_MAX_LENGTH] = {};
    const int length = GetLocaleInfoEx(localeName, item, text, LOCALE_NAME_MAX_LENGTH);
    // The count includes the terminating zero; a locale may leave a sign empty
    // (most leave the plus sign so), which would match any text.
    if (length <= 1) {
        return std::u16string(fallback);
    }
    return {text, text + length - 1};
}

}  // namespace

NumberSymbols LocaleNumberSymbols(const wchar_t* localeName) {
    NumberSymbols symbols{LocaleText(localeName, LOCALE_SDECIMAL, u"."),
                          LocaleText(localeName, LOCALE_SNEGATIVESIGN, u"-"),
                          LocaleText(localeName, LOCALE_SPOSITIVESIGN, u"+"), u"E"};
    symbols.zeroDigit = LocaleText(localeName, LOCALE_SNATIVEDIGITS, u"0").front();
    return symbols;
}

NumberSymbols UserNumberSymbols() {
    return LocaleNumberSymbols(LOCALE_NAME_USER_DEFAULT);
}

}  // namespace kestal
