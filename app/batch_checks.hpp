#pragma once

#include "app/expected_figures.hpp"
#include "app/validation_checks.hpp"

namespace kestal {

// kestal-convert's own row code, where the program has it, over a set of its
// own from every scale: values one per line, and a ';' file through --column,
// --header and --detail. Every field, in its column, is what the published
// figures and the documented steps give.
void CheckBatch(const CheckedProgram& program, const ExpectedFigures& expected,
                ValidationChecks& checks);

}  // namespace kestal
