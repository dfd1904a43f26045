#include "conversion/number_text.hpp"

#include <QStringView>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace kestal {

namespace {

// Beyond this a decimal exponent says nothing more: the value is out of every
// floating-point range whatever the mantissa.
constexpr std::int64_t kExponentCap = 1'000'000'000;

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
    NumberReader(QStringView text, QStringView decimalPoint, QStringView negativeSign,
                 QStringView positiveSign, QStringView exponential, char16_t zeroDigit)
        : m_text(text.trimmed()),
          m_decimalPoint(decimalPoint),
          m_negativeSign(negativeSign),
          m_positiveSign(positiveSign),
          m_exponential(exponential),
          m_zeroDigit(zeroDigit) {}

    std::optional<PlainNumber> Read() {
        PlainNumber number;
        std::string& ascii = number.ascii;
        ascii.reserve(static_cast<std::size_t>(m_text.size()) + 2);
        ReadSign(ascii);
        const std::size_t integerStart = ascii.size();
        const std::size_t integerCount = ReadDigits(ascii);
        std::size_t fractionCount = 0;
        if (Accept(m_decimalPoint)) {
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
        if (Accept(u"e") || Accept(u"E") || Accept(m_exponential, Qt::CaseInsensitive)) {
            std::string exponentText;
            const bool negative = ReadSign(exponentText);
            std::string digits;
            if (ReadDigits(digits) == 0) {
                return std::nullopt;
            }
            for (const char digit : digits) {
                exponent = std::min(exponent * 10 + (digit - '0'), kExponentCap);
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
    bool Accept(QStringView token, Qt::CaseSensitivity sensitivity = Qt::CaseSensitive) {
        if (token.isEmpty() || !m_text.sliced(m_position).startsWith(token, sensitivity)) {
            return false;
        }
        m_position += token.size();
        return true;
    }

    // Appends '-' for a minus sign; a plus sign is read and dropped. The ASCII
    // signs count under every locale: they are what a keyboard gives.
    bool ReadSign(std::string& ascii) {
        if (Accept(m_negativeSign) || Accept(u"-") || Accept(u"\u2212")) {
            ascii += '-';
            return true;
        }
        Accept(m_positiveSign) || Accept(u"+");
        return false;
    }

    std::size_t ReadDigits(std::string& ascii) {
        std::size_t count = 0;
        for (; m_position < m_text.size(); ++m_position, ++count) {
            const int value = DigitValue(m_text[m_position].unicode());
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
        if (c >= m_zeroDigit && c <= m_zeroDigit + 9) {
            return c - m_zeroDigit;
        }
        return -1;
    }

    QStringView m_text;
    QStringView m_decimalPoint;
    QStringView m_negativeSign;
    QStringView m_positiveSign;
    QStringView m_exponential;
    char16_t m_zeroDigit;
    qsizetype m_position = 0;
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

}  // namespace

std::optional<QLocale> LocaleNamed(const QString& name) {
    const QString bare = name.section(u'.', 0, 0).section(u'@', 0, 0);
    if (bare == u"C" || bare == u"POSIX") {
        return QLocale::c();
    }
    const QLocale named(bare);
    if (bare.isEmpty() || named.language() == QLocale::C) {
        return std::nullopt;
    }
    return named;
}

QLocale LocaleFromEnvironment(const QString& lcAll, const QString& lcNumeric, const QString& lang) {
    QString name;
    for (const QString& candidate : {lcAll, lcNumeric, lang}) {
        if (!candidate.isEmpty()) {
            name = candidate;
            break;
        }
    }
    const std::optional<QLocale> named = LocaleNamed(name);
    if (!named || named->language() == QLocale::C) {
        return QLocale(QLocale::French, QLocale::France);
    }
    return *named;
}

QLocale UserLocale() {
    return LocaleFromEnvironment(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_NUMERIC"),
                                 qEnvironmentVariable("LANG"));
}

NumberText::NumberText(const QLocale& locale)
    : m_decimalPoint(locale.decimalPoint()),
      m_negativeSign(locale.negativeSign()),
      m_positiveSign(locale.positiveSign()),
      m_exponential(locale.exponential()) {
    // Locales whose digits lie outside the Basic Multilingual Plane are written
    // with ASCII digits.
    if (const QString zero = locale.zeroDigit(); zero.size() == 1) {
        m_zeroDigit = zero[0].unicode();
    }
}

std::optional<TypedNumber> NumberText::Parse(const QString& text) const {
    const auto number = NumberReader(text, m_decimalPoint, m_negativeSign, m_positiveSign,
                                     m_exponential, m_zeroDigit)
                            .Read();
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

std::optional<float> NumberText::ParseSingle(const QString& text) const {
    const auto number = Parse(text);
    return number ? std::optional(number->single) : std::nullopt;
}

std::optional<double> NumberText::ParseDouble(const QString& text) const {
    const auto number = NumberReader(text, m_decimalPoint, m_negativeSign, m_positiveSign,
                                     m_exponential, m_zeroDigit)
                            .Read();
    return number ? FromPlain<double>(*number) : std::nullopt;
}

QString NumberText::FormatOneDecimal(float value) const {
    if (!std::isfinite(value)) {
        return {};
    }
    // Seven significant digits: "-5.755000e+01".
    std::array<char, 32> scientific{};
    const auto written =
        std::to_chars(scientific.data(), scientific.data() + scientific.size(),
                      static_cast<double>(value), std::chars_format::scientific, 6);
    const bool negative = scientific[0] == '-';
    const char* mantissa = scientific.data() + (negative ? 1 : 0);
    int exponent = 0;
    std::from_chars(mantissa + 9 + (mantissa[9] == '+' ? 1 : 0), written.ptr, exponent);

    // The decimal as a digit string with the point after `pointAt` digits,
    // padded with zeros so that it reaches the hundredths.
    std::string digits(1, mantissa[0]);
    digits.append(mantissa + 2, 6);
    int pointAt = exponent + 1;
    if (pointAt <= 0) {
        digits.insert(0, static_cast<std::size_t>(1 - pointAt), '0');
        pointAt = 1;
    }
    digits.resize(std::max(digits.size(), static_cast<std::size_t>(pointAt) + 2), '0');

    // Tenths as one digit string; a hundredths digit of 5 or more rounds it up,
    // away from zero since the sign is kept apart.
    std::string tenths = digits.substr(0, static_cast<std::size_t>(pointAt) + 1);
    if (digits[static_cast<std::size_t>(pointAt) + 1] >= '5') {
        auto position = tenths.size();
        while (position > 0 && tenths[position - 1] == '9') {
            tenths[--position] = '0';
        }
        if (position == 0) {
            tenths.insert(tenths.begin(), '1');
        } else {
            ++tenths[position - 1];
        }
    }

    // Built in one piece: the text is assembled six times per key stroke.
    const auto separatorAt = static_cast<qsizetype>(tenths.size()) - 1;
    QString text(static_cast<qsizetype>(tenths.size()) + m_decimalPoint.size() +
                     (negative ? m_negativeSign.size() : 0),
                 Qt::Uninitialized);
    QChar* out = text.data();
    if (negative) {
        out = std::copy(m_negativeSign.cbegin(), m_negativeSign.cend(), out);
    }
    for (qsizetype i = 0; i < static_cast<qsizetype>(tenths.size()); ++i) {
        if (i == separatorAt) {
            out = std::copy(m_decimalPoint.cbegin(), m_decimalPoint.cend(), out);
        }
        *out++ =
            QChar(static_cast<char16_t>(m_zeroDigit + (tenths[static_cast<std::size_t>(i)] - '0')));
    }
    return text;
}

}  // namespace kestal
