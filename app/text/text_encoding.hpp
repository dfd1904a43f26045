#pragma once

#include <string>
#include <string_view>

namespace kestal {

// Series arrive and leave as UTF-8; the core works in UTF-16. Measured values
// and converted figures are almost always ASCII, which is widened or narrowed
// directly. Invalid UTF-8 becomes U+FFFD, one for each maximal bad sequence, as
// a text box would show it; a lone surrogate is written out as U+FFFD.
void Utf8ToUtf16(std::string_view utf8, std::u16string& out);
std::u16string Utf16(std::string_view utf8);
void AppendUtf8(std::u16string_view utf16, std::string& out);

// One code point in UTF-16: a surrogate pair above U+FFFF.
void AppendUtf16(char32_t point, std::u16string& out);

}  // namespace kestal
