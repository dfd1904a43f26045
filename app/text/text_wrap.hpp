#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace kestal {

// The columns a text takes on a terminal: its characters, not its bytes or
// units ("É" is two bytes of UTF-8 and one column).
inline std::size_t Columns(std::string_view utf8) {
    return static_cast<std::size_t>(std::ranges::count_if(
        utf8, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}
inline std::size_t Columns(std::u16string_view utf16) {
    return static_cast<std::size_t>(
        std::ranges::count_if(utf16, [](char16_t c) { return c < 0xDC00 || c > 0xDFFF; }));
}

// `text` wrapped between words to `width` columns, starting `used` columns in,
// each line after the first behind `indent` spaces; its own line breaks kept.
template <typename Char>
std::basic_string<Char> Wrap(std::basic_string_view<Char> text, std::size_t width,
                             std::size_t indent = 0, std::size_t used = 0) {
    static constexpr Char kBreaks[] = {Char(' '), Char('\n')};
    std::basic_string<Char> out;
    std::size_t column = used;
    bool lineStart = true;
    const auto newLine = [&] {
        out += Char('\n');
        out.append(indent, Char(' '));
        column = indent;
        lineStart = true;
    };
    while (!text.empty()) {
        if (text.front() == Char('\n')) {
            newLine();
            text.remove_prefix(1);
            continue;
        }
        const std::size_t end = std::min(text.find_first_of(kBreaks, 0, 2), text.size());
        const std::basic_string_view<Char> word = text.substr(0, end);
        if (!lineStart && column + 1 + Columns(word) > width) {
            newLine();
        }
        if (!lineStart) {
            out += Char(' ');
            ++column;
        }
        out.append(word);
        column += Columns(word);
        lineStart = false;
        text.remove_prefix(end);
        if (!text.empty() && text.front() == Char(' ')) {
            text.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace kestal
