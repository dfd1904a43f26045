#pragma once

// The locale whose number conventions kestal and kestal-convert follow, and
// the NumberSymbols the core reads numbers with.

#include <QLocale>
#include <QString>
#include <optional>

#include "conversion/number_symbols.hpp"

namespace kestal {

// The first of LC_ALL, LC_NUMERIC and LANG that is set. When none is, or it
// names C or POSIX or a locale Qt does not know, French (France): the
// interface is French and tells the user to write a decimal comma.
QLocale UserLocale();

// The same rule over given values of LC_ALL, LC_NUMERIC and LANG.
QLocale LocaleFromEnvironment(const QString& lcAll, const QString& lcNumeric, const QString& lang);

// The locale a name such as "de_DE.UTF-8@euro" stands for: QLocale::c() for
// C and POSIX, nothing for a name Qt does not know (QLocale would silently
// take it for C).
std::optional<QLocale> LocaleNamed(const QString& name);

NumberSymbols NumberSymbolsOf(const QLocale& locale);

}  // namespace kestal
