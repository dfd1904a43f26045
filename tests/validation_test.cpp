// The validation record: the real program conforms, and each fault a lab needs
// it to catch, planted in one of the entry points it checks the program
// through, makes it NON CONFORME with that fault named.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/lab/table_fingerprint.hpp"
#include "app/lab/validation_record.hpp"
#include "app/window/table_identity.hpp"
#include "tools/batch_run.hpp"

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

// Locales as a system that has fr_FR and en_US names them.
std::optional<NumberSymbols> Named(std::string_view name) {
    return name == "fr_FR"   ? std::optional(kFrench)
           : name == "en_US" ? std::optional(kEnglish)
           : name == "C"     ? std::optional(CNumberSymbols())
                             : std::nullopt;
}

// The program as kestal-convert hands it to the record, with its rows.
struct Tool {
    CheckedProgram program;
    BatchRun batch;

    Tool(const ConversionTable& table, const ConversionEngine& engine, bool byDefault)
        : program{.table = table,
                  .numbers = engine.Numbers().Symbols(),
                  .defaultNumbers = byDefault,
                  .typing = TypingOver(table),
                  .numbersNamed = Named},
          batch(BatchRunThrough(engine)) {}

    ValidationChecks Check() const {
        ValidationChecks checks = RunValidationChecks(program);
        if (batch) {
            CheckBatchRows(batch, program.numbers, checks);
        }
        return checks;
    }
};

// Every fault the checks found, one a line.
std::u16string AllFaults(const ValidationChecks& checks) {
    std::u16string all;
    for (const CheckSection* section :
         {&checks.published, &checks.order, &checks.reproduced, &checks.interpolation,
          &checks.limits, &checks.numbers, &checks.batch}) {
        for (const std::u16string& fault : section->faults) {
            all += fault + u"\n";
        }
    }
    return all;
}

// By default and under en_US, kestal-convert --validate says CONFORME in
// kestal_convert_test.sh; here, as the page checks it (no locale names, no
// rows), under a locale with digits, signs and separator of its own.
TEST(Validation, TheRealProgramConforms) {
    const ConversionEngine engine(kArabic);
    Tool tool(ConversionTable::BuiltIn(), engine, false);
    tool.program.numbersNamed = {};
    tool.batch = {};
    const ValidationChecks checks = tool.Check();
    EXPECT_EQ(Narrow(AllFaults(checks)), "");
    EXPECT_GE(checks.points, 25 * checks.pairs);
    EXPECT_GT(checks.longPoints, 0);
    EXPECT_NE(RecordText(checks, {}, engine.Numbers()).find(u"Résultat : CONFORME"),
              std::u16string::npos);
}

// Boxes whose texts or pair of rows `fault` changes after the real run.
std::function<void(Tool&)> AfterRun(std::function<void(TypedBoxes&, const NumberText&)> fault) {
    return [fault](Tool& tool) {
        tool.program.typing = [real = tool.program.typing, fault](const NumberSymbols& symbols) {
            return [typing = real(symbols), numbers = NumberText(symbols), fault](
                       Scale source, std::u16string_view text) {
                TypedBoxes boxes = typing(source, text);
                if (boxes.run && boxes.run->bracket) {
                    fault(boxes, numbers);
                }
                return boxes;
            };
        };
    };
}

// Boxes given what `fault` makes of the text instead of the text.
std::function<void(Tool&)> Misread(
    std::function<std::u16string(std::u16string text, std::u16string_view point)> fault) {
    return [fault](Tool& tool) {
        tool.program.typing = [real = tool.program.typing, fault](const NumberSymbols& symbols) {
            return [typing = real(symbols), point = symbols.decimalPoint, fault](
                       Scale source, std::u16string_view text) {
                return typing(source, fault(std::u16string(text), point));
            };
        };
    };
}

// Each target that shows a figure given the one `figure` works out instead.
void Refigure(TypedBoxes& boxes, const NumberText& numbers,
              const std::function<float(const TargetReason&)>& figure) {
    for (const TargetReason& reason : boxes.run->targets) {
        if (std::u16string& shown = boxes.texts[ColumnOf(reason.target)]; !shown.empty()) {
            shown = numbers.FormatOneDecimal(figure(reason));
        }
    }
}

// A row's own value, above a scale's first: the upper end of the pair below.
bool HitsUpperRow(const TypedBoxes& boxes) {
    return boxes.run->exactRow == *boxes.run->bracket + 1;
}

