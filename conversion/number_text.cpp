#include "conversion/number_text.hpp"

#include <QChar>
#include <QStringView>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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
    NumberReader(QStringView text, const QLocale& locale) : m_text(text), m_locale(locale) {}

    std::optional<PlainNumber> Read() {
        PlainNumber number;
        ReadSign(number.ascii);
        std::string integerDigits;
        std::string fractionDigits;
        ReadDigits(integerDigits);
        if (Accept(m_locale.decimalPoint())) {
            ReadDigits(fractionDigits);
        }
        if (integerDigits.empty() && fractionDigits.empty()) {
            return std::nullopt;
        }
        number.ascii += integerDigits.empty() ? std::string("0") : integerDigits;
        if (!fractionDigits.empty()) {
            number.ascii += '.';
            number.ascii += fractionDigits;
        }

        std::int64_t exponent = 0;
        if (Accept(u"e") || Accept(u"E") || AcceptIgnoringCase(m_locale.exponential())) {
            std::string exponentSign;
            ReadSign(exponentSign);
            std::string exponentDigits;
            if (!ReadDigits(exponentDigits)) {
                return std::nullopt;
            }
            for (const char digit : exponentDigits) {
                exponent = std::min(exponent * 10 + (digit - '0'), kExponentCap);
            }
            if (!exponentSign.empty()) {
                exponent = -exponent;
            }
            number.ascii += 'e';
            number.ascii += std::to_string(exponent);
        }
        if (m_position != m_text.size()) {
            return std::nullopt;
        }

        if (const auto lead = integerDigits.find_first_not_of('0'); lead != std::string::npos) {
            number.hasNonZeroDigit = true;
            number.leadingExponent =
                static_cast<std::int64_t>(integerDigits.size() - lead) - 1 + exponent;
        } else if (const auto first = fractionDigits.find_first_not_of('0');
                   first != std::string::npos) {
            number.hasNonZeroDigit = true;
            number.leadingExponent = -static_cast<std::int64_t>(first) - 1 + exponent;
        }
        return number;
    }

private:
    bool Accept(QStringView token) {
        if (token.isEmpty() || !m_text.sliced(m_position).startsWith(token)) {
            return false;
        }
        m_position += token.size();
        return true;
    }

    bool AcceptIgnoringCase(QStringView token) {
        if (token.isEmpty() || !m_text.sliced(m_position).startsWith(token, Qt::CaseInsensitive)) {
            return false;
        }
        m_position += token.size();
        return true;
    }

    // Appends '-' for a minus sign; a plus sign is read and dropped. The ASCII
    // signs count under every locale: they are what a keyboard gives.
    bool ReadSign(std::string& ascii) {
        if (Accept(m_locale.negativeSign()) || Accept(u"-") || Accept(u"\u2212")) {
            ascii += '-';
            return true;
        }
        return Accept(m_locale.positiveSign()) || Accept(u"+");
    }

    bool ReadDigits(std::string& digits) {
        const auto before = digits.size();
        while (m_position < m_text.size()) {
            const int value = DigitValue(m_text[m_position]);
            if (value < 0) {
                break;
            }
            digits += static_cast<char>('0' + value);
            ++m_position;
        }
        return digits.size() > before;
    }

    // ASCII digits, and the locale's own digits where it writes others.
    int DigitValue(QChar c) const {
        if (c >= u'0' && c <= u'9') {
            return c.unicode() - u'0';
        }
        const QString zero = m_locale.zeroDigit();
        if (zero.size() == 1 && c.unicode() >= zero[0].unicode() &&
            c.unicode() <= zero[0].unicode() + 9) {
            return c.unicode() - zero[0].unicode();
        }
        return -1;
    }

    QStringView m_text;
    const QLocale& m_locale;
    qsizetype m_position = 0;
};

template <typename Real>
std::optional<Real> ParseNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    const auto number = NumberReader(trimmed, locale).Read();
    if (!number) {
        return std::nullopt;
    }
    const std::string& ascii = number->ascii;
    Real value{};
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (number->hasNonZeroDigit && number->leadingExponent < 0) {
            return Real{0};  // too small for the precision
        }
        return std::nullopt;
    }
    if (error != std::errc{} || end != ascii.data() + ascii.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString LocaleDigits(const std::string& ascii, const QLocale& locale) {
    QString text;
    text.reserve(static_cast<qsizetype>(ascii.size()) + 2);
    const QString zero = locale.zeroDigit();
    const bool asciiDigits = zero == u"0" || zero.size() != 1;
    for (const char c : ascii) {
        if (c == '-') {
            text += locale.negativeSign();
        } else if (c == '.') {
            text += locale.decimalPoint();
        } else if (asciiDigits) {
            text += QLatin1Char(c);
        } else {
            text += QChar(static_cast<char16_t>(zero[0].unicode() + (c - '0')));
        }
    }
    return text;
}

}  // namespace

QLocale LocaleFromEnvironment(const QString& lcAll, const QString& lcNumeric, const QString& lang) {
    const QLocale french(QLocale::French, QLocale::France);
    QString name;
    for (const QString& candidate : {lcAll, lcNumeric, lang}) {
        if (!candidate.isEmpty()) {
            name = candidate;
            break;
        }
    }
    // "de_DE.UTF-8@euro" names the locale "de_DE".
    name = name.section(u'.', 0, 0).section(u'@', 0, 0);
    if (name.isEmpty() || name == u"C" || name == u"POSIX") {
        return french;
    }
    const QLocale named(name);
    return named.language() == QLocale::C ? french : named;
}

QLocale UserLocale() {
    return LocaleFromEnvironment(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_NUMERIC"),
                                 qEnvironmentVariable("LANG"));
}

std::optional<float> ParseSingle(const QString& text, const QLocale& locale) {
    return ParseNumber<float>(text, locale);
}

std::optional<double> ParseDouble(const QString& text, const QLocale& locale) {
    return ParseNumber<double>(text, locale);
}

QString FormatOneDecimal(float value, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return {};
    }
    // Seven significant digits: "-5.755000e+01".
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                       std::chars_format::scientific, 6);
    const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const bool negative = scientific.front() == '-';
    const std::string_view mantissa = scientific.substr(negative ? 1 : 0, 8);
    const int exponent =
        std::atoi(std::string(scientific.substr(scientific.find('e') + 1)).c_str());
    std::string digits;
    digits += mantissa[0];
    digits += mantissa.substr(2);

    // The same decimal as whole and fraction digits, the fraction at least two long.
    std::string whole;
    std::string fraction;
    const int pointAt = exponent + 1;
    const int digitCount = static_cast<int>(digits.size());
    if (pointAt <= 0) {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
    } else if (pointAt >= digitCount) {
        whole = digits + std::string(static_cast<std::size_t>(pointAt - digitCount), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(pointAt));
        fraction = digits.substr(static_cast<std::size_t>(pointAt));
    }
    fraction.resize(std::max<std::size_t>(fraction.size(), 2), '0');

    // Tenths as one digit string; a hundredths digit of 5 or more rounds it up,
    // away from zero since the sign is kept apart.
    std::string tenths = whole + fraction[0];
    if (fraction[1] >= '5') {
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
    std::string ascii = negative ? "-" : "";
    ascii += tenths.substr(0, tenths.size() - 1);
    ascii += '.';
    ascii += tenths.back();
    return LocaleDigits(ascii, locale);
}

}  // namespace kestal
