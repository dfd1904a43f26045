// The validation record's checks: the real table passes them with the full
// counts the published figures give, and each fault seeded in the conversion
// or the table fails them, named in its own section of the record.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/sha256.hpp"
#include "app/validation_record.hpp"

namespace kestal {
namespace {

using enum Scale;

const NumberSymbols kFrench{u",", u"-", u"+", u"E"};
const NumberSymbols kEnglish{u".", u"-", u"+", u"e"};
const NumberSymbols kArabic{u"\u066b", u"\u061c-", u"\u061c+", u"\u0623\u0633", u'\u0660'};

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

bool Names(const CheckSection& section, std::u16string_view words) {
    for (const std::u16string& fault : section.faults) {
        if (fault.find(words) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

// From the suite's own copy of the published figures: the cells that hold a
// value, and the pairs of neighbouring rows that both do, over every scale.
std::pair<int, int> PublishedCellsAndPairs() {
    std::ifstream file(KESTAL_PUBLISHED_TABLE);
    std::array<std::vector<double>, kScaleCount> columns;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with("#")) {
            continue;
        }
        std::istringstream fields(line);
        int row = 0;
        fields >> row;
        for (std::vector<double>& column : columns) {
            column.push_back(0);
            fields >> column.back();
        }
    }
    int cells = 0;
    int pairs = 0;
    for (const std::vector<double>& column : columns) {
        for (std::size_t k = 0; k < column.size(); ++k) {
            cells += column[k] != 0 ? 1 : 0;
            pairs += k > 0 && column[k] != 0 && column[k - 1] != 0 ? 1 : 0;
        }
    }
    return {cells, pairs};
}

TEST(Validation, TheRealTableConformsWithTheFullCounts) {
    const auto [cells, pairs] = PublishedCellsAndPairs();
    for (const NumberSymbols& symbols : {kFrench, kEnglish, kArabic}) {
        const ConversionEngine engine(symbols);
        const ValidationChecks checks = RunValidationChecks(
            ConversionTable::BuiltIn(), engine.Numbers(), TypingThrough(engine));
        EXPECT_TRUE(checks.Conforms()) << Narrow(symbols.decimalPoint);
        EXPECT_EQ(checks.typedRows, cells);
        EXPECT_EQ(checks.reproduced.checked, 6 * cells);
        EXPECT_EQ(checks.order.checked, cells);
        EXPECT_EQ(checks.midpoints, pairs);
        EXPECT_GT(checks.ties, 0);
        // Each middle compares six boxes, figures or, at a scale's edge, empty ones;
        // then two values just outside and six texts that are no number, in each scale.
        EXPECT_EQ(checks.interpolation.checked + checks.limits.checked,
                  6 * pairs + kScaleCount * (2 + 6));
        const std::u16string text = RecordText(checks, {}, engine.Numbers());
        EXPECT_NE(text.find(u"Résultat : CONFORME"), std::u16string::npos);
    }
}

// Faults seeded in what a user would get from typing, each of which the
// record must find and name in its section.
struct SeededFault {
    const char* fault;
    std::function<Typing(const Typing& real, const ConversionTable& table,
                         const NumberText& numbers)>
        seed;
    CheckSection ValidationChecks::*section;
    std::u16string named;  // words its fault says
    std::u16string title;  // its section's title in the record
    std::u16string next;   // the next section's
};

TEST(Validation, SeededFaultsAreFoundAndNamedInTheirSection) {
    const auto value = [](const NumberText& numbers, std::u16string_view text) {
        const auto typed = numbers.Parse(text);
        return typed ? std::optional(typed->value) : std::nullopt;
    };
    const std::vector<SeededFault> faults{
        {"the first row of a run missed when typed exactly",
         [value](const Typing& real, const ConversionTable& table, const NumberText& numbers) {
             return [=, &table, &numbers](Scale source, std::u16string_view text) {
                 const auto typed = value(numbers, text);
                 const auto& run = table.RisingRun(source);
                 const bool first =
                     typed && run &&
                     static_cast<float>(*typed) == table.Cells(source)[run->first - 1];
                 return first ? TypedBoxes{} : real(source, text);
             };
         },
         &ValidationChecks::reproduced,
         u"ligne 33, HRC 20,3, HV : une case vide au lieu de « 240,0 »", u"2. Table reproduite",
         u"3. Ordre de la table"},
        {"an interpolation taken from the pair of rows above",
         [value](const Typing& real, const ConversionTable& table, const NumberText& numbers) {
             return [=, &table, &numbers](Scale source, std::u16string_view text) {
                 const auto typed = value(numbers, text);
                 const auto row =
                     typed ? FindBracket(table, source, static_cast<float>(*typed)) : std::nullopt;
                 const auto& cells = table.Cells(source);
                 if (!row || *typed == cells[*row - 1] || *typed == cells[*row] ||
                     cells[*row + 1] == 0) {
                     return real(source, text);
                 }
                 const double above = *typed + cells[*row] - cells[*row - 1];
                 return real(source, HundredthsText(std::lround(above * 100), numbers.Symbols()));
             };
         },
         &ValidationChecks::interpolation, u"HV 82,5 (lignes 1 et 2), HB : « 83,1 » au lieu de",
         u"4. Interpolation", u"5. Limites et refus"},
        {"a tenth past the last value taken for the last value",
         [value](const Typing& real, const ConversionTable& table, const NumberText& numbers) {
             return [=, &table, &numbers](Scale source, std::u16string_view text) {
                 const auto typed = value(numbers, text);
                 const auto& run = table.RisingRun(source);
                 const double last = table.Cells(source)[run->last - 1];
                 return typed && std::lround(*typed * 10) == std::lround(last * 10) + 1
                            ? real(source, numbers.FormatAsTable(static_cast<float>(last)))
                            : real(source, text);
             };
         },
         &ValidationChecks::limits, u"HV 940,1, hors de l'échelle : HRA « 85,6 »",
         u"5. Limites et refus", u"6. Conclusion"},
    };
    const ConversionEngine engine(kFrench);
    for (const SeededFault& fault : faults) {
        SCOPED_TRACE(fault.fault);
        const ValidationChecks checks = RunValidationChecks(
            ConversionTable::BuiltIn(), engine.Numbers(),
            fault.seed(TypingThrough(engine), ConversionTable::BuiltIn(), engine.Numbers()));
        EXPECT_FALSE(checks.Conforms());
        EXPECT_TRUE(Names(checks.*fault.section, fault.named)) << Narrow(fault.named);
        const std::u16string text = RecordText(checks, {}, engine.Numbers());
        const std::size_t named = text.find(fault.named);
        EXPECT_TRUE(text.find(u"Résultat : NON CONFORME") != std::u16string::npos &&
                    text.find(fault.title) < named && named < text.find(fault.next));
    }
}

// Two neighbouring HV cells swapped: the order check names the row, and the
// program, which goes by the same runs, finds its HV column no rising run.
TEST(Validation, ARowOutOfOrderIsNamed) {
    ConversionTable::Columns columns;
    for (const Scale scale : kAllScales) {
        columns[ColumnOf(scale)] = ConversionTable::BuiltIn().Cells(scale);
    }
    std::swap(columns[ColumnOf(HV)][39], columns[ColumnOf(HV)][40]);  // rows 40 and 41
    const ConversionTable swapped(columns);
    const ConversionEngine engine(kFrench, swapped);
    const ValidationChecks checks =
        RunValidationChecks(swapped, engine.Numbers(), TypingThrough(engine));
    EXPECT_FALSE(checks.Conforms());
    EXPECT_TRUE(
        Names(checks.order, u"HV : ligne 41 (275,0) hors d'ordre après la ligne 40 (280,0)"));
}

// Middles worked by hand, in tenths and hundredths, and how they are written.
TEST(Validation, ExactDecimalMiddles) {
    struct Case {
        long lower, upper;  // tenths
        long hundredths, low, high;
    };
    for (const Case& c : {Case{800, 850, 8250, 825, 825},          // HV 80 and 85: 82,5
                          Case{723, 733, 7280, 728, 728},          // HRA 72,3 and 73,3
                          Case{573, 578, 5755, 575, 576},          // HRC 57,3 and 57,8: a half
                          Case{2328, 2355, 23415, 2341, 2342}}) {  // HB 232,8 and 235,5
        const Middle middle = MiddleOf(c.lower, c.upper);
        EXPECT_EQ(middle.hundredths, c.hundredths);
        EXPECT_EQ(middle.low, c.low);
        EXPECT_EQ(middle.high, c.high);
    }
    EXPECT_EQ(DecimalText(805, kFrench), u"80,5");
    EXPECT_EQ(DecimalText(9400, kEnglish), u"940.0");
    EXPECT_EQ(HundredthsText(23415, kEnglish), u"234.15");
    EXPECT_EQ(HundredthsText(5750, kFrench), u"57,5");
    EXPECT_EQ(DecimalText(805, kArabic), u"\u0668\u0660\u066b\u0665");
}

// Known answers, across the lengths where the padding takes a second block.
TEST(Validation, Sha256KnownAnswers) {
    for (const auto& [message, digest] : std::vector<std::pair<std::string, std::string>>{
             {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
             {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
             {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
             {std::string(1000000, 'a'),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}}) {
        EXPECT_EQ(HexDigits(Sha256(message)), digest) << message.size();
    }
}

}  // namespace
}  // namespace kestal
