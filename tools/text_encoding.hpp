#pragma once

#include <string>
#include <string_view>

namespace kestal {

// Series arrive and leave as UTF-8; the core works in UTF-16. Measured values
// and converted figures are almost always ASCII, which is widened or narrowed
// directly; anything else goes through Qt. Invalid UTF-8 becomes U+FFFD, as a
// text box would show it.
void Utf8ToUtf16(std::string_view utf8, std::u16string& out);
void AppendUtf8(std::u16string_view utf16, std::string& out);

}  // namespace kestal
