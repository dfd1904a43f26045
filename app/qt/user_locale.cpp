#include "app/qt/user_locale.hpp"

#include "app/qt/qt_text.hpp"

namespace kestal {

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

NumberSymbols NumberSymbolsOf(const QLocale& locale) {
    NumberSymbols symbols{ToU16(locale.decimalPoint()), ToU16(locale.negativeSign()),
                          ToU16(locale.positiveSign()), ToU16(locale.exponential())};
    // Locales whose digits lie outside the Basic Multilingual Plane are written
    // with ASCII digits.
    if (const QString zero = locale.zeroDigit(); zero.size() == 1) {
        symbols.zeroDigit = zero[0].unicode();
    }
    return symbols;
}

}  // namespace kestal
