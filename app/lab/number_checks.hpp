#pragma once

#include "app/lab/expected_figures.hpp"
#include "app/lab/validation_checks.hpp"

namespace kestal {

// Reading and writing numbers: under the conventions in force, and under the
// French, English and C ones, texts of every kind the program refuses, in the
// middle and at the end, are refused with the message; every form it takes is
// read as its value; every figure is written with the convention's separator.
// Where the program names conventions (kestal-convert), fr_FR, en_US and C
// give the separator they must, and so do the defaults where they are in force.
void CheckNumbers(const CheckedProgram& program, const ExpectedFigures& expected,
                  ValidationChecks& checks);

}  // namespace kestal
