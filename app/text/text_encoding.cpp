#include "app/text/text_encoding.hpp"

#include <algorithm>

namespace kestal {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point that starts at `in[k]`, and how many bytes it took. A bad
// sequence takes the longest prefix that could still have begun a valid one,
// and at least one byte.
char32_t DecodeOne(std::string_view in, std::size_t k, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(in[k]);
    length = 1;
    if (lead < 0x80) {
        return lead;
    }
    int trail = 0;
    char32_t point = 0;
    // The first trailing byte's range, narrowed for the leads whose shortest
    // forms are overlong or surrogates or past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trail = 1;
        point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trail = 2;
        point = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trail = 3;
        point = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return kReplacement;
    }
    for (int t = 0; t < trail; ++t) {
        if (k + length >= in.size()) {
            return kReplacement;
        }
        const auto byte = static_cast<unsigned char>(in[k + length]);
        if (t == 0 ? (byte < low || byte > high) : !IsContinuation(byte)) {
            return kReplacement;
        }
        point = (point << 6) | (byte & 0x3F);
        ++length;
    }
    return point;
}

}  // namespace

void Utf8ToUtf16(std::string_view utf8, std::u16string& out) {
    out.clear();
    std::size_t k = 0;
    for (; k < utf8.size() && static_cast<unsigned char>(utf8[k]) < 0x80; ++k) {
        out.push_back(static_cast<char16_t>(utf8[k]));  // ASCII, as measurements are
    }
    while (k < utf8.size()) {
        std::size_t length = 0;
        const char32_t point = DecodeOne(utf8, k, length);
        k += length;
        AppendUtf16(point, out);
    }
}

void AppendUtf16(char32_t point, std::u16string& out) {
    if (point >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(point));
    }
}

std::u16string Utf16(std::string_view utf8) {
    std::u16string out;
    Utf8ToUtf16(utf8, out);
    return out;
}

void AppendUtf8(std::u16string_view utf16, std::string& out) {
    std::size_t k = 0;
    for (; k < utf16.size() && utf16[k] < 0x80; ++k) {
        out.push_back(static_cast<char>(utf16[k]));  // ASCII, as figures are
    }
    for (; k < utf16.size(); ++k) {
        char32_t point = utf16[k];
        if (point >= 0xD800 && point <= 0xDBFF && k + 1 < utf16.size() && utf16[k + 1] >= 0xDC00 &&
            utf16[k + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (utf16[k + 1] - 0xDC00);
            ++k;
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = kReplacement;
        }
        if (point < 0x80) {
            out.push_back(static_cast<char>(point));
        } else if (point < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (point >> 6)));
            out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
        } else if (point < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (point >> 12)));
            out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (point >> 18)));
            out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
        }
    }
}

}  // namespace kestal
