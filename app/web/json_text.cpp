#include "app/web/json_text.hpp"

#include <string>

namespace kestal {

void JsonText::Separate() {
    if (!m_first) {
        m_text += u',';
    }
    m_first = false;
}

void JsonText::Raw(std::string_view ascii) {
    m_text.append(ascii.begin(), ascii.end());
}

JsonText& JsonText::Open(char16_t bracket) {
    Separate();
    m_text += bracket;
    m_first = true;
    return *this;
}

JsonText& JsonText::Close(char16_t bracket) {
    m_text += bracket;
    m_first = false;
    return *this;
}

JsonText& JsonText::Key(std::u16string_view name) {
    String(name);
    m_text += u':';
    m_first = true;
    return *this;
}

JsonText& JsonText::String(std::u16string_view text) {
    Separate();
    m_text += u'"';
    for (const char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            m_text += u'\\';
            m_text += c;
        } else if (c < 0x20) {
            constexpr std::string_view kHex = "0123456789abcdef";
            Raw("\\u00");
            m_text += static_cast<char16_t>(kHex[c >> 4]);
            m_text += static_cast<char16_t>(kHex[c & 15]);
        } else {
            m_text += c;
        }
    }
    m_text += u'"';
    return *this;
}

JsonText& JsonText::String(std::string_view ascii) {
    return String(std::u16string(ascii.begin(), ascii.end()));
}

JsonText& JsonText::Number(int value) {
    Separate();
    Raw(std::to_string(value));
    return *this;
}

JsonText& JsonText::Hundredths(int value) {
    Separate();
    // The sign once, in front: the remainder of a negative value is negative too.
    if (value < 0) {
        Raw("-");
    }
    const unsigned magnitude =
        value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    Raw(std::to_string(magnitude / 100));
    if (const unsigned rest = magnitude % 100; rest != 0) {
        Raw(rest % 10 == 0 ? "." + std::to_string(rest / 10)
                           : (rest < 10 ? ".0" : ".") + std::to_string(rest));
    }
    return *this;
}

JsonText& JsonText::Bool(bool value) {
    Separate();
    Raw(value ? "true" : "false");
    return *this;
}

JsonText& JsonText::Null() {
    Separate();
    Raw("null");
    return *this;
}

}  // namespace kestal
