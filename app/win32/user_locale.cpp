#include "app/win32/user_locale.hpp"

#include <windows.h>

#include <string>

namespace kestal {

namespace {

std::u16string LocaleText(LCTYPE item, std::u16string_view fallback) {
    wchar_t text[LOCALE_NAME_MAX_LENGTH] = {};
    const int length =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, LOCALE_NAME_MAX_LENGTH);
    // The count includes the terminating zero; a locale may leave a sign empty
    // (most leave the plus sign so), which would match any text.
    if (length <= 1) {
        return std::u16string(fallback);
    }
    return {text, text + length - 1};
}

}  // namespace

NumberSymbols UserNumberSymbols() {
    NumberSymbols symbols{LocaleText(LOCALE_SDECIMAL, u"."), LocaleText(LOCALE_SNEGATIVESIGN, u"-"),
                          LocaleText(LOCALE_SPOSITIVESIGN, u"+"), u"E"};
    symbols.zeroDigit = LocaleText(LOCALE_SNATIVEDIGITS, u"0").front();
    return symbols;
}

}  // namespace kestal
