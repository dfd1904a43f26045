// kestal-convert run whole on an arbitrary command line and standard input,
// checking what a lab's scripts rely on: whatever the bytes, the program ends
// with 0, 1 or 2, and a series keeps one output row per input line.
//
// Input layout: the arguments, each ended by a NUL, then a second NUL, then the
// bytes of standard input. Without the double NUL, everything is standard
// input to "--from HV".

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzzing.hpp"
#include "tools/command_line.hpp"
#include "tools/kestal_convert.hpp"
#include "tools/system_numbers.hpp"

namespace {

using kestal::fuzzing::Promise;

// Lines as the program reads them: a last line without its end counts.
std::size_t LineCount(std::string_view text) {
    std::size_t lines = 0;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines + (!text.empty() && text.back() != '\n' ? 1 : 0);
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
    std::FILE* err = std::fopen("/dev/null", "wb");
    const int status = kestal::KestalConvert(arguments, in, out, err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    const std::string_view written(outText, outSize);

    Promise(status == 0 || status == 1 || status == 2, "the exit status is 0, 1 or 2");
    const kestal::CommandLine commandLine = kestal::ReadCommandLine(arguments);
    // A locale is looked up once the options are read, and only to convert.
    const auto& request = commandLine.request;
    const bool converts = request && request->mode != kestal::ConvertMode::Help &&
                          request->mode != kestal::ConvertMode::Version;
    const bool usageError =
        !request || (converts && request->locale && !kestal::NumberSymbolsNamed(*request->locale));
    Promise(usageError == (status == 2), "a usage error, and only one, exits with 2");
    Promise(status != 2 || written.empty(), "a usage error writes nothing on standard output");
    if (!usageError) {
        const std::size_t rows = LineCount(written);
        const std::size_t valueLines =
            request->values.empty() ? LineCount(input) : request->values.size();
        switch (request->mode) {
            case kestal::ConvertMode::Values:
                Promise(rows == 1 + valueLines, "a series gives a header and one row per value");
                break;
            case kestal::ConvertMode::Spreadsheet:
                Promise(rows == LineCount(input), "a file gives one row per line");
                break;
            case kestal::ConvertMode::Table:
                Promise(rows == 98, "the table is a header and 97 rows");
                break;
            default:
                break;
        }
    }
    std::free(outText);
    return 0;
}
