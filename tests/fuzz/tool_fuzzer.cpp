// kestal-convert run whole on an arbitrary command line and standard input,
// checking what a lab's scripts rely on: whatever the bytes, the program ends
// with 0, 1 or 2, a series keeps one output row per input line, and in a
// delimited file every row has as many fields as the first line and the six
// added ones, or is named on standard error.
//
// Input layout: the arguments, each ended by a NUL, then a second NUL, then the
// bytes of standard input. Without the double NUL, everything is standard
// input to "--from HV".

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzzing.hpp"
#include "tools/command_line.hpp"
#include "tools/kestal_convert.hpp"
#include "tools/system_numbers.hpp"

namespace {

using kestal::fuzzing::Promise;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutMark(std::string_view text) {
    return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

// Lines as the program reads them: a last line without its end counts.
std::size_t LineCount(std::string_view text) {
    std::size_t lines = 0;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// Fields of a line as a spreadsheet counts them, character by character: a
// delimiter parts them but inside a field that opens with a quote, up to the
// quote that closes it ("" inside stands for one).
std::size_t FieldCount(std::string_view line, char delimiter) {
    enum { kStart, kPlain, kQuoted, kQuoteInQuoted } state = kStart;
    std::size_t fields = 1;
    for (const char c : line) {
        if (state == kQuoted) {
            state = c == '"' ? kQuoteInQuoted : kQuoted;
        } else if (state == kQuoteInQuoted && c == '"') {
            state = kQuoted;
        } else if (c == delimiter) {
            ++fields;
            state = kStart;
        } else {
            state = state == kStart && c == '"' ? kQuoted : kPlain;
        }
    }
    return fields;
}

// The line numbers standard error names, at the start of its lines (a usage
// error's may name an argument that holds anything).
std::set<std::size_t> NamedLines(std::string_view err) {
    constexpr std::string_view kLine = "kestal-convert: ligne ";
    std::set<std::size_t> named;
    for (std::size_t at = err.find(kLine); at != std::string_view::npos;
         at = err.find(kLine, at + 1)) {
        if (at == 0 || err[at - 1] == '\n') {
            named.insert(std::strtoull(err.data() + at + kLine.size(), nullptr, 10));
        }
    }
    return named;
}

// Every row of a delimited file's output has the first input line's fields and
// the added ones, or its line is named: no figure under the wrong heading.
void CheckWidths(std::string_view input, std::string_view written,
                 const std::set<std::size_t>& named, const kestal::ConvertRequest& request) {
    const auto line = [](std::string_view text) {
        text = text.substr(0, text.find('\n'));
        return text.ends_with('\r') ? text.substr(0, text.size() - 1) : text;
    };
    const std::size_t width = FieldCount(line(WithoutMark(input)), request.delimiter) +
                              kestal::kScaleCount - 1 + (request.detail ? 2 : 0);
    written = WithoutMark(written);
    for (std::size_t row = 1; !written.empty(); ++row) {
        Promise(FieldCount(line(written), request.delimiter) == width || named.contains(row),
                "a row has the first line's fields and the added ones, or is named");
        written.remove_prefix(std::min(written.size(), written.find('\n') + 1));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments{"--from", "HV"};
    std::string_view input = bytes;
    if (const std::size_t end = bytes.find(std::string_view("\0\0", 2));
        end != std::string_view::npos) {
        arguments.clear();
        for (std::string_view rest = bytes.substr(0, end + 1); !rest.empty();) {
            const std::size_t nul = rest.find('\0');
            arguments.emplace_back(rest.substr(0, nul));
            rest.remove_prefix(nul + 1);
        }
        input = bytes.substr(end + 2);
    }

    std::string inputCopy(input);
    std::FILE* in = input.empty() ? std::fopen("/dev/null", "rb")
                                  : fmemopen(inputCopy.data(), inputCopy.size(), "rb");
    char* outText = nullptr;
    std::size_t outSize = 0;
    std::FILE* out = open_memstream(&outText, &outSize);
    char* errText = nullptr;
    std::size_t errSize = 0;
    std::FILE* err = open_memstream(&errText, &errSize);
    const int status = kestal::KestalConvert(arguments, in, out, err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    const std::string_view written(outText, outSize);
    const std::set<std::size_t> named = NamedLines(std::string_view(errText, errSize));

    Promise(status == 0 || status == 1 || status == 2, "the exit status is 0, 1 or 2");
    const kestal::CommandLine commandLine = kestal::ReadCommandLine(arguments);
    // A locale is looked up once the options are read, and only to convert; a
    // delimiter is then checked against its decimal separator.
    const auto& request = commandLine.request;
    const bool converts = request && request->mode != kestal::ConvertMode::Help &&
                          request->mode != kestal::ConvertMode::Version;
    const bool delimits = converts && (request->mode == kestal::ConvertMode::Spreadsheet ||
                                       request->mode == kestal::ConvertMode::Table);
    const std::optional<kestal::NumberSymbols> symbols =
        converts && request->locale ? kestal::NumberSymbolsNamed(*request->locale)
                                    : kestal::SystemNumberSymbols();
    const bool usageError =
        !request || !symbols ||
        (delimits && symbols->decimalPoint == std::u16string(1, char16_t(request->delimiter)));
    Promise(usageError == (status == 2), "a usage error, and only one, exits with 2");
    Promise(status != 2 || written.empty(), "a usage error writes nothing on standard output");
    if (!usageError) {
        Promise(named.empty() || status == 1, "a line named on standard error fails the run");
        // A byte-order mark at the start is no part of the first line.
        const std::size_t rows = LineCount(written);
        const std::size_t valueLines =
            request->values.empty() ? LineCount(WithoutMark(input)) : request->values.size();
        switch (request->mode) {
            case kestal::ConvertMode::Values:
                Promise(rows == 1 + valueLines, "a series gives a header and one row per value");
                break;
            case kestal::ConvertMode::Spreadsheet:
                Promise(rows == LineCount(WithoutMark(input)), "a file gives one row per line");
                CheckWidths(input, written, named, *request);
                break;
            case kestal::ConvertMode::Table:
                Promise(rows == 98, "the table is a header and 97 rows");
                break;
            default:
                break;
        }
    }
    std::free(outText);
    std::free(errText);
    return 0;
}