struct PlantedFault {
    const char* fault;
    std::function<void(ConversionTable::Columns&)> table;  // none: the real table
    std::function<void(Tool&)> plant;                      // none: the real entry points
    std::vector<std::u16string> named;                     // among the record's faults
};

TEST(Validation, EachPlantedFaultIsFoundAndNamed) {
    const ConversionTable& real = ConversionTable::BuiltIn();
    const std::vector<PlantedFault> faults{
        {"a published cell off by a tenth",
         [](ConversionTable::Columns& columns) { columns[ColumnOf(HRC)][49] = 35.6f; },
         {},
         {u"ligne 50, HRC : « 35,6 » au lieu de « 35,5 », la valeur publiée",
          u"au lieu de " + std::u16string(kTableFingerprint.begin(), kTableFingerprint.end()) +
              u", l'attendue"}},
        {"two neighbouring rows swapped",
         [](ConversionTable::Columns& columns) {
             for (ConversionTable::Column& column : columns) {
                 std::swap(column[39], column[40]);
             }
         },
         {},
         {u"HV : ligne 41 (« 275 ») hors d'ordre après la ligne 40 (« 280 »)"}},
        {"the lower row's figure given at an exact row",
         {},
         AfterRun([](TypedBoxes& boxes, const NumberText& numbers) {
             if (HitsUpperRow(boxes)) {
                 Refigure(boxes, numbers,
                          [](const TargetReason& reason) { return reason.lower.target; });
             }
         }),
         {u"ligne 2, HV 85, HB : « 76,0 » au lieu de « 80,7 »"}},
        {"the pair of rows found with upper_bound",
         {},
         AfterRun([](TypedBoxes& boxes, const NumberText&) {
             *boxes.run->bracket += HitsUpperRow(boxes) ? 1 : 0;
         }),
         {u"ligne 2, HV 85, le programme nomme lignes 2 et 3 au lieu de lignes 1 et 2"}},
        {"the pair moved to the next one past three quarters of it",
         {},
         AfterRun([&real](TypedBoxes& boxes, const NumberText& numbers) {
             const int i = *boxes.run->bracket;  // rows i and i + 1 at i - 1 and i
             const auto& cells = real.Cells(boxes.run->source);
             const double x = boxes.run->typed;
             if (i < 98 && cells[i + 1] != 0 &&
                 x > cells[i - 1] + 0.75 * (cells[i] - cells[i - 1])) {
                 boxes.run->bracket = i + 1;
                 Refigure(boxes, numbers, [&](const TargetReason& reason) {
                     const auto& target = real.Cells(reason.target);
                     return static_cast<float>(target[i] + (x - cells[i]) *
                                                               (target[i + 1] - target[i]) /
                                                               (cells[i + 1] - cells[i]));
                 });
             }
         }),
         {u"HV 84,99 (lignes 1 et 2), le programme nomme lignes 2 et 3",
          u"HV 84,99 (lignes 1 et 2), Rm : « 310,0 » au lieu de « 309,9 »"}},
        {"the offset taken from the text's single",
         {},
         AfterRun([](TypedBoxes& boxes, const NumberText& numbers) {
             const auto x = static_cast<float>(boxes.run->typed);
             Refigure(boxes, numbers, [x](const TargetReason& reason) {
                 return (x - reason.lower.source) * (reason.upper.target - reason.lower.target) /
                            (reason.upper.source - reason.lower.source) +
                        reason.lower.target;
             });
         }),
         {u"chiffres au-delà de la simple précision), "}},
        {"\"1,2,3\" taken as a number",
         {},
         Misread([](std::u16string text, std::u16string_view point) {
             const auto first = text.find(point);
             for (auto next = text.find(point, first + 1);
                  first != std::u16string::npos && next != std::u16string::npos;
                  next = text.find(point, first + 1)) {
                 text.erase(next, point.size());
             }
             return text;
         }),
         {u"(un second séparateur) : accepté au lieu du message"}},
        {"a trailing letter taken as part of a number",
         {},
         Misread([](std::u16string text, std::u16string_view) {
             while (text.size() > 1 && text.back() >= u'a' && text.back() <= u'z') {
                 text.pop_back();
             }
             return text;
         }),
         {u"(des lettres) : accepté au lieu du message"}},
        {"the default conventions writing a point",
         {},
         [](Tool& tool) { tool.program.numbers.decimalPoint = u"."; },
         {u"conventions par défaut : séparateur « . » au lieu de « , »"}},
        {"the English conventions writing a comma",
         {},
         [](Tool& tool) {
             tool.program.numbersNamed = [](std::string_view name) {
                 return name == "en_US" ? std::optional(kFrench) : Named(name);
             };
         },
         {u"en_US : séparateur « , » au lieu de « . »"}},
        {"every figure written with a comma",
         {},
         AfterRun([](TypedBoxes& boxes, const NumberText& numbers) {
             const std::u16string& point = numbers.Symbols().decimalPoint;
             for (const TargetReason& reason : boxes.run->targets) {
                 std::u16string& shown = boxes.texts[ColumnOf(reason.target)];
                 if (const auto at = shown.find(point); at != std::u16string::npos) {
                     shown.replace(at, point.size(), u",");
                 }
             }
         }),
         {u"conventions anglaises, ligne 1, HV 80, HB : « 76,0 » au lieu de « 76.0 »"}},
        {"exact halves rounded down",
         {},
         AfterRun([](TypedBoxes& boxes, const NumberText& numbers) {
             for (const TargetReason& reason : boxes.run->targets) {
                 char seven[32];  // the figure's seven significant digits
                 const int end = std::snprintf(seven, sizeof seven, "%.7g", reason.value);
                 std::u16string& shown = boxes.texts[ColumnOf(reason.target)];
                 if (!shown.empty() && end > 3 && seven[end - 3] == '.' && seven[end - 1] == '5') {
                     seven[end - 1] = '\0';
                     shown = numbers.FormatOneDecimal(std::stof(seven));
                 }
             }
         }),
         {u"HV 645 (lignes 79 et 80), HRC : « 57,5 » au lieu de « 57,6 »"}},
        {"kestal-convert's HRC column filled with the HRD figures",
         {},
         [](Tool& tool) {
             tool.batch = [real = tool.batch](const BatchRequest& request, std::string_view lines) {
                 std::string out = real(request, lines);
                 for (std::size_t at = 0; !request.column && at < out.size();
                      at = out.find('\n', at) + 1) {
                     for (int field = 0; field < ColumnOf(HRC); ++field) {
                         at = out.find('\t', at) + 1;
                     }
                     const std::size_t hrd = out.find('\t', at) + 1;
                     out.replace(at, hrd - 1 - at, out.substr(hrd, out.find('\t', hrd) - hrd));
                 }
                 return out;
             };
         },
         {u"(« 240 »), colonne HRC : « 40,3 » au lieu de « 20,3 »"}},
    };
    for (const PlantedFault& fault : faults) {
        SCOPED_TRACE(fault.fault);
        ConversionTable::Columns columns;
        for (const Scale scale : kAllScales) {
            columns[ColumnOf(scale)] = real.Cells(scale);
        }
        if (fault.table) {
            fault.table(columns);
        }
        const ConversionTable table(columns);
        const ConversionEngine engine(kFrench, table);
        Tool tool(table, engine, true);
        if (fault.plant) {
            fault.plant(tool);
        }
        const ValidationChecks checks = tool.Check();
        EXPECT_NE(RecordText(checks, {}, engine.Numbers()).find(u"Résultat : NON CONFORME"),
                  std::u16string::npos);
        const std::u16string found = AllFaults(checks);
        for (const std::u16string& named : fault.named) {
            EXPECT_NE(found.find(named), std::u16string::npos) << Narrow(named);
        }
    }
}

// The fingerprint the record expects, and the one the table has (SHA-256
// itself is checked against sha256sum by kestal_convert_test.sh).
// The record's time, east or west of UTC, as the lab's clock showed it.
TEST(Validation, RecordTimeWithItsOffset) {
    EXPECT_EQ(RecordTime({2026, 1, 5, 9, 3, 7, 60}), u"2026-01-05 09:03:07 (UTC+01:00)");
    EXPECT_EQ(RecordTime({2026, 12, 8, 23, 59, 0, -210}), u"2026-12-08 23:59:00 (UTC-03:30)");
}

TEST(Validation, TheTablesFingerprintIsPinned) {
    constexpr std::string_view kFingerprint =
        "c6b95b91e675460461badc2ff4050cf1a72f7bf5b4c0fe41bfbeb9d80ec9e658";
    EXPECT_EQ(kTableFingerprint, kFingerprint);
    EXPECT_EQ(TableFingerprintOf(ConversionTable::BuiltIn()), kFingerprint);
}

}  // namespace
}  // namespace kestal
