// kestal-convert: the window's conversions for whole series of measurements,
// from a shell or a spreadsheet export.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>

#include "app/qt/user_locale.hpp"
#include "batch_rows.hpp"
#include "conversion/conversion_engine.hpp"
#include "conversion/scale.hpp"
#include "conversion/version.hpp"
#include "csv_rows.hpp"
#include "table_lines.hpp"

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

// Field number for --column: 1 to 999999999, digits only.
std::optional<std::size_t> ColumnNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 9 ||
        !std::ranges::all_of(text, [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    const std::size_t number = text.toULong();
    return number == 0 ? std::nullopt : std::optional<std::size_t>(number);
}

// One ASCII character that cannot be confused with quoting or the end of a line.
std::optional<char> Delimiter(const QString& text) {
    if (text.size() != 1 || text[0].unicode() >= 0x80 || text[0] == u'"' || text[0] == u'\n' ||
        text[0] == u'\r' || text[0] == u'\0') {
        return std::nullopt;
    }
    return static_cast<char>(text[0].unicode());
}

// After the last row: a read or a write that failed on the way fails the run.
int Finish(int status) {
    if (std::cin.bad()) {
        std::cerr << "kestal-convert: lecture de l'entrée standard impossible\n";
        status = kExitBadValue;
    }
    if (!std::cout.flush()) {
        std::cerr << "kestal-convert: écriture de la sortie impossible\n";
        return kExitBadValue;
    }
    return status;
}

// Reads a line of standard input without its end, LF or CRLF (a file saved on Windows).
// Inline, as the loop had it: GCC keeps it out of line otherwise, which costs a
// series of a million values some 3 million instructions.
inline bool ReadLine(std::string& line) {
    if (!std::getline(std::cin, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

// The spreadsheet mode: each line of standard input kept, its converted
// fields appended. Lines are numbered from 1, the header included, as a
// spreadsheet numbers its rows.
int ConvertLines(kestal::CsvRows& rows, bool header, std::size_t column) {
    int status = kExitOk;
    std::string line;
    std::string row;
    for (unsigned long long lineNumber = 1; ReadLine(line); ++lineNumber) {
        row.clear();
        if (header && lineNumber == 1) {
            rows.AppendHeader(line, row);
        } else {
            switch (rows.AppendRow(line, row)) {
                case kestal::CsvRows::Outcome::Converted:
                    break;
                case kestal::CsvRows::Outcome::ShortLine:
                    std::cerr << "kestal-convert: ligne " << lineNumber << " : pas de champ "
                              << column << '\n';
                    status = kExitBadValue;
                    break;
                case kestal::CsvRows::Outcome::NotANumber:
                    std::cerr << "kestal-convert: ligne " << lineNumber << " : " << kNotANumber
                              << '\n';
                    status = kExitBadValue;
                    break;
            }
        }
        std::cout.write(row.data(), static_cast<std::streamsize>(row.size()));
        if (!std::cout) {
            break;
        }
    }
    return Finish(status);
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
                       "standard.\n"
                       "Avec --column, lit un fichier délimité (CSV) sur l'entrée standard et\n"
                       "recopie chaque ligne en y ajoutant les six autres échelles, de HV à Rm ;\n"
                       "les champs entre guillemets sont lus sans leurs guillemets.\n"
                       "Avec --table, écrit toute la table de conversion, comme la fenêtre\n"
                       "de la table la montre."));
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
    const QCommandLineOption columnOption(
        QStringLiteral("column"),
        QStringLiteral("Lit la valeur dans le champ N (à partir de 1) de chaque ligne de "
                       "l'entrée standard, sans VALEUR."),
        QStringLiteral("N"));
    const QCommandLineOption delimiterOption(
        QStringLiteral("delimiter"),
        QStringLiteral("Avec --column ou --table : séparateur des champs, un caractère ASCII "
                       "(tabulation par défaut, « ; » pour un tableur français)."),
        QStringLiteral("C"));
    const QCommandLineOption tableOption(
        QStringLiteral("table"),
        QStringLiteral("Écrit la table entière : une ligne d'en-tête, puis ses 97 lignes, "
                       "sans --from ni VALEUR."));
    const QCommandLineOption headerOption(
        QStringLiteral("header"),
        QStringLiteral("Avec --column : la première ligne est un en-tête, complété par les noms "
                       "des six autres échelles."));
    const QCommandLineOption detailOption(
        QStringLiteral("detail"),
        QStringLiteral("Avec --column : ajoute les lignes de la table qui encadrent la valeur, "
                       "« ligne basse » et « ligne haute » (vides hors de la table)."));
    parser.addOption(fromOption);
    parser.addOption(localeOption);
    parser.addOption(columnOption);
    parser.addOption(delimiterOption);
    parser.addOption(headerOption);
    parser.addOption(detailOption);
    parser.addOption(tableOption);
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
    const bool wholeTable = parser.isSet(tableOption);
    if (!wholeTable && !parser.isSet(fromOption)) {
        return UsageError(parser, QStringLiteral("l'option --from est obligatoire"));
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

    const bool spreadsheet = parser.isSet(columnOption);
    std::optional<char> delimiter = '\t';
    if (parser.isSet(delimiterOption)) {
        delimiter = Delimiter(parser.value(delimiterOption));
        if (!delimiter) {
            return UsageError(
                parser,
                QStringLiteral(
                    "--delimiter attend un caractère ASCII, ni guillemet ni fin de ligne : ") +
                    parser.value(delimiterOption));
        }
    }
    if (wholeTable) {
        if (parser.isSet(fromOption) || spreadsheet || parser.isSet(headerOption) ||
            parser.isSet(detailOption) || !parser.positionalArguments().isEmpty()) {
            return UsageError(parser, QStringLiteral("--table va sans --from, --column ni VALEUR"));
        }
        std::cout << kestal::TableLines(kestal::NumberText(kestal::NumberSymbolsOf(locale)),
                                        *delimiter);
        return Finish(kExitOk);
    }
    if (!spreadsheet && (parser.isSet(delimiterOption) || parser.isSet(headerOption) ||
                         parser.isSet(detailOption))) {
        return UsageError(parser,
                          QStringLiteral("--delimiter, --header et --detail vont avec --column"));
    }
    const QString scaleName = parser.value(fromOption);
    const std::optional<kestal::Scale> source = kestal::ScaleFromName(scaleName.toStdString());
    if (!source) {
        return UsageError(parser, QStringLiteral("échelle inconnue : ") + scaleName);
    }
    const kestal::ConversionTable& table = kestal::ConversionTable::BuiltIn();
    const kestal::ConversionEngine engine(kestal::NumberSymbolsOf(locale), table);
    if (spreadsheet) {
        const std::optional<std::size_t> column = ColumnNumber(parser.value(columnOption));
        if (!column) {
            return UsageError(
                parser, QStringLiteral("--column attend un numéro de champ, à partir de 1 : ") +
                            parser.value(columnOption));
        }
        if (!parser.positionalArguments().isEmpty()) {
            return UsageError(parser,
                              QStringLiteral("--column lit l'entrée standard, sans VALEUR"));
        }
        kestal::CsvRows rows(engine, table, *source,
                             {*column - 1, *delimiter, parser.isSet(detailOption)});
        return ConvertLines(rows, parser.isSet(headerOption), *column);
    }
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
        while (ReadLine(line)) {
            if (!convert(line)) {
                break;
            }
        }
    }
    return Finish(status);
}
