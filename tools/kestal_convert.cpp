#include "kestal_convert.hpp"

#include <charconv>
#include <optional>

#include "app/lab/table_fingerprint.hpp"
#include "app/lab/validation_checks.hpp"
#include "app/table/table_lines.hpp"
#include "app/text/text_encoding.hpp"
#include "batch_rows.hpp"
#include "batch_run.hpp"
#include "command_line.hpp"
#include "conversion/conversion_engine.hpp"
#include "conversion/version.hpp"
#include "csv_rows.hpp"
#include "line_reader.hpp"
#include "record_context.hpp"
#include "system_numbers.hpp"
#include "text_output.hpp"

namespace kestal {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadValue = 1;
constexpr int kExitUsage = 2;
// --validate only: the record could not be written, whatever it found.
constexpr int kExitRecordUnwritten = 3;

// Windows programs write text files with CRLF, and keep LF where their input
// came with it; elsewhere every line ends with LF.
#ifdef _WIN32
constexpr bool kCrlfSystem = true;
#else
constexpr bool kCrlfSystem = false;
#endif

// The window's words for a value that is not a number, so that a lab reads the
// same message whichever way it converts.
constexpr std::string_view kNotANumber = "La valeur rentrée n'est pas considérée comme un nombre";

struct Streams {
    LineReader in;
    TextOutput out;
    TextOutput err;
};

int UsageError(Streams& streams, std::string_view reason) {
    streams.err.Append("kestal-convert: ");
    streams.err.Append(reason);
    streams.err.Append("\n\n");
    streams.err.Append(UsageText());
    return kExitUsage;
}

void LineMessage(Streams& streams, unsigned long long lineNumber, std::string_view message) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, lineNumber);
    std::string& err = streams.err.Pending();
    err.append("kestal-convert: ligne ");
    err.append(digits, written.ptr);
    err.append(" : ");
    err.append(message);
    err.push_back('\n');
    streams.err.Commit();
}

// The first line of the input, read before anything is written, so that the
// output takes its line ends.
bool FirstLine(Streams& streams, std::string_view& line) {
    const bool any = streams.in.Next(line);
    streams.out.SetCrlf(kCrlfSystem && (!any || streams.in.EndedWithCrlf()));
    streams.err.SetCrlf(kCrlfSystem && (!any || streams.in.EndedWithCrlf()));
    return any;
}

// After the last row: a read or a write that failed on the way fails the run.
int Finish(Streams& streams, int status) {
    if (streams.in.Failed()) {
        streams.err.Append("kestal-convert: lecture de l'entrée standard impossible\n");
        status = kExitBadValue;
    }
    if (!streams.out.Flush()) {
        streams.err.Append("kestal-convert: écriture de la sortie impossible\n");
        status = kExitBadValue;
    }
    return status;
}

// Why a line of a delimited file keeps its fields empty.
std::string LineFault(CsvRows::Outcome outcome, const CsvRows& rows,
                      const ConvertRequest& request) {
    switch (outcome) {
        case CsvRows::Outcome::ShortLine:
            return "pas de champ " + std::to_string(request.column + 1);
        case CsvRows::Outcome::NotANumber:
            return std::string(kNotANumber);
        case CsvRows::Outcome::LongLine:
            return std::to_string(rows.LastWidth()) + " champs, " +
                   (request.header ? "l'en-tête" : "la première ligne") + " n'en a que " +
                   std::to_string(rows.Width());
        case CsvRows::Outcome::OpenQuote:
            return "guillemet non fermé";
        case CsvRows::Outcome::Converted:
            break;
    }
    return {};
}

// The spreadsheet mode: each line of standard input kept, its converted fields
// appended. Lines are numbered from 1, the header included, as a spreadsheet
// numbers its rows.
int ConvertLines(Streams& streams, const ConvertRequest& request, const ConversionEngine& engine) {
    CsvRows rows(engine, request.source, {request.column, request.delimiter, request.detail});
    int status = kExitOk;
    std::string_view line;
    for (unsigned long long lineNumber = 1;
         lineNumber == 1 ? FirstLine(streams, line) : streams.in.Next(line); ++lineNumber) {
        if (lineNumber == 1 && streams.in.HadByteOrderMark()) {
            // The first line is copied as it came, its mark with it.
            streams.out.Append(kByteOrderMark);
        }
        const CsvRows::Outcome outcome = request.header && lineNumber == 1
                                             ? rows.AppendHeader(line, streams.out.Pending())
                                             : rows.AppendRow(line, streams.out.Pending());
        if (outcome != CsvRows::Outcome::Converted) {
            LineMessage(streams, lineNumber, LineFault(outcome, rows, request));
            status = kExitBadValue;
        }
        if (!streams.out.Commit()) {
            break;
        }
    }
    return Finish(streams, status);
}

