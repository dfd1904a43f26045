#pragma once

// The checks of Kestal's validation record, which a lab files before first use
// and after every change. They reach the program through a few narrow entry
// points (the boxes and their key-release run under given conventions, the
// conventions a locale's name gives, kestal-convert's row code), each of which
// a test can replace by a faulty one; every figure they expect comes from the
// published figures the record carries and from its own arithmetic, never from
// the code they check.
//   published_figures  the published figures, as decimal text of their own
//   expected_figures   what a conversion must give, exactly and digit for digit
//   validation_checks  the checks, section by section
//   number_checks      reading and writing numbers under several conventions
//   batch_checks       kestal-convert's rows, which only it links
//   validation_record  the record, as text or as a page to print

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/conversion_engine.hpp"

namespace kestal {

// What the window shows once a text is given to one box, the six others empty,
// and the key is released: the seven boxes by Scale, whether the failure
// message was shown, and what the run went by as its notes name it (the pair
// of rows, which kestal-convert's --detail writes too).
struct TypedBoxes {
    std::array<std::u16string, kScaleCount> texts;
    bool refused = false;
    std::optional<ConversionReasons> run;
};

using Typing = std::function<TypedBoxes(Scale source, std::u16string_view text)>;

// Boxes under given conventions, for the checks to give texts to.
using TypingUnder = std::function<Typing(const NumberSymbols& symbols)>;

// The program's own: seven boxes in memory and the key-release run the windows
// use, an engine over `table` for each set of conventions. `table` must
// outlive what it returns.
TypingUnder TypingOver(const ConversionTable& table);

// The conventions the program takes for a locale's name ("fr_FR", "en_US",
// "C"); none for a locale the system does not have.
using NumbersNamed = std::function<std::optional<NumberSymbols>(std::string_view name)>;

// The program as the record checks it.
struct CheckedProgram {
    const ConversionTable& table;  // the cells its engine reads
    NumberSymbols numbers;         // the conventions in force
    bool defaultNumbers = false;   // in force because no locale is named
    TypingUnder typing;
    // kestal-convert's alone; empty for the page, which takes its conventions
    // from the browser.
    NumbersNamed numbersNamed;
};

// Points drawn from a fixed sequence inside each pair of rows, besides its
// quarters and the hundredths inside its ends.
inline constexpr int kDrawnPoints = 20;

struct CheckSection {
    std::vector<std::u16string> faults;  // each one that failed, in words
};

struct ValidationChecks {
    const ConversionTable* table = nullptr;  // the one checked, for the annex
    std::string fingerprint;                 // its SHA-256, worked out from it

    // The cells of the program's table against the published figures.
    int cells = 0;
    int cellsWithFigures = 0;
    CheckSection published;
    // Rows with a figure, in each scale.
    int orderedRows = 0;
    CheckSection order;
    // Each published figure given to its box.
    int givenFigures = 0;
    int comparedBoxes = 0;
    CheckSection reproduced;
    // Points inside every pair of neighbouring rows.
    int pairs = 0;
    int points = 0;
    int longPoints = 0;    // of them, with more digits than a single holds
    int digitFigures = 0;  // figures compared digit for digit
    int exactFigures = 0;  // of them, also against the exact interpolation
    int nearHalves = 0;    // of those, where both neighbouring tenths are near enough
    CheckSection interpolation;
    // Outside each scale, and the boxes left empty inside a pair of rows.
    int outsideValues = 0;
    int edgeBoxes = 0;      // where one row of the pair has a figure of the target
    int noFigureBoxes = 0;  // where neither has
    CheckSection limits;
    // Reading and writing numbers.
    std::vector<std::u16string> conventions;  // those checked, in words
    bool namesChecked = false;                // the program's own for locales' names
    int refusals = 0;
    int emptyBoxesGiven = 0;
    int acceptances = 0;
    int writtenFigures = 0;
    CheckSection numbers;
    // kestal-convert's rows (CheckBatchRows); none checked for the page.
    bool batchChecked = false;
    int batchLines = 0;
    int batchFields = 0;
    CheckSection batch;

    bool Conforms() const {
        return published.faults.empty() && order.faults.empty() && reproduced.faults.empty() &&
               interpolation.faults.empty() && limits.faults.empty() && numbers.faults.empty() &&
               batch.faults.empty();
    }
};

// Runs every check on `program`; kestal-convert adds its rows' own with
// CheckBatchRows.
ValidationChecks RunValidationChecks(const CheckedProgram& program);

}  // namespace kestal
