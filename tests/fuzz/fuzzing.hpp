#pragma once

// What the fuzzers share: how a broken promise stops the search, and how
// input bytes stand for the locales and the UTF-16 units a user brings into
// play.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "conversion/number_text.hpp"

namespace kestal::fuzzing {

// libFuzzer keeps the input that aborted; the promise names what broke.
inline void Promise(bool kept, const char* promise) {
    if (!kept) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

// French is what the program falls back to; C and en_US write a decimal point;
// ar_EG writes its own digits, a two-unit minus sign and U+066B as the separator.
inline const NumberSymbols kLocales[4] = {
    {u",", u"-", u"+", u"E"},
    {u".", u"-", u"+", u"e"},
    {u".", u"-", u"+", u"E"},
    {u"\u066b", u"\u061c-", u"\u061c+", u"\u0623\u0633", u'\u0660'},
};

// ASCII bytes stand for themselves; bytes from 0x80 stand for the units that
// locales bring into play (0x80 + k is the Arabic-Indic digit k, then the
// Arabic separator and letter mark, the Unicode minus, no-break and narrow
// spaces, a lone surrogate), by their low four bits.
inline char16_t UnitOf(std::uint8_t byte) {
    constexpr char16_t kHighUnits[16] = {
        u'\u0660', u'\u0661', u'\u0662', u'\u0663', u'\u0664', u'\u0665', u'\u0666', u'\u0667',
        u'\u0668', u'\u0669', u'\u066b', u'\u061c', u'\u2212', u'\u00a0', u'\u202f', 0xD800};
    return byte < 0x80 ? char16_t{byte} : kHighUnits[byte & 15];
}

}  // namespace kestal::fuzzing
