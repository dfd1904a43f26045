// kestal-convert: the window's conversions for whole series of measurements,
// from a shell or a spreadsheet export.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <iostream>
#include <optional>
#include <string>

#include "app/qt/user_locale.hpp"
#include "batch_rows.hpp"
#include "conversion/conversion_engine.hpp"
#include "conversion/scale.hpp"
#include "conversion/version.hpp"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadValue = 1;
constexpr int kExitUsage = 2;

// The window's words for a value that is not a number, so that a lab reads the
// same message whichever way it converts.
constexpr const char* kNotANumber = "La valeur rentrée n'est pas considérée comme un nombre";

void Print(std::ostream& stream, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    stream.write(utf8.constData(), utf8.size());
    stream.flush();
}

int UsageError(const QCommandLineParser& parser, const QString& message) {
    Print(std::cerr, QCoreApplication::applicationName() + QStringLiteral(": ") + message +
                         QStringLiteral("\n\n") + parser.helpText());
    return kExitUsage;
}

}  // namespace

int main(int argc, char* argv[]) {
    // The streams need not keep step with C stdio; unsynchronised they buffer
    // whole blocks, and a series full of bad values does not cost one write
    // per message.
    std::ios::sync_with_stdio(false);
    // Reading a line must not flush the rows written so far.
    std::cin.tie(nullptr);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestal-convert"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kestal::kVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Convertit des duretés d'aciers entre HV, HB, HRA, HRB, HRC, HRD et Rm.\n"
                       "Écrit une ligne d'en-tête puis une ligne par valeur, sept champs séparés\n"
                       "par des tabulations. Sans VALEUR, lit une valeur par ligne sur l'entrée\n"
                       "standard."));
    // Our own help and version options rather than Qt's, whose descriptions are English.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Affiche cette aide."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Affiche la version."));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    const QCommandLineOption fromOption(
        QStringLiteral("from"),
        QStringLiteral("Échelle des valeurs données : HV, HB (HBS, HBW), HRA, HRB, HRC, HRD "
                       "ou Rm, en majuscules ou minuscules."),
        QStringLiteral("ÉCHELLE"));
    const QCommandLineOption localeOption(
        QStringLiteral("locale"),
        QStringLiteral("Conventions des nombres (fr_FR, en_US, C...). Par défaut celles de "
                       "LC_ALL, LC_NUMERIC ou LANG, et le français sinon."),
        QStringLiteral("NOM"));
    parser.addOption(fromOption);
    parser.addOption(localeOption);
    parser.addPositionalArgument(
        QStringLiteral("valeurs"),
        QStringLiteral("Valeurs à convertir (après -- pour une valeur commençant par -)."),
        QStringLiteral("[VALEUR...]"));

    if (!parser.parse(QCoreApplication::arguments())) {
        return UsageError(parser, parser.errorText());
    }
    if (parser.isSet(helpOption)) {
        Print(std::cout, parser.helpText());
        return kExitOk;
    }
    if (parser.isSet(versionOption)) {
        Print(std::cout, QCoreApplication::applicationName() + u' ' +
                             QCoreApplication::applicationVersion() + u'\n');
        return kExitOk;
    }
    if (!parser.isSet(fromOption)) {
        return UsageError(parser, QStringLiteral("l'option --from est obligatoire"));
    }
    const QString scaleName = parser.value(fromOption);
    const std::optional<kestal::Scale> source = kestal::ScaleFromName(scaleName.toStdString());
    if (!source) {
        return UsageError(parser, QStringLiteral("échelle inconnue : ") + scaleName);
    }
    QLocale locale = kestal::UserLocale();
    if (parser.isSet(localeOption)) {
        const std::optional<QLocale> named = kestal::LocaleNamed(parser.value(localeOption));
        if (!named) {
            return UsageError(parser,
                              QStringLiteral("locale inconnue : ") + parser.value(localeOption));
        }
        locale = *named;
    }

    const kestal::ConversionEngine engine(kestal::NumberSymbolsOf(locale));
    kestal::BatchRows rows(engine, *source);

    std::string row;
    kestal::BatchRows::AppendHeader(row);
    std::cout << row;
    int status = kExitOk;
    unsigned long long lineNumber = 0;
    const auto convert = [&](std::string_view value) {
        ++lineNumber;
        row.clear();
        if (!rows.AppendRow(value, row)) {
            std::cerr << "kestal-convert: ligne " << lineNumber << " : " << kNotANumber << '\n';
            status = kExitBadValue;
        }
        std::cout.write(row.data(), static_cast<std::streamsize>(row.size()));
        // Past a failed write nothing more would reach the reader: stop there.
        return static_cast<bool>(std::cout);
    };

    const QStringList values = parser.positionalArguments();
    if (!values.isEmpty()) {
        for (const QString& value : values) {
            const QByteArray utf8 = value.toUtf8();
            if (!convert(
                    std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))) {
                break;
            }
        }
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();  // a file saved on Windows
            }
            if (!convert(line)) {
                break;
            }
        }
        if (std::cin.bad()) {
            std::cerr << "kestal-convert: lecture de l'entrée standard impossible\n";
            status = kExitBadValue;
        }
    }

    if (!std::cout.flush()) {
        std::cerr << "kestal-convert: écriture de la sortie impossible\n";
        return kExitBadValue;
    }
    return status;
}
