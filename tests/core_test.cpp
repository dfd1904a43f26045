// The conversion core and the key-stroke rule, without any window.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/table/table_window_model.hpp"
#include "app/text/text_encoding.hpp"
#include "app/window/announcements.hpp"
#include "app/window/box_notes.hpp"
#include "app/window/key_strokes.hpp"
#include "app/window/table_identity.hpp"
#include "conversion/conversion_engine.hpp"
#include "conversion_rows.hpp"

namespace kestal {
namespace {

// The symbols QLocale gives for fr_FR and en_US.
const NumberSymbols kFrench{u",", u"-", u"+", u"E"};
const NumberSymbols kEnglish{u".", u"-", u"+", u"e"};

std::u16string U16(const char* utf8) {
    std::u16string out;
    for (const char* c = utf8; *c != 0; ++c) {
        out += static_cast<char16_t>(static_cast<unsigned char>(*c));  // ASCII and Latin-1 tests
    }
    return out;
}

std::string Narrow(std::u16string_view text) {
    return {text.begin(), text.end()};
}

ConversionTable TestTable(std::initializer_list<std::pair<Scale, std::vector<float>>> cells) {
    ConversionTable::Columns columns{};
    for (const auto& [scale, values] : cells) {
        std::ranges::copy(values, columns[ColumnOf(scale)].begin());
    }
    return ConversionTable(columns);
}

// The seven boxes after typing `text` for `source`, HV to Rm, between bars:
// the source keeps the text, each target what the engine handed over ("-" for
// one not handed over), and " FAIL" ends a failed run: "80|76,0|||||280,0".
std::string Boxes(Scale source, const char* text,
                  const ConversionTable& table = ConversionTable::BuiltIn(),
                  const NumberSymbols& symbols = kFrench) {
    std::vector<std::string> boxes(kScaleCount, "-");
    boxes[ColumnOf(source)] = text;
    const auto outcome =
        ConversionEngine(symbols, table)
            .Convert(source, U16(text), [&](Scale target, std::u16string_view shown) {
                boxes[ColumnOf(target)] = Narrow(shown);
            });
    std::string row = boxes[0];
    for (std::size_t k = 1; k < kScaleCount; ++k) {
        row += "|" + boxes[k];
    }
    return outcome == ConversionOutcome::Converted ? row : row + " FAIL";
}

using enum Scale;

TEST(Convert, EveryBoxAsShown) {
    for (const ConversionRow& row : ConversionRows(KESTAL_CONVERSIONS)) {
        EXPECT_EQ(Boxes(row.source, row.typed.c_str()), row.boxes);
    }
    struct Case {
        Scale source;
        const char* text;
        const char* boxes;
        const ConversionTable& table = ConversionTable::BuiltIn();
    };
    const ConversionTable equalNeighbours = TestTable({{HV, {100, 100, 200}}, {HB, {90, 95, 190}}});
    const ConversionTable hugeDx = TestTable({{HV, {-3e38f, 3e38f}}, {HB, {1, 2}}});
    const ConversionTable hugeOffset = TestTable({{HV, {-3e38f, 3.3e38f}}});
    const ConversionTable hugeDy =
        TestTable({{HV, {100, 200}}, {HB, {90, 190}}, {HRB, {-3e38f, 3e38f}}});
    const ConversionTable hugeResult =
        TestTable({{HV, {1, 10}}, {HB, {1, 2}}, {HRA, {1e38f, 3e38f}}});
    const ConversionTable unordered =
        TestTable({{HV, {0, 300, 100, 200, 250, 0}}, {HB, {0, 3, 1, 2, 2.5f, 0}}});
    // clang-format off
    for (const Case& c : {
             // Arithmetic that fails stops there: equal neighbours divide by zero;
             // dx, the offset, dy (for HRB only) or the value itself overflow.
             Case{HV, "100", "100|-|-|-|-|-|- FAIL", equalNeighbours},
             Case{HV, "1", "1|-|-|-|-|-|- FAIL", hugeDx},
             Case{HV, "3,2e38", "3,2e38|-|-|-|-|-|- FAIL", hugeOffset},
             Case{HV, "150", "150|140,0||-|-|-|- FAIL", hugeDy},
             Case{HV, "9", "9|1,9|-|-|-|-|- FAIL", hugeResult},
             // A column that does not rise is searched row by row, for the lowest
             // rising bracket; equal neighbours above show it is the lowest.
             Case{HV, "150", "150|1,5|||||", unordered},
             Case{HV, "300", "300||||||", unordered}}) {
        // clang-format on
        EXPECT_EQ(Boxes(c.source, c.text, c.table), c.boxes)
            << ScaleName(c.source) << " " << c.text;
    }
    EXPECT_EQ(Boxes(HV, "645.5", ConversionTable::BuiltIn(), kEnglish),
              "645.5||79.9||57.6|68.9|2202.0");
    EXPECT_EQ(Boxes(HV, "645,5", ConversionTable::BuiltIn(), kEnglish), "645,5|-|-|-|-|-|- FAIL");
}

// The notes on the boxes after typing `text` for `source`.
BoxNotes Notes(Scale source, std::u16string_view text, const NumberSymbols& symbols) {
    const ConversionEngine engine(symbols);
    ConversionReasons reasons;
    std::array<std::u16string, kScaleCount> shown;
    shown[ColumnOf(source)] = text;
    const auto outcome = engine.Convert(
        source, text, [&](Scale target, std::u16string_view s) { shown[ColumnOf(target)] = s; },
        &reasons);
    EXPECT_EQ(outcome, ConversionOutcome::Converted);
    return NotesOf(reasons, text, shown, engine.Numbers());
}

// Every kind of reason, worded with the locale's separator in its numbers
// (and only there: "(57,8 HRC), lignes" keeps its comma under a point).
TEST(Notes, EveryReasonInBothLocales) {
    const auto pointed = [](std::u16string text) {
        const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
        for (std::size_t k = 1; k + 1 < text.size(); ++k) {
            if (text[k] == u',' && digit(text[k - 1]) && digit(text[k + 1])) {
                text[k] = u'.';
            }
        }
        return text;
    };
    // clang-format off
    for (const auto& [source, text, box, note] :
         std::vector<std::tuple<Scale, std::u16string, Scale, std::u16string>>{
             {HV, u"645", HRC, u"57,6 HRC : interpolé entre HV 640 (57,3 HRC) et HV 650 (57,8 HRC), "
                               u"lignes 79 et 80 de la table"},
             {HRC, u"20,3", HV, u"240,0 HV : valeur de la table pour HRC 20,3, ligne 33"},
             {HV, u"645", HB, u"Pas de valeur HB au-delà de 586 HBW (HV 640, ligne 79) : la table "
                              u"n'en donne pas"},
             {HV, u"237", HRC, u"Pas de valeur HRC en deçà de 20,3 HRC (HV 240, ligne 33) : la "
                               u"table n'en donne pas"},
             {HV, u"645", HRB, u"Pas de valeur HRB entre HV 640 et HV 650 (lignes 79 et 80) : la "
                               u"table n'en donne pas"},
             {HV, u"20", Rm, u"Pas de valeur Rm : 20 HV est hors de la table (de 80 à 940 HV)"},
             {HRC, u"50,1", HRC, u"50,1 HRC : entre HRC 49,8 et HRC 50,5, lignes 66 et 67 de la table"},
             {HB, u"586", HB, u"586 HBW : valeur de la table, ligne 79"},
             {Rm, u"279,5", Rm, u"279,5 MPa est hors de la table (de 280 à 2220 MPa)"}}) {
        // clang-format on
        EXPECT_EQ(Notes(source, text, kFrench).reasons[ColumnOf(box)], note);
        EXPECT_EQ(Notes(source, pointed(text), kEnglish).reasons[ColumnOf(box)], pointed(note));
    }
}

// The report lists the converted values in the window's order, HV to Rm,
// whatever order the conversion handed them over in: one line per box shown.
TEST(Notes, ReportInTheWindowsOrder) {
    for (const auto& [source, text, lines] :
         std::vector<std::tuple<Scale, std::u16string, int>>{{HRA, u"70", 5},
                                                             {HRB, u"90", 3},
                                                             {HRC, u"50", 5},
                                                             {HRD, u"60", 5},
                                                             {Rm, u"1500", 5}}) {
        std::istringstream report(Narrow(Notes(source, text, kFrench).report));
        std::string line;
        std::getline(report, line);
        int previous = -1;
        int count = 0;
        for (; std::getline(report, line); ++count) {
            const std::string unit =
                line.substr(line.find(' ') + 1, line.find(" (") - line.find(' ') - 1);
            const auto scale = std::ranges::find_if(
                kAllScales, [&](Scale s) { return Narrow(UnitOf(s)) == unit; });
            ASSERT_NE(scale, kAllScales.end()) << line;
            EXPECT_GT(ColumnOf(*scale), previous) << ScaleName(source) << ": " << line;
            previous = ColumnOf(*scale);
        }
        EXPECT_EQ(count, lines) << ScaleName(source);
    }
}

// What a screen reader hears after a run: the typed value, every other box's
// figure under its own caption in the window's order, then the empty ones.
TEST(Announcements, FiguresWithTheirCaptionsThenTheEmptyBoxes) {
    for (const auto& [source, boxes, said] :
         std::vector<std::tuple<Scale, const char*, const char*>>{
             {HV, "200|190,0||91,8|||650,0",
              "HV 200 : HBS / HBW 190,0 ; HRB 91,8 ; Rm 650,0 ; vides : HRA, HRC, HRD."},
             {HRC, "240,0|228,0|60,7||20,3|40,3|770,0",
              "HRC 20,3 : HV 240,0 ; HBS / HBW 228,0 ; HRA 60,7 ; HRD 40,3 ; Rm 770,0 ; vides : "
              "HRB."},
             {Rm, "||||||279", "Rm 279 : les six autres cases sont vides."},
         }) {
        std::array<std::u16string, kScaleCount> shown;
        std::istringstream texts(boxes);
        for (std::u16string& box : shown) {
            std::string text;
            std::getline(texts, text, '|');
            box = U16(text.c_str());
        }
        EXPECT_EQ(Narrow(RunAnnouncement(source, shown)), said);
    }
}

// A screen reader hears a run only when it would say something new: the caret
// keys after 645 say nothing more, a new value does, and so does 645 again
// once something else was said in between. Figures and boxes emptied by a cut
// wait for the typing to pause; the failure is said at once; an empty box
// that no cut emptied says nothing.
TEST(Announcements, SaidOnceAndWhen) {
    struct Boxes final : ScaleBoxes {
        std::array<std::u16string, kScaleCount> texts;
        std::u16string Text(Scale scale) const override { return texts[ColumnOf(scale)]; }
        void SetText(Scale scale, std::u16string_view text) override {
            texts[ColumnOf(scale)] = text;
        }
        void ShowNotANumber() override {}
    } boxes;
    const ConversionEngine engine(kFrench);
    Announcer announcer;
    std::string heard;
    for (const char16_t* typed : {u"645", u"645", u"200", u"645", u"x", u"645", u"", u"-"}) {
        boxes.texts[ColumnOf(HV)] = typed == std::u16string_view(u"-") ? u"" : typed;
        const RunOutcome outcome = typed == std::u16string_view(u"-")
                                       ? RunTextChange(engine, HV, boxes)
                                       : RunKeyRelease(engine, HV, boxes);
        const std::optional<Announcement> said = announcer.After(HV, outcome, boxes);
        if (!said) {
            heard += "- ";
            continue;
        }
        heard += said->text == RunAnnouncement(HV, boxes.texts) ? "figures"
                 : said->text == NotANumberAnnouncement()       ? "message"
                 : said->text == EmptiedAnnouncement()          ? "emptied"
                                                                : Narrow(said->text);
        heard += said->pace == Pace::Now ? " now " : " later ";
    }
    EXPECT_EQ(heard,
              "figures later - figures later figures later message now figures later - "
              "emptied later ");
}

// A number pasted with the tab or line break a spreadsheet's cell brings along
// converts (blanks around it are allowed), and neither copy lets it split a
// line or a column.
TEST(Notes, PastedBreaksSplitNoCopy) {
    const auto count = [](std::u16string_view text, char16_t c) {
        return std::ranges::count(text, c);
    };
    const auto breaks = [&](std::u16string_view text) {
        return count(text, u'\t') + count(text, u'\r') + count(text, u'\u2028');
    };
    const auto lines = count(Notes(HV, u"645", kFrench).report, u'\n');
    for (const std::u16string pasted : {u"645\r\n", u"\t645", u"645\u2028"}) {
        const std::u16string report = Notes(HV, pasted, kFrench).report;
        EXPECT_TRUE(count(report, u'\n') == lines && breaks(report) == 0) << Narrow(report);
        std::array<std::u16string, kScaleCount> texts;
        texts[ColumnOf(HV)] = pasted;
        const std::u16string values = SevenValues(texts);
        EXPECT_TRUE(count(values, u'\n') == 2 && breaks(values) == 12) << Narrow(values);
    }
}

// A column is one rising run or none (a fall, or a value after the zeros);
// a row outside 1 to 100 is rejected, never read as 0. The built-in runs and
// cells are checked against the published figures by kestal-convert --table
// and its fingerprint, and through the program by the validation record.
TEST(ConversionTable, RunsAndRows) {
    EXPECT_FALSE(TestTable({{HV, {0, 300, 100, 200, 0}}}).RisingRun(HV));
    EXPECT_FALSE(TestTable({{HV, {100, 200, 0, 300}}}).RisingRun(HV));
    const ConversionTable& table = ConversionTable::BuiltIn();
    EXPECT_FALSE(table.Value(HV, 0));
    EXPECT_FALSE(table.Value(HV, 101));
    EXPECT_EQ(table.Value(HV, 100), 0.0f);
    EXPECT_EQ(ConversionTable().Value(HV, 1), 0.0f);  // before Fill
}

TEST(NumberText, ParsesTheWholeTextUnderTheLocale) {
    using Reading = std::tuple<const char*, std::optional<double>, std::optional<double>>;
    const std::optional<double> no;
    // clang-format off
    for (const auto& [text, inFrench, inEnglish] : {
             Reading{"200", 200, 200}, Reading{"12,5", 12.5, no}, Reading{"12.5", no, 12.5},
             Reading{"12,", 12, no}, Reading{",5", 0.5, no}, Reading{"-,5", -0.5, no},
             Reading{"+5", 5, 5}, Reading{"1e3", 1000, 1000}, Reading{"2,5E-1", 0.25, no},
             Reading{" 200 ", 200, 200}, Reading{"\xa0" "5", 5, 5}, Reading{"-", no, no},
             Reading{",", no, no}, Reading{"1e", no, no}, Reading{"1e-", no, no},
             Reading{"", no, no}, Reading{"12a", no, no}, Reading{"1,2,3", no, no},
             Reading{"--5", no, no}, Reading{"0x10", no, no}, Reading{"1,000", 1, no},
             Reading{"2 220", no, no}, Reading{"inf", no, no}, Reading{"nan", no, no},
             Reading{"1e400", no, no}, Reading{"1e-400", 0, 0}, Reading{"1e99999999999", no, no}}) {
        // clang-format on
        const auto french = NumberText(kFrench).Parse(U16(text));
        const auto english = NumberText(kEnglish).Parse(U16(text));
        EXPECT_EQ(french ? std::optional(french->value) : no, inFrench) << text;
        EXPECT_EQ(english ? std::optional(english->value) : no, inEnglish) << text;
    }
}

TEST(NumberText, NearestSingleAndItsRange) {
    const NumberText english(kEnglish);
    EXPECT_EQ(english.Parse(u"3.4028234e38")->single, FLT_MAX);
    EXPECT_FALSE(english.Parse(u"-3.5e38"));
    EXPECT_EQ(english.Parse(u"1e-50")->single, 0.0f);
    // Straight to single: through double, the second rounding would give 1 + 2^-23.
    EXPECT_EQ(english.Parse(u"1.000000059604644775390625000000000000000001")->single,
              1.0f + FLT_EPSILON);
    EXPECT_EQ(english.Parse(u"1.00000005960464477539062499")->single, 1.0f);
    // A locale with digits, separator and minus of its own (ar_EG).
    const NumberText arabic({u"\u066b", u"\u061c-", u"\u061c+", u"\u0623\u0633", u'\u0660'});
    EXPECT_EQ(arabic.Parse(u"\u061c-\u0661\u0662\u066b\u0665")->value, -12.5);
    EXPECT_EQ(arabic.FormatOneDecimal(-12.5f), u"\u061c-\u0661\u0662\u066b\u0665");
}

TEST(NumberText, FormatsOneDecimalHalvesAwayFromZero) {
    using Shown = std::pair<float, const char*>;
    // 57.55f is 57.5499992...; written with seven digits it is 57.55, and the half goes up.
    // clang-format off
    for (const auto& [value, french] : {
             Shown{2220.f, "2220,0"}, Shown{0.f, "0,0"}, Shown{0.04f, "0,0"},
             Shown{-0.04f, "-0,0"}, Shown{0.05f, "0,1"}, Shown{0.25f, "0,3"},
             Shown{57.55f, "57,6"}, Shown{68.85f, "68,9"}, Shown{-2.25f, "-2,3"},
             Shown{9.96f, "10,0"}, Shown{0.099999f, "0,1"}, Shown{1e-4f, "0,0"},
             Shown{99999.95f, "100000,0"}, Shown{1234567.f, "1234567,0"},
             Shown{9999999.f, "9999999,0"}, Shown{12345678.f, "12345680,0"},
             // Exact halves at seven digits go to the even digit.
             Shown{12345685.f, "12345680,0"}, Shown{12345675.f, "12345680,0"},
             Shown{12345665.f, "12345660,0"}, Shown{99999999.f, "100000000,0"},
             Shown{FLT_MAX, "340282300000000000000000000000000000000,0"},
             Shown{3.0e10f, "30000000000,0"}, Shown{1e-20f, "0,0"}, Shown{INFINITY, ""},
             Shown{NAN, ""}}) {
        // clang-format on
        EXPECT_EQ(Narrow(NumberText(kFrench).FormatOneDecimal(value)), french) << value;
    }
    EXPECT_EQ(NumberText(kEnglish).FormatOneDecimal(91.8f), u"91.8");
}

// Bytes that are no UTF-8 read as U+FFFD, one for each longest start of a
// character they hold, never as the character they would spell: overlong
// forms ("E0 80 B2" is no "2"), surrogates, points past U+10FFFF, sequences
// cut short, a trailing byte alone. The first and last valid forms of each
// length read as themselves, and what reads back whole is written back byte
// for byte; a lone surrogate is written as U+FFFD.
TEST(TextEncoding, EachBadSequenceReadsAsReplacements) {
    const auto bad = [](std::size_t count) { return std::u16string(count, u'\uFFFD'); };
    // clang-format off
    for (const auto& [utf8, utf16] : std::vector<std::pair<std::string, std::u16string>>{
             {"\xE0\x80\xB2\xE0\x80\xB0\xE0\x80\xB0", bad(9)}, {"\xC0\xB2\xC1\xBF", bad(4)},
             {"\xE0\x9F\xBF", bad(3)}, {"\xF0\x80\x80\xB2", bad(4)}, {"\xF0\x8F\xBF\xBF", bad(4)},
             {"\xED\xA0\x80", bad(3)}, {"\xED\xBF\xBF", bad(3)}, {"\xF4\x90\x80\x80", bad(4)},
             {"\xF5\x80\x80\x80", bad(4)}, {"\xC3", bad(1)}, {"\xE2\x82", bad(1)},
             {"\xF0\x9F\x98" "2", bad(1) + u"2"}, {"2\xE2\x82" "0", u"2" + bad(1) + u"0"},
             {"\x80\xBF", bad(2)}, {"\xC2\x80", u"\u0080"}, {"\xDF\xBF", u"\u07FF"},
             {"\xE0\xA0\x80", u"\u0800"}, {"\xED\x9F\xBF", u"\uD7FF"}, {"\xEE\x80\x80", u"\uE000"},
             {"\xEF\xBF\xBF", u"\uFFFF"}, {"\xF0\x90\x80\x80", u"\U00010000"},
             {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"}, {"2\xC3\xA9" "0", u"2\u00E90"}}) {
        // clang-format on
        EXPECT_EQ(Utf16(utf8), utf16) << testing::PrintToString(utf8);
        if (std::string back; utf16.find(u'\uFFFD') == utf16.npos) {
            AppendUtf8(utf16, back);
            EXPECT_EQ(back, utf8);
        }
    }
    // Cut short by the end of a field, whatever follows it in the line.
    EXPECT_EQ(Utf16(std::string_view("2\xE2\x82\xAC").substr(0, 3)), u"2" + bad(1));
    const std::string replacement = "\xEF\xBF\xBD";
    std::string lone;
    AppendUtf8(std::u16string{u'2', 0xDC00, 0xD800, u'0', 0xD800}, lone);
    EXPECT_EQ(lone, "2" + replacement + replacement + "0" + replacement);
}

TEST(TargetOrder, SourceReplacedByHv) {
    EXPECT_EQ(TargetOrder(HV), (std::array{HB, HRA, HRB, HRC, HRD, Rm}));
    EXPECT_EQ(TargetOrder(HRC), (std::array{HB, HRA, HRB, HV, HRD, Rm}));
    EXPECT_EQ(TargetOrder(Rm), (std::array{HB, HRA, HRB, HRC, HRD, HV}));
}

// Strokes in one box: 'p' press, 'r' release, 'R' auto-repeat release, each
// followed by the key; 'u' the press of a key the keyboard does not name, 'c'
// a change of the text, 'f' the box losing the focus; '1' where a release or
// a change converts. A change made by a key still down waits for its release;
// any other (a menu's paste, a drop) converts at once.
TEST(KeyStrokes, OnlyTheRealReleaseOfAKeyPressedHere) {
    using Case = std::pair<const char*, const char*>;
    // clang-format off
    for (const auto& [events, runs] : {
             Case{"pA rA", "1"}, Case{"pA pB rA rB", "11"}, Case{"pA RA pA RA pA rA", "001"},
             Case{"rT", "0"}, Case{"pA rA rA", "10"}, Case{"pS f rS", "0"}, Case{"pS f pS rS", "1"},
             Case{"pA c rA", "01"}, Case{"c", "1"}, Case{"pA f c", "1"}, Case{"u c c", "11"},
             Case{"u c pA c rA", "101"}}) {
        // clang-format on
        KeyStrokes box;
        std::string converted;
        std::istringstream strokes(events);
        for (std::string event; strokes >> event;) {
            if (event[0] == 'p') {
                box.Pressed(event[1]);
            } else if (event[0] == 'f') {
                box.FocusLeft();
            } else if (event[0] == 'u') {
                box.PressedUnidentified();
            } else if (event[0] == 'c') {
                converted += box.Changed() ? '1' : '0';
            } else {
                converted += box.Released(event[1], event[0] == 'R') ? '1' : '0';
            }
        }
        EXPECT_EQ(converted, runs) << events;
    }
}

// The table window after typing `text` for `source`.
TableRunView TableAfter(Scale source, std::u16string_view text, const NumberSymbols& symbols,
                        std::optional<int> chosenColumn = {}) {
    TableWindowModel model{NumberText(symbols)};
    if (chosenColumn) {
        model.Choose(*chosenColumn);
    }
    model.Follow(Notes(source, text, symbols));
    return model.View();
}

// The rows highlighted and the status after a run: the bracket's two rows,
// the exact row hit (the first value of a run included), none outside the
// run; and nothing at all once the boxes are emptied.
TEST(TableWindow, HighlightedRowsAndStatus) {
    using Case = std::tuple<Scale, std::u16string, int, int>;
    for (const auto& [source, text, first, last] :
         {Case{HV, u"645", 79, 80}, Case{HV, u"650", 80, 80}, Case{HRC, u"20,3", 33, 33},
          Case{Rm, u"2220", 80, 80}, Case{HV, u"20", 0, 0}, Case{HRB, u"97", 0, 0}}) {
        const TableRunView view = TableAfter(source, text, kFrench);
        EXPECT_EQ(view.source, source);
        EXPECT_EQ(std::pair(view.firstRow, view.lastRow), std::pair(first, last)) << Narrow(text);
        EXPECT_EQ(view.status, Notes(source, text, kFrench).reasons[ColumnOf(source)]);
    }
    TableWindowModel model(NumberText{kFrench});
    model.Follow(Notes(HV, u"645", kFrench));
    model.Follow(BoxNotes{});  // "Effacer tout", or the message closed
    // With nothing typed, the status names the table again.
    EXPECT_TRUE(!model.View().source && model.View().firstRow == 0 &&
                model.View().status == TableIdentity());
    EXPECT_TRUE(model.View().plot.curve.empty() && !model.View().plot.texts.empty());
}

// The curve's points are the table's rows where both scales have a value,
// placed left to right and bottom to top as they rise; the typed value lies
// on the segment between its bracket's rows, in figures and in place.
TEST(TableWindow, CurveThroughTheRowsAndTheTypedValueOnIt) {
    const ConversionTable& table = ConversionTable::BuiltIn();
    const TableRunView view = TableAfter(HV, u"645", kFrench, ColumnShowing(HRC));
    ASSERT_EQ(view.target, HRC);
    const PlotView& plot = view.plot;
    ASSERT_EQ(plot.curve.size(), 65u);  // rows 33 to 97
    for (std::size_t k = 0; k < plot.curve.size(); ++k) {
        const PlotPoint& point = plot.curve[k];
        EXPECT_EQ(point.row, 33 + static_cast<int>(k));
        EXPECT_EQ(point.x, table.Value(HV, point.row));
        EXPECT_EQ(point.y, table.Value(HRC, point.row));
        if (k > 0) {
            EXPECT_TRUE(point.left > plot.curve[k - 1].left && point.top < plot.curve[k - 1].top);
        }
    }
    ASSERT_TRUE(plot.mark);
    const PlotPoint& lower = plot.curve[79 - 33];
    const PlotPoint& upper = plot.curve[80 - 33];
    const PlotPoint& mark = *plot.mark;
    EXPECT_NEAR(mark.y, lower.y + (645 - lower.x) * (upper.y - lower.y) / (upper.x - lower.x),
                1e-4);
    EXPECT_NEAR((mark.left - lower.left) * (upper.top - lower.top),
                (mark.top - lower.top) * (upper.left - lower.left), 1e-3);
    EXPECT_TRUE(lower.left < mark.left && mark.left < upper.left);
    EXPECT_EQ(plot.markLines.size(), 2u);  // down to the x axis, across to the y axis
}

// Ticks at whole steps, labelled as the locale writes numbers and rising
// along their axis; the marked values are written as the boxes write them.
TEST(TableWindow, TicksAndMarkedValuesInTheLocale) {
    for (const NumberSymbols& symbols : {kFrench, kEnglish}) {
        const NumberText numbers(symbols);
        const std::u16string typed = symbols.decimalPoint == u"," ? u"645,5" : u"645.5";
        const PlotView plot = TableAfter(HV, typed, symbols, ColumnShowing(HRC)).plot;
        std::vector<std::u16string> marked;
        std::vector<std::pair<double, double>> across, down;  // (place, value)
        for (const PlotText& text : plot.texts) {
            const auto value = numbers.Parse(text.text);
            if (text.marked) {
                marked.push_back(text.text);
            } else if (value && text.across == PlotAlign::Centre) {
                across.emplace_back(text.left, value->value);
            } else if (value) {
                down.emplace_back(-text.top, value->value);
            }
        }
        EXPECT_EQ(marked,
                  (std::vector<std::u16string>{
                      typed, Notes(HV, typed, symbols).reasons[ColumnOf(HRC)].substr(0, 4)}));
        EXPECT_GE(across.size(), 4u);
        EXPECT_GE(down.size(), 3u);
        EXPECT_TRUE(std::ranges::is_sorted(across) && std::ranges::is_sorted(down));
        EXPECT_TRUE(std::ranges::is_sorted(across, {}, [](auto& tick) { return tick.second; }));
        EXPECT_TRUE(std::ranges::is_sorted(down, {}, [](auto& tick) { return tick.second; }));
    }
}

// The plot starts on the first target with a figure and keeps the user's
// choice, by click or by arrow, except the source's own column; where the two
// scales share no row, it says so in words.
TEST(TableWindow, TargetChosenByTheUser) {
    EXPECT_EQ(TableAfter(HV, u"645", kFrench).target, HRA);  // HB has no figure there
    // The source's own column is no target.
    EXPECT_EQ(TableAfter(HV, u"645", kFrench, ColumnShowing(HV)).target, HRA);
    TableWindowModel model(NumberText{kFrench});
    model.Follow(Notes(HRC, u"50", kFrench));
    model.Choose(ColumnShowing(HRC));
    EXPECT_EQ(model.View().target, HB);
    model.ChooseNext(-1);
    EXPECT_EQ(model.View().target, HV);
    model.ChooseNext(-1);
    EXPECT_EQ(model.View().target, Rm);  // round the six targets
    model.ChooseNext(2);
    EXPECT_EQ(model.View().target, HB);
    model.Choose(ColumnShowing(HRB));
    model.Follow(Notes(HRC, u"60", kFrench));
    EXPECT_EQ(model.View().target, HRB);
    EXPECT_TRUE(model.View().plot.curve.empty() && !model.View().plot.mark);
    ASSERT_EQ(model.View().plot.texts.size(), 1u);
    EXPECT_EQ(model.View().plot.texts[0].text, model.View().plot.title);
}

}  // namespace
}  // namespace kestal