// A plain series: a header, then one row per value, from the arguments or
// from standard input.
int ConvertValues(Streams& streams, const ConvertRequest& request, const ConversionEngine& engine) {
    BatchRows rows(engine, request.source);
    int status = kExitOk;
    unsigned long long lineNumber = 0;
    const auto convert = [&](std::string_view value) {
        ++lineNumber;
        if (!rows.AppendRow(value, streams.out.Pending())) {
            LineMessage(streams, lineNumber, kNotANumber);
            status = kExitBadValue;
        }
        // Past a failed write nothing more would reach the reader: stop there.
        return streams.out.Commit();
    };
    if (!request.values.empty()) {
        BatchRows::AppendHeader(streams.out.Pending());
        for (const std::string& value : request.values) {
            if (!convert(value)) {
                break;
            }
        }
        return Finish(streams, status);
    }
    std::string_view line;
    const bool any = FirstLine(streams, line);
    BatchRows::AppendHeader(streams.out.Pending());
    if (any && convert(line)) {
        while (streams.in.Next(line) && convert(line)) {
        }
    }
    return Finish(streams, status);
}

// The validation record, of the program's own table, boxes, conventions and
// rows: 0 when it says CONFORME, 1 when it says NON CONFORME.
int Validate(Streams& streams, const ConvertRequest& request, const NumberSymbols& symbols) {
    const ConversionTable& table = ConversionTable::BuiltIn();
    const ConversionEngine engine(symbols, table);
    const std::string name = request.locale ? *request.locale : SystemLocaleName();
    ValidationChecks checks = RunValidationChecks({.table = table,
                                                   .numbers = symbols,
                                                   .defaultNumbers = name.empty(),
                                                   .typing = TypingOver(table),
                                                   .numbersNamed = NumberSymbolsNamed});
    CheckBatchRows(BatchRunThrough(engine), symbols, checks);
    std::u16string numbers;
    Utf8ToUtf16(name.empty() ? "français, faute de locale" : name, numbers);
    const RecordContext context = ToolRecordContext(numbers);
    const std::u16string record = request.html ? RecordHtml(checks, context, engine.Numbers())
                                               : RecordText(checks, context, engine.Numbers());
    AppendUtf8(record, streams.out.Pending());
    if (!streams.out.Flush()) {
        streams.err.Append("kestal-convert: écriture du dossier de validation impossible\n");
        return kExitRecordUnwritten;
    }
    return checks.Conforms() ? kExitOk : kExitBadValue;
}

}  // namespace

int KestalConvert(const std::vector<std::string>& arguments, std::FILE* in, std::FILE* out,
                  std::FILE* err) {
    Streams streams{LineReader(in), TextOutput(out), TextOutput(err)};
    streams.out.SetCrlf(kCrlfSystem);
    streams.err.SetCrlf(kCrlfSystem);
    const CommandLine commandLine = ReadCommandLine(arguments);
    if (!commandLine.request) {
        return UsageError(streams, commandLine.error);
    }
    const ConvertRequest& request = *commandLine.request;
    switch (request.mode) {
        case ConvertMode::Help:
            streams.out.Append(UsageText());
            return Finish(streams, kExitOk);
        case ConvertMode::Version:
            streams.out.Append("kestal-convert ");
            streams.out.Append(kVersion);
            streams.out.Append("\nEmpreinte de la table (SHA-256) : ");
            streams.out.Append(TableFingerprintOf(ConversionTable::BuiltIn()));
            streams.out.Append("\n");
            return Finish(streams, kExitOk);
        default:
            break;
    }
    std::optional<NumberSymbols> symbols = SystemNumberSymbols();
    if (request.locale) {
        symbols = NumberSymbolsNamed(*request.locale);
        if (!symbols) {
            return UsageError(streams, "locale inconnue : " + *request.locale);
        }
    }
    // A delimiter that is the decimal separator would split every figure in two.
    if ((request.mode == ConvertMode::Spreadsheet || request.mode == ConvertMode::Table) &&
        symbols->decimalPoint == std::u16string(1, static_cast<char16_t>(request.delimiter))) {
        return UsageError(streams, "--delimiter ne peut pas être le séparateur décimal : " +
                                       std::string(1, request.delimiter));
    }
    if (request.mode == ConvertMode::Validate) {
        return Validate(streams, request, *symbols);
    }
    if (request.mode == ConvertMode::Table) {
        streams.out.Append(
            TableLines(ConversionTable::BuiltIn(), NumberText(*symbols), request.delimiter));
        return Finish(streams, kExitOk);
    }
    const ConversionEngine engine(*std::move(symbols), ConversionTable::BuiltIn());
    return request.mode == ConvertMode::Spreadsheet ? ConvertLines(streams, request, engine)
                                                    : ConvertValues(streams, request, engine);
}

}  // namespace kestal
