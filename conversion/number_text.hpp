#pragma once

// Numbers as the user reads and writes them. Locale rules live here and only
// here: everything past these functions works on numbers.

#include <QLocale>
#include <QString>
#include <optional>

namespace kestal {

// The locale whose number conventions the program follows: the first of
// LC_ALL, LC_NUMERIC and LANG that is set. When none is, or it names C or
// POSIX or a locale Qt does not know, French (France): the interface is French
// and tells the user to write a decimal comma.
QLocale UserLocale();

// The locale a name such as "de_DE.UTF-8@euro" stands for: QLocale::c() for
// C and POSIX, nothing for a name Qt does not know (QLocale would silently
// take it for C).
std::optional<QLocale> LocaleNamed(const QString& name);

// The same rule over given values of LC_ALL, LC_NUMERIC and LANG.
QLocale LocaleFromEnvironment(const QString& lcAll, const QString& lcNumeric, const QString& lang);

// A typed number at both precisions a conversion uses.
struct TypedNumber {
    float single;
    double value;
};

// The number conventions of one locale, looked up once: a conversion reads and
// writes several numbers per key stroke.
class NumberText {
public:
    explicit NumberText(const QLocale& locale);

    // Reads the whole text as a number:
    //   [sign] digits [separator [digits]] [exponent], or [sign] separator digits,
    // with blanks allowed around it. "12," reads as 12 and ",5" as 0.5, so that
    // no prefix typed on the way to a number is refused; "-" and "1e" are not
    // numbers yet. Group separators, a second separator, a point under a comma
    // locale, infinities and NaN are refused.
    //
    // The single is the one nearest the decimal (no detour through double,
    // whose second rounding could move a halfway case). A value beyond the
    // single range is refused; one too small for the precision reads as 0.
    std::optional<float> ParseSingle(const QString& text) const;
    std::optional<double> ParseDouble(const QString& text) const;
    // Both at once; refused where ParseSingle refuses.
    std::optional<TypedNumber> Parse(const QString& text) const;

    // The value with pattern "0.0": at least one digit before the decimal
    // separator, exactly one after it, no grouping (2220 -> "2220,0").
    //
    // Halves: the single is first written with seven significant digits, as a
    // single-precision value is shown, and that decimal is rounded half away
    // from zero. So 57.55f, which is 57.5499992..., gives "57,6" like the 57.55
    // it stands for. A value that rounds to zero keeps its sign ("-0,0"). A
    // value that is not finite has no text and gives "".
    QString FormatOneDecimal(float value) const;

private:
    QString m_decimalPoint;
    QString m_negativeSign;
    QString m_positiveSign;
    QString m_exponential;
    char16_t m_zeroDigit = u'0';
};

inline std::optional<float> ParseSingle(const QString& text, const QLocale& locale) {
    return NumberText(locale).ParseSingle(text);
}
inline std::optional<double> ParseDouble(const QString& text, const QLocale& locale) {
    return NumberText(locale).ParseDouble(text);
}
inline QString FormatOneDecimal(float value, const QLocale& locale) {
    return NumberText(locale).FormatOneDecimal(value);
}

}  // namespace kestal
