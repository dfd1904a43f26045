#pragma once

// What a command line asks of kestal-convert, read with getopt_long and checked
// before anything is read or written.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "conversion/scale.hpp"

namespace kestal {

enum class ConvertMode {
    Values,       // --from, values as arguments or one per line of standard input
    Spreadsheet,  // --from --column: one field of each line of a delimited file
    Table,        // --table: the whole table
    Validate,     // --validate: the validation record
    Help,
    Version,
};

struct ConvertRequest {
    ConvertMode mode = ConvertMode::Values;
    Scale source = Scale::HV;
    std::optional<std::string> locale;  // --locale, as given
    std::size_t column = 0;             // 0-based
    char delimiter = '\t';
    bool header = false;
    bool detail = false;
    bool html = false;                // --validate as a page to print
    std::vector<std::string> values;  // UTF-8
};

// A request, or the reason, in French, why the command line is refused.
struct CommandLine {
    std::optional<ConvertRequest> request;
    std::string error;
};

// `arguments` are UTF-8, without the program's name.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

// The --help text, also shown after a usage error.
std::string UsageText();

}  // namespace kestal
