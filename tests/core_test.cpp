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
#include "app/text/text_wrap.hpp"
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
}

// What the seven boxes show after typing `text` for `source`, and their notes.
struct Run {
    std::array<std::u16string, kScaleCount> shown;
    BoxNotes notes;
};
Run RunOf(Scale source, std::u16string_view text, const NumberSymbols& symbols = kFrench) {
    const ConversionEngine engine(symbols);
    ConversionReasons reasons;
    Run run;
    run.shown[ColumnOf(source)] = text;
    const auto outcome = engine.Convert(
        source, text, [&](Scale target, std::u16string_view s) { run.shown[ColumnOf(target)] = s; },
        &reasons);
    EXPECT_EQ(outcome, ConversionOutcome::Converted);
    run.notes = NotesOf(reasons, text, run.shown, engine.Numbers());
    return run;
}

BoxNotes Notes(Scale source, std::u16string_view text, const NumberSymbols& symbols) {
    return RunOf(source, text, symbols).notes;
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

// What a screen reader hears after a run: the typed value, every other box's
// figure under its own caption in the window's order, then the empty ones.
TEST(Announcements, FiguresWithTheirCaptionsThenTheEmptyBoxes) {
    for (const auto& [source, typed, said] :
         std::vector<std::tuple<Scale, std::u16string, const char*>>{
             {HV, u"200",
              "HV 200 : HBS / HBW 190,0 ; HRB 91,8 ; Rm 650,0 ; vides : HRA, HRC, HRD."},
             {HRC, u"20,3",
              "HRC 20,3 : HV 240,0 ; HBS / HBW 228,0 ; HRA 60,7 ; HRD 40,3 ; Rm 770,0 ; vides : "
              "HRB."},
             {Rm, u"279", "Rm 279 : les six autres cases sont vides."},
         }) {
        EXPECT_EQ(Narrow(RunAnnouncement(source, RunOf(source, typed).shown)), said);
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
// line or a column: the report keeps its lines, the seven values their two
// rows of seven fields. (app_fuzzer pastes no U+2028.)
TEST(Notes, PastedBreaksSplitNoCopy) {
    const auto count = [](std::u16string_view text, std::u16string_view units) {
        return std::ranges::count_if(text, [&](char16_t c) { return units.find(c) != units.npos; });
    };
    const auto lines = count(Notes(HV, u"645", kFrench).report, u"\n");
    for (const std::u16string pasted : {u"645\r\n", u"\t645", u"645\u2028"}) {
        const std::u16string report = Notes(HV, pasted, kFrench).report;
        std::array<std::u16string, kScaleCount> texts;
        texts[ColumnOf(HV)] = pasted;
        const std::u16string values = SevenValues(texts);
        EXPECT_TRUE(count(report, u"\n") == lines && count(report, u"\t\r\u2028") == 0 &&
                    count(values, u"\n") == 2 && count(values, u"\t\r\u2028") == 12)
            << Narrow(report + values);
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

// The forms a lab types (digits, separators, signs, exponents, blanks around,
// letters, grouping, NaN, the infinity) are read through the program under
// four conventions by the validation record; these are the edges it types none
// of: ranges, a no-break space, signs and prefixes doubled.
TEST(NumberText, ParsesTheWholeTextUnderTheLocale) {
    using Reading = std::tuple<const char*, std::optional<double>, std::optional<double>>;
    const std::optional<double> no;
    // clang-format off
    for (const auto& [text, inFrench, inEnglish] : {
             Reading{"", no, no}, Reading{",", no, no}, Reading{"-,5", -0.5, no},
             Reading{"1e-", no, no}, Reading{"--5", no, no}, Reading{"0x10", no, no},
             Reading{"\xa0" "5", 5, 5}, Reading{"1e400", no, no}, Reading{"1e-400", 0, 0},
             Reading{"1e99999999999", no, no}}) {
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
}

// Every figure of the table's range, halves included, is written under four
// conventions and checked by the validation record; these are the values
// outside it: small, negative, beyond seven digits, not finite.
TEST(NumberText, FormatsOneDecimalHalvesAwayFromZero) {
    using Shown = std::pair<float, const char*>;
    // clang-format off
    for (const auto& [value, french] : {
             Shown{0.f, "0,0"}, Shown{0.04f, "0,0"}, Shown{-0.04f, "-0,0"}, Shown{0.05f, "0,1"},
             Shown{0.25f, "0,3"}, Shown{-2.25f, "-2,3"}, Shown{9.96f, "10,0"},
             Shown{0.099999f, "0,1"}, Shown{1e-4f, "0,0"},
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

// Words kept whole and lines no wider than asked, in characters ("é" is two
// bytes of UTF-8 and one column); a text's own breaks kept, the lines after
// the first indented.
TEST(TextWrap, WordsWithinTheWidthInCharacters) {
    struct Wrapped {
        std::string_view text;
        std::size_t width;
        std::size_t indent;
        std::string_view lines;
    };
    for (const auto& [text, width, indent, lines] :
         {Wrapped{"dureté Vickers HV", 14, 0, "dureté Vickers\nHV"},
          Wrapped{"dureté Vickers HV", 13, 0, "dureté\nVickers HV"},
          Wrapped{"a bb\ncc dd", 4, 2, "a bb\n  cc\n  dd"}}) {
        EXPECT_EQ(Wrap(text, width, indent), lines) << text << " in " << width;
    }
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

// The curve's points are the table's rows where both scales have a value,
// placed left to right and bottom to top as they rise, and the typed value is
// marked with its lines to the axes (the highlighted rows, the mark's place on
// the curve and every click and arrow are app_fuzzer's promises).
TEST(TableWindow, CurveThroughTheRows) {
    const ConversionTable& table = ConversionTable::BuiltIn();
    const TableRunView view = TableAfter(HV, u"645", kFrench, ColumnShowing(HRC));
    ASSERT_EQ(view.target, HRC);
    const std::vector<PlotPoint>& curve = view.plot.curve;
    ASSERT_EQ(curve.size(), 65u);  // rows 33 to 97
    for (std::size_t k = 0; k < curve.size(); ++k) {
        EXPECT_EQ(curve[k].row, 33 + static_cast<int>(k));
        EXPECT_EQ(curve[k].x, table.Value(HV, curve[k].row));
        EXPECT_EQ(curve[k].y, table.Value(HRC, curve[k].row));
        if (k > 0) {
            EXPECT_TRUE(curve[k].left > curve[k - 1].left && curve[k].top < curve[k - 1].top);
        }
    }
    EXPECT_TRUE(view.plot.mark && view.plot.markLines.size() == 2);
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

// The status says what the source box's tooltip says, and names the table
// again once the boxes are emptied. The plot starts on the first target with
// a figure and keeps the user's choice; where the two scales share no row, it
// says so in words.
TEST(TableWindow, StatusAndTargetFollowTheRuns) {
    TableWindowModel model(NumberText{kFrench});
    const BoxNotes notes = Notes(HRC, u"20,3", kFrench);
    model.Follow(notes);
    EXPECT_EQ(model.View().status, notes.reasons[ColumnOf(HRC)]);
    EXPECT_EQ(TableAfter(HV, u"645", kFrench).target, HRA);  // HB has no figure there
    model.Choose(ColumnShowing(HRB));
    model.Follow(Notes(HRC, u"60", kFrench));
    EXPECT_EQ(model.View().target, HRB);
    EXPECT_TRUE(model.View().plot.curve.empty() && !model.View().plot.mark);
    ASSERT_EQ(model.View().plot.texts.size(), 1u);
    EXPECT_EQ(model.View().plot.texts[0].text, model.View().plot.title);
    model.Follow(BoxNotes{});  // "Effacer tout", or the message closed
    EXPECT_TRUE(!model.View().source && model.View().status == TableIdentity());
    EXPECT_TRUE(model.View().plot.curve.empty() && !model.View().plot.texts.empty());
}

}  // namespace
}  // namespace kestal
