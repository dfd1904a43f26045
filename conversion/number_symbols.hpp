#pragma once

#include <string>

namespace kestal {

// How the user's locale writes numbers, as the platform reports it: each front
// end fills one from its own settings (QLocale on Linux, the regional settings
// on Windows) once, and everything past number_text works on plain numbers.
struct NumberSymbols {
    std::u16string decimalPoint;
    std::u16string negativeSign;
    std::u16string positiveSign;
    std::u16string exponential;
    // Digits are this character and the nine after it.
    char16_t zeroDigit = u'0';
};

// The C locale's: a decimal point and the ASCII signs, the one form of a
// number that reads alike everywhere.
inline NumberSymbols CNumberSymbols() {
    return {u".", u"-", u"+", u"e"};
}

// French conventions, a decimal comma and the ASCII signs: the program's own,
// where nothing names others.
inline NumberSymbols FrenchNumberSymbols() {
    return {u",", u"-", u"+", u"E"};
}

}  // namespace kestal
