#pragma once

#include "app/lab/batch_checks.hpp"
#include "conversion/conversion_engine.hpp"

namespace kestal {

// kestal-convert's row code, batch_rows and csv_rows, as the validation record
// runs it: the rows they write for whole lines given at once, as the program
// writes them for standard input. `engine` must outlive what it returns.
BatchRun BatchRunThrough(const ConversionEngine& engine);

}  // namespace kestal
