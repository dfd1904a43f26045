#pragma once

#include <string>
#include <string_view>

namespace kestal {

// JSON written straight into UTF-16, the text the page reads: objects and
// arrays opened and closed in order, commas placed by the writer.
class JsonText {
public:
    JsonText& Open(char16_t bracket);  // '{' or '['
    JsonText& Close(char16_t bracket);
    // A member's name, inside an object; its value follows.
    JsonText& Key(std::u16string_view name);
    JsonText& String(std::u16string_view text);
    JsonText& String(std::string_view ascii);
    JsonText& Number(int value);
    // A value given in hundredths, such as 825 for 8.25 points.
    JsonText& Hundredths(int value);
    JsonText& Bool(bool value);
    JsonText& Null();

    const std::u16string& Text() const { return m_text; }

private:
    void Separate();
    void Raw(std::string_view ascii);

    std::u16string m_text;
    bool m_first = true;  // no comma before the next value
};

}  // namespace kestal
