#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "app/text/text_encoding.hpp"
#include "system_numbers.hpp"

namespace kestal {

namespace {

// The locale's decimal separator, from its own codeset to UTF-16.
std::u16string RadixOf(locale_t locale) {
    const char* radix = nl_langinfo_l(RADIXCHAR, locale);
    const locale_t previous = uselocale(locale);
    std::u16string out;
    std::mbstate_t state{};
    const char* end = radix + std::char_traits<char>::length(radix);
    for (const char* p = radix; p < end;) {
        wchar_t wide = 0;
        const std::size_t length =
            std::mbrtowc(&wide, p, static_cast<std::size_t>(end - p), &state);
        if (length == 0 || length > static_cast<std::size_t>(end - p)) {
            break;
        }
        AppendUtf16(static_cast<char32_t>(wide), out);
        p += length;
    }
    uselocale(previous);
    return out.empty() ? u"." : out;
}

}  // namespace

std::optional<NumberSymbols> NumberSymbolsNamed(std::string_view name) {
    if (std::optional<NumberSymbols> builtIn = BuiltInNumberSymbols(name)) {
        return builtIn;
    }
    if (name.empty() || name.find('/') != std::string_view::npos) {
        return std::nullopt;
    }
    // "fr_FR" is often installed only as "fr_FR.UTF-8".
    std::string candidates[] = {std::string(name), std::string()};
    if (name.find('.') == std::string_view::npos) {
        const std::size_t at = name.find('@');
        candidates[1] = std::string(name.substr(0, at)) + ".UTF-8" +
                        std::string(at == std::string_view::npos ? "" : name.substr(at));
    }
    for (const std::string& candidate : candidates) {
        if (candidate.empty()) {
            continue;
        }
        if (const locale_t locale =
                newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, candidate.c_str(), nullptr)) {
            NumberSymbols symbols{RadixOf(locale), u"-", u"+", u"e"};
            freelocale(locale);
            return symbols;
        }
    }
    return std::nullopt;
}

std::string SystemLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') {
            continue;
        }
        return NamesC(value) || !NumberSymbolsNamed(value) ? std::string() : std::string(value);
    }
    return {};
}

NumberSymbols SystemNumberSymbols() {
    const std::string name = SystemLocaleName();
    return name.empty() ? FrenchNumberSymbols() : *NumberSymbolsNamed(name);
}

}  // namespace kestal
