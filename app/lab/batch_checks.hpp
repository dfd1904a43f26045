#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/lab/validation_checks.hpp"

namespace kestal {

// kestal-convert's row code run over `lines` (UTF-8, each ended by LF) as
// --from and, with a column, --column, --delimiter, --header and --detail ask:
// what it writes, each line ended by LF.
struct BatchRequest {
    Scale source = Scale::HV;
    std::optional<std::size_t> column;  // 0-based; none for values one per line
    char delimiter = '\t';
    bool header = false;
    bool detail = false;
};
using BatchRun = std::function<std::string(const BatchRequest& request, std::string_view lines)>;

// Runs `batch` over a set of the record's own from every scale, its values
// written as `numbers` writes them: values one per line, and a ';' file
// through --column, --header and --detail. Every field, in its column, must
// be what the published figures and the documented steps give. Here rather
// than in RunValidationChecks, so that the page, which has no such rows, does
// not carry their checks.
void CheckBatchRows(const BatchRun& batch, const NumberSymbols& numbers, ValidationChecks& checks);

}  // namespace kestal
