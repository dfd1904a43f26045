// kestal-convert: the window's conversions for whole series of measurements,
// from a shell or a spreadsheet export.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <string>

#include "batch_rows.hpp"
#include "conversion/conversion_engine.hpp"
#include "conversion/conversion_table.hpp"
#include "conversion/number_text.hpp"
#include "conversion/scale.hpp"
#include "line_reader.hpp"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadValue = 1;
constexpr int kExitUsage = 2;

// Output goes out in blocks of this size: one write per row would cost more
// than the conversion itself.
constexpr std::size_t kFlushThreshold = 1 << 16;

// The window's words for a value that is not a number, so that a lab reads the
// same message whichever way it converts.
constexpr const char* kNotANumber = "La valeur rentrée n'est pas considérée comme un nombre";

void Print(std::FILE* stream, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stream);
}

int UsageError(const QCommandLineParser& parser, const QString& message) {
    Print(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") + message +
                      QStringLiteral("\n\n") + parser.helpText());
    return kExitUsage;
}

// Collects output rows and writes them in blocks; remembers a failed write so
// that a full disk is reported rather than taken for success.
class Output {
public:
    Output() { m_buffer.reserve(kFlushThreshold + 4096); }

    std::string& Buffer() { return m_buffer; }

    void FlushIfFull() {
        if (m_buffer.size() >= kFlushThreshold) {
            Flush();
        }
    }

    bool Flush() {
        if (!m_buffer.empty() &&
            std::fwrite(m_buffer.data(), 1, m_buffer.size(), stdout) != m_buffer.size()) {
            m_failed = true;
        }
        m_buffer.clear();
        return !m_failed;
    }

    bool Finish() { return Flush() && std::fflush(stdout) == 0 && !m_failed; }

    bool Failed() const { return m_failed; }

private:
    std::string m_buffer;
    bool m_failed = false;
};

void ReportNotANumber(unsigned long long lineNumber) {
    std::fprintf(stderr, "kestal-convert: ligne %llu : %s\n", lineNumber, kNotANumber);
}

}  // namespace

int main(int argc, char* argv[]) {
    // A series full of bad values would otherwise cost one write per message.
    std::setvbuf(stderr, nullptr, _IOFBF, 1 << 14);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestal-convert"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));

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
        Print(stdout, parser.helpText());
        return kExitOk;
    }
    if (parser.isSet(versionOption)) {
        Print(stdout, QCoreApplication::applicationName() + u' ' +
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

    kestal::ConversionTable table;
    table.Fill();
    const kestal::ConversionEngine engine(table, locale);
    kestal::BatchRows rows(engine, *source);

    Output output;
    kestal::BatchRows::AppendHeader(output.Buffer());
    int status = kExitOk;
    unsigned long long lineNumber = 0;
    const auto convert = [&](std::string_view value) {
        ++lineNumber;
        if (!rows.AppendRow(value, output.Buffer())) {
            ReportNotANumber(lineNumber);
            status = kExitBadValue;
        }
        output.FlushIfFull();
        // Past a failed write nothing more would reach the reader: stop there.
        return !output.Failed();
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
        kestal::LineReader reader(stdin);
        std::string line;
        while (reader.Next(line) && convert(line)) {
        }
        if (reader.Failed()) {
            std::fprintf(stderr, "kestal-convert: lecture de l'entrée standard impossible\n");
            status = kExitBadValue;
        }
    }

    if (!output.Finish()) {
        std::fprintf(stderr, "kestal-convert: écriture de la sortie impossible\n");
        return kExitBadValue;
    }
    return status;
}
