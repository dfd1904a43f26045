#include "conversion/number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace kestal {

namespace {

// Beyond this a decimal exponent says nothing more: the value is out of every
// floating-point range whatever the mantissa.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// Blanks as a text box may hold them around a number: the ASCII controls from
// tab to carriage return, and the Unicode space and line separators.
bool IsBlank(char16_t c) {
    return (c >= u'\t' && c <= u'\r') || c == u' ' || c == u'\u0085' || c == u'\u00a0' ||
           c == u'\u1680' || (c >= u'\u2000' && c <= u'\u200a') || c == u'\u2028' ||
           c == u'\u2029' || c == u'\u202f' || c == u'\u205f' || c == u'\u3000';
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// A number typed under some locale, rewritten in the ASCII form that
// std::from_chars reads, whatever digits, signs and separator the locale uses.
struct PlainNumber {
    std::string ascii;
    bool hasNonZeroDigit = false;
    // Power of ten of the leading non-zero digit: tells underflow from overflow.
    std::int64_t leadingExponent = 0;
};

class NumberReader {
public:
    NumberReader(std::u16string_view text, const NumberSymbols& symbols)
        : m_text(Trimmed(text)), m_symbols(symbols) {}

    std::optional<PlainNumber> Read() {
        PlainNumber number;
        std::string& ascii = number.ascii;
        ascii.reserve(m_text.size() + 2);
        ReadSign(ascii);
        const std::size_t integerStart = ascii.size();
        const std::size_t integerCount = ReadDigits(ascii);
        std::size_t fractionCount = 0;
        if (Accept(m_symbols.decimalPoint)) {
            ascii += '.';
            fractionCount = ReadDigits(ascii);
            if (fractionCount == 0) {
                ascii.pop_back();  // "12," is 12
            }
        }
        if (integerCount + fractionCount == 0) {
            return std::nullopt;
        }

        std::int64_t exponent = 0;
        if (Accept(u"e") || Accept(u"E") || Accept(m_symbols.exponential, true)) {
            std::string ignored;
            const bool negative = ReadSign(ignored);
            const std::size_t start = m_position;
            for (; m_position < m_text.size(); ++m_position) {
                const int digit = DigitValue(m_text[m_position]);
                if (digit < 0) {
                    break;
                }
                exponent = std::min(exponent * 10 + digit, kExponentCap);
            }
            if (m_position == start) {
                return std::nullopt;
            }
            exponent = negative ? -exponent : exponent;
        }
        if (m_position != m_text.size()) {
            return std::nullopt;
        }

        const std::string_view integer(ascii.data() + integerStart, integerCount);
        if (const auto lead = integer.find_first_not_of('0'); lead != std::string_view::npos) {
            number.hasNonZeroDigit = true;
            number.leadingExponent = static_cast<std::int64_t>(integerCount - lead) - 1 + exponent;
        } else if (fractionCount > 0) {
            const std::string_view fraction(ascii.data() + integerStart + integerCount + 1,
                                            fractionCount);
            if (const auto first = fraction.find_first_not_of('0');
                first != std::string_view::npos) {
                number.hasNonZeroDigit = true;
                number.leadingExponent = -static_cast<std::int64_t>(first) - 1 + exponent;
            }
        }
        if (integerCount == 0) {
            ascii.insert(integerStart, 1, '0');  // ",5" is 0.5
        }
        if (exponent != 0) {
            ascii += 'e';
            ascii += std::to_string(exponent);
        }
        return number;
    }

private:
    bool Accept(std::u16string_view token, bool ignoringCase = false) {
        const std::u16string_view rest = m_text.substr(m_position);
        if (token.empty() || rest.size() < token.size()) {
            return false;
        }
        for (std::size_t k = 0; k < token.size(); ++k) {
            if (ignoringCase ? AsciiLower(rest[k]) != AsciiLower(token[k]) : rest[k] != token[k]) {
                return false;
            }
        }
        m_position += token.size();
        return true;
    }

    // Appends '-' for a minus sign; a plus sign is read and dropped.
    bool ReadSign(std::string& ascii) {
        if (Accept(m_symbols.negativeSign) || Accept(u"-") || Accept(u"\u2212")) {
            ascii += '-';
            return true;
        }
        Accept(m_symbols.positiveSign) || Accept(u"+");
        return false;
    }

    std::size_t ReadDigits(std::string& ascii) {
        std::size_t count = 0;
        for (; m_position < m_text.size(); ++m_position, ++count) {
            const int value = DigitValue(m_text[m_position]);
            if (value < 0) {
                break;
            }
            ascii += static_cast<char>('0' + value);
        }
        return count;
    }

    // ASCII digits, and the locale's own digits where it writes others.
    int DigitValue(char16_t c) const {
        if (c >= u'0' && c <= u'9') {
            return c - u'0';
        }
        const char16_t zero = m_symbols.zeroDigit;
        if (c >= zero && c <= zero + 9) {
            return c - zero;
        }
        return -1;
    }

    std::u16string_view m_text;
    const NumberSymbols& m_symbols;
    std::size_t m_position = 0;
};

template <typename Real>
std::optional<Real> FromPlain(const PlainNumber& number) {
    const std::string& ascii = number.ascii;
    Real value{};
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (number.hasNonZeroDigit && number.leadingExponent < 0) {
            return Real{0};  // too small for the precision
        }
        return std::nullopt;
    }
    if (error != std::errc{} || end != ascii.data() + ascii.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The count of tenths of a decimal rounded half away from zero, as ASCII
// digits from the tenth up: at least two (the tenth and the units).
struct ReversedTenths {
    std::array<char, 48> digits;
    std::size_t size = 0;
};

// From 10^7 up a single is a whole number, mantissa * 2^exponent, of at most
// 39 digits. Its exact decimal, by doubling, rounded to seven significant
// digits as the smaller magnitudes are (to nearest, ties to even), then zeros
// and a tenth of 0. Written out rather than through std::to_chars, whose
// tables for a given precision would weigh more than the rest of the core.
ReversedTenths TenthsOfLarge(float magnitude) {
    int exponent = 0;
    const float fraction = std::frexp(magnitude, &exponent);
    auto mantissa = static_cast<std::uint32_t>(std::ldexp(fraction, 24));
    std::array<std::uint8_t, 40> digits{};  // least significant first
    std::size_t count = 0;
    for (; mantissa != 0; mantissa /= 10) {
        digits[count++] = static_cast<std::uint8_t>(mantissa % 10);
    }
    for (int k = 24; k < exponent; ++k) {
        int carry = 0;
        for (std::size_t d = 0; d < count; ++d) {
            const int doubled = digits[d] * 2 + carry;
            digits[d] = static_cast<std::uint8_t>(doubled % 10);
            carry = doubled / 10;
        }
        if (carry != 0) {
            digits[count++] = static_cast<std::uint8_t>(carry);
        }
    }
    const std::size_t dropped = count - 7;
    const bool beyondHalf = std::any_of(digits.begin(), digits.begin() + (dropped - 1),
                                        [](std::uint8_t digit) { return digit != 0; });
    const std::uint8_t first = digits[dropped - 1];
    if (first > 5 || (first == 5 && (beyondHalf || digits[dropped] % 2 != 0))) {
        std::size_t d = dropped;
        for (; digits[d] == 9; ++d) {
            digits[d] = 0;
        }
        ++digits[d];
        count = std::max(count, d + 1);
    }
    ReversedTenths out;
    out.digits[out.size++] = '0';
    for (std::size_t d = 0; d < count; ++d) {
        out.digits[out.size++] = static_cast<char>('0' + (d < dropped ? 0 : digits[d]));
    }
    return out;
}

// 10^k for k = 0 to 10; each is exact in double.
constexpr std::array<double, 11> kPowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5,
                                              1e6, 1e7, 1e8, 1e9, 1e10};
// 10^e for e = -4 to 6. No single lies between 10^e and its nearest double,
// so comparing with these finds the power of ten of a single's leading digit.
constexpr std::array<double, 11> kLeadingPowers{1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1,
                                                1e2,  1e3,  1e4,  1e5,  1e6};

// A count of 10^-Places units rounded to tenths, halves up. A constant divisor
// compiles to a multiplication.
template <int Places>
std::uint32_t HalfUpToTenths(std::uint32_t units) {
    constexpr auto divisor = static_cast<std::uint32_t>(kPowersOfTen[Places - 1]);
    return (units + divisor / 2) / divisor;
}

// The same rounding without a detour through text, for the magnitudes below
// 10^7 that a conversion gives, as a count of tenths. A single has 24
// significant bits and 10^k at most 24 bits beyond its power of two for
// k <= 10, so magnitude * 10^k is exact in double; adding and taking away 2^52
// rounds it to a whole number as std::to_chars does (to nearest, ties to even).
std::uint32_t TenthsOfSmall(double magnitude) {
    if (magnitude < 1e-4) {
        return 0;  // no significant digit reaches the hundredths
    }
    int exponent = 6;  // of the leading digit: 10^exponent <= magnitude
    while (magnitude < kLeadingPowers[static_cast<std::size_t>(exponent + 4)]) {
        --exponent;
    }
    constexpr double kWhole = 0x1p52;
    auto significant =
        static_cast<std::uint32_t>((magnitude * kPowersOfTen[6 - exponent] + kWhole) - kWhole);
    if (significant == 10'000'000) {
        significant = 1'000'000;
        ++exponent;
    }
    // significant * 10^(exponent - 6), in tenths.
    switch (exponent) {
        case 7:
            return significant * 100;
        case 6:
            return significant * 10;
        case 5:
            return significant;
        case 4:
            return HalfUpToTenths<2>(significant);
        case 3:
            return HalfUpToTenths<3>(significant);
        case 2:
            return HalfUpToTenths<4>(significant);
        case 1:
            return HalfUpToTenths<5>(significant);
        case 0:
            return HalfUpToTenths<6>(significant);
        case -1:
            return HalfUpToTenths<7>(significant);
        case -2:
            return HalfUpToTenths<8>(significant);
        default:
            return 0;  // below 0.01 no value reaches half a tenth
    }
}

// The digits of a count of tenths, least significant first, two at a time:
// half as many divisions, each waiting on the one before.
ReversedTenths DigitsOf(std::uint32_t tenths) {
    ReversedTenths out;
    do {
        const std::uint32_t pair = tenths % 100;
        tenths /= 100;
        out.digits[out.size++] = static_cast<char>('0' + pair % 10);
        out.digits[out.size++] = static_cast<char>('0' + pair / 10);
    } while (tenths != 0);
    if (out.digits[out.size - 1] == '0' && out.size > 2) {
        --out.size;  // the pair's upper digit was no digit at all
    }
    return out;
}

// A figure as the locale writes it: its sign, its units, the separator, its
// tenth. One string of the final length, filled in place and returned as it
// is: a figure fits its small-string buffer, so this allocates and copies
// nothing.
std::u16string Written(const ReversedTenths& tenths, std::u16string_view sign,
                       std::u16string_view point, char16_t zero) {
    std::u16string text(sign.size() + tenths.size + point.size(), zero);
    char16_t* out = text.data();
    for (const char16_t unit : sign) {
        *out++ = unit;
    }
    for (std::size_t k = tenths.size; k-- > 1;) {
        *out++ = static_cast<char16_t>(zero + (tenths.digits[k] - '0'));
    }
    for (const char16_t unit : point) {
        *out++ = unit;
    }
    *out = static_cast<char16_t>(zero + (tenths.digits[0] - '0'));
    return text;
}

// The common case, read directly: ASCII digits with at most one separator (a
// one-character one) and nothing else, "456,7" or "80". Few enough digits
// make a whole number exact in the type, and 10^k exact for the fraction's k,
// so one division rounds the decimal once, as the reader below would: 2^24
// and 10^10 for a single, 2^53 and 10^22 for a double. Anything else, or
// more digits, is left to that reader.
std::optional<TypedNumber> PlainDigits(std::u16string_view text, char16_t separator) {
    std::uint64_t whole = 0;
    int digits = 0;
    int fraction = -1;  // digits after the separator, once it is met
    for (const char16_t c : text) {
        if (c >= u'0' && c <= u'9') {
            whole = whole * 10 + static_cast<std::uint64_t>(c - u'0');
            fraction += fraction >= 0 ? 1 : 0;
            if (++digits > 15) {
                return std::nullopt;
            }
        } else if (c == separator && fraction < 0) {
            fraction = 0;
        } else {
            return std::nullopt;
        }
    }
    const int places = fraction < 0 ? 0 : fraction;
    if (digits == 0 || whole >= (1U << 24) || places > 10) {
        return std::nullopt;
    }
    return TypedNumber{static_cast<float>(whole) / static_cast<float>(kPowersOfTen[places]),
                       static_cast<double>(whole) / kPowersOfTen[places]};
}

}  // namespace

std::optional<TypedNumber> NumberText::Parse(std::u16string_view text) const {
    if (m_symbols.decimalPoint.size() == 1) {
        if (const auto plain = PlainDigits(text, m_symbols.decimalPoint[0])) {
            return plain;
        }
    }
    const std::optional<PlainNumber> number = NumberReader(text, m_symbols).Read();
    if (!number) {
        return std::nullopt;
    }
    const std::optional<float> single = FromPlain<float>(*number);
    if (!single) {
        return std::nullopt;
    }
    // Within the single range a double holds the value too.
    const std::optional<double> value = FromPlain<double>(*number);
    return TypedNumber{*single, value.value_or(*single)};
}

std::u16string NumberText::FormatOneDecimal(float value) const {
    if (!std::isfinite(value)) {
        return {};
    }
    const std::u16string_view sign =
        std::signbit(value) ? std::u16string_view(m_symbols.negativeSign) : u"";
    const double magnitude = std::fabs(static_cast<double>(value));
    return Written(
        magnitude < 1e7 ? DigitsOf(TenthsOfSmall(magnitude)) : TenthsOfLarge(std::fabs(value)),
        sign, m_symbols.decimalPoint, m_symbols.zeroDigit);
}

std::u16string NumberText::FormatAsTable(float value) const {
    std::u16string text = FormatOneDecimal(value);
    const std::u16string noTenth = m_symbols.decimalPoint + m_symbols.zeroDigit;
    if (text.ends_with(noTenth)) {
        text.resize(text.size() - noTenth.size());
    }
    return text;
}

}  // namespace kestal
