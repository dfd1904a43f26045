#include "conversion/conversion_engine.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <vector>

#include "conversion/conversion_table.hpp"

namespace kestal {
namespace {

const QLocale kFrench(QLocale::French, QLocale::France);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

struct HandOver {
    Scale target;
    QString text;
    bool operator==(const HandOver&) const = default;
};

struct Outcome {
    std::vector<HandOver> handedOver;
    bool failed = false;
};

Outcome ConvertText(const ConversionTable& table, Scale source, const char* text,
                    const QLocale& locale = kFrench) {
    Outcome outcome;
    const ConversionEngine engine(table, locale);
    outcome.failed = engine
                         .Convert(source, QString::fromUtf8(text),
                                  [&](Scale target, const QString& shown) {
                                      outcome.handedOver.push_back({target, shown});
                                  })
                         .has_value();
    return outcome;
}

const ConversionTable& BuiltIn() {
    static const ConversionTable table = [] {
        ConversionTable filled;
        filled.Fill();
        return filled;
    }();
    return table;
}

// One typed value and what every box shows afterwards, in Scale order; the
// source's own column is not written and is marked "src".
struct Example {
    Scale source;
    const char* text;
    std::array<const char*, kScaleCount> boxes;
};

void PrintTo(const Example& e, std::ostream* os) {
    *os << ScaleName(e.source) << " " << e.text;
}

class Examples : public testing::TestWithParam<Example> {};

TEST_P(Examples, EveryTargetInOrder) {
    const Example example = GetParam();
    const Outcome outcome = ConvertText(BuiltIn(), example.source, example.text);
    ASSERT_FALSE(outcome.failed);
    std::vector<HandOver> expected;
    for (const Scale target : TargetOrder(example.source)) {
        expected.push_back({target, QString::fromUtf8(example.boxes[ColumnOf(target)])});
    }
    EXPECT_EQ(outcome.handedOver, expected);
}

constexpr const char* src = "src";
constexpr const char* e = "";

INSTANTIATE_TEST_SUITE_P(
    Table, Examples,
    testing::Values(
        //               HV       HB       HRA     HRB     HRC     HRD     Rm
        Example{Scale::HV, "80", {src, "76,0", e, e, e, e, "280,0"}},
        Example{Scale::HV, "79,9", {src, e, e, e, e, e, e}},
        Example{Scale::HV, "100", {src, "95,0", e, e, e, e, "350,0"}},
        Example{Scale::HV, "200", {src, "190,0", e, "91,8", e, e, "650,0"}},
        Example{Scale::HV, "640", {src, "586,0", "79,8", e, "57,3", "68,7", "2180,0"}},
        Example{Scale::HV, "650", {src, e, "80,0", e, "57,8", "69,0", "2220,0"}},
        Example{Scale::HV, "940", {src, e, "85,6", e, "68,0", "76,9", e}},
        Example{Scale::HV, "940,1", {src, e, e, e, e, e, e}},
        Example{Scale::HB, "586", {"640,0", src, "79,8", e, "57,3", "68,7", "2180,0"}},
        Example{Scale::HRB, "96,3", {"225,0", "213,8", e, src, e, e, "720,0"}},
        Example{Scale::HRC, "20,3", {"240,0", "228,0", "60,7", e, src, "40,3", "770,0"}},
        Example{Scale::Rm, "2220", {"650,0", e, "80,0", e, "57,8", "69,0", src}},
        Example{Scale::Rm, "279", {e, e, e, e, e, e, src}},
        // Next to the edge of a run the table has no value: nothing is invented.
        Example{Scale::HV, "107", {src, "101,7", e, e, e, e, "374,0"}},
        Example{Scale::HV, "237", {src, "225,2", e, e, e, e, "758,0"}},
        Example{Scale::HV, "648", {src, e, "80,0", e, "57,7", "68,9", "2212,0"}},
        Example{Scale::HV, "642", {src, e, "79,8", e, "57,4", "68,8", "2188,0"}},
        Example{Scale::HV, "105,004", {src, "99,8", e, e, e, e, "370,0"}},
        Example{Scale::HV, "105,005", {src, "99,8", e, e, e, e, "370,0"}},
        // ...but the edge row itself, hit exactly, gives its own value.
        Example{Scale::HV, "240", {src, "228,0", "60,7", e, "20,3", "40,3", "770,0"}},
        Example{Scale::HV, "110", {src, "104,5", e, "62,0", e, e, "380,0"}},
        Example{Scale::HV, "225", {src, "213,8", e, "96,3", e, e, "720,0"}},
        Example{Scale::HB, "76", {"80,0", src, e, e, e, e, "280,0"}},
        // Halves: 57.55 and 68.85 round up.
        Example{Scale::HV, "645", {src, e, "79,9", e, "57,6", "68,9", "2200,0"}},
        Example{Scale::HV, "0", {src, e, e, e, e, e, e}},
        Example{Scale::HV, "-200", {src, e, e, e, e, e, e}}));

TEST(Convert, DecimalPointLocale) {
    const Outcome outcome = ConvertText(BuiltIn(), Scale::HV, "645.5", kEnglish);
    ASSERT_FALSE(outcome.failed);
    ASSERT_EQ(outcome.handedOver.size(), 6u);
    EXPECT_EQ(outcome.handedOver[3], (HandOver{Scale::HRC, "57.6"}));
    EXPECT_EQ(outcome.handedOver[5], (HandOver{Scale::Rm, "2202.0"}));
    EXPECT_TRUE(ConvertText(BuiltIn(), Scale::HV, "645,5", kEnglish).failed);
}

// Stepwise single precision against what wider arithmetic would show: each row
// gives a different figure if p and q are kept in double, or if d is taken
// from the single value of the text instead of its double value.
TEST(Convert, EveryStepRoundsToSingle) {
    struct Case {
        Scale source;
        const char* text;
        Scale target;
        const char* shown;
    };
    for (const Case c : {Case{Scale::HRA, "62,33", Scale::Rm, "828,3"},
                         Case{Scale::HRA, "77,33", Scale::HV, "558,3"},
                         Case{Scale::HRD, "69,33", Scale::HV, "658,3"},
                         Case{Scale::HRB, "96,16", Scale::Rm, "718,3"},
                         Case{Scale::HB, "161,68", Scale::Rm, "550,8"},
                         Case{Scale::HB, "270,76", Scale::Rm, "910,2"}}) {
        const Outcome outcome = ConvertText(BuiltIn(), c.source, c.text);
        ASSERT_FALSE(outcome.failed);
        const auto it = std::ranges::find(outcome.handedOver, c.target, &HandOver::target);
        ASSERT_NE(it, outcome.handedOver.end());
        EXPECT_EQ(it->text, c.shown) << ScaleName(c.source) << " " << c.text;
    }
}

TEST(FindBracket, LowestRowAndRunEnds) {
    struct Case {
        Scale source;
        float x;
        std::optional<int> row;
    };
    for (const Case c :
         {Case{Scale::HV, 80.f, 1}, Case{Scale::HV, 85.f, 1}, Case{Scale::HV, 85.5f, 2},
          Case{Scale::HV, 200.f, 24}, Case{Scale::HV, 940.f, 96},
          Case{Scale::HV, 940.1f, std::nullopt}, Case{Scale::HV, 79.99f, std::nullopt},
          Case{Scale::HV, 0.f, std::nullopt}, Case{Scale::HV, -80.f, std::nullopt},
          Case{Scale::HRB, 62.f, 7}, Case{Scale::HRB, 96.3f, 29}, Case{Scale::HRC, 20.3f, 33},
          Case{Scale::HRC, 68.f, 96}, Case{Scale::HB, 586.f, 78},
          Case{Scale::HB, 587.f, std::nullopt}, Case{Scale::Rm, 2220.f, 79}}) {
        EXPECT_EQ(FindBracket(BuiltIn(), c.source, c.x), c.row)
            << ScaleName(c.source) << " " << c.x;
    }
}

TEST(FindBracket, ComparesTheSingleValueOfTheText) {
    // 640.00001 is 640 as a single: bracketed as the row value 640 (rows 78/79),
    // though as a double it lies inside rows 79/80.
    const Outcome outcome = ConvertText(BuiltIn(), Scale::HV, "640,00001");
    ASSERT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.handedOver[0], (HandOver{Scale::HB, "586,0"}));
}

TEST(Convert, NotANumberFailsBeforeAnyTarget) {
    for (const char* text : {"abc", " ", "12.5", "-", "1e", "inf", "nan", "3,5e38", "1,2,3"}) {
        const Outcome outcome = ConvertText(BuiltIn(), Scale::HV, text);
        EXPECT_TRUE(outcome.failed) << text;
        EXPECT_TRUE(outcome.handedOver.empty()) << text;
    }
}

ConversionTable::Columns Columns(
    std::initializer_list<std::pair<Scale, std::vector<float>>> cells) {
    ConversionTable::Columns columns{};
    for (const auto& [scale, values] : cells) {
        std::ranges::copy(values, columns[ColumnOf(scale)].begin());
    }
    return columns;
}

TEST(Convert, EqualNeighboursFailAtTheFirstTarget) {
    const ConversionTable table(
        Columns({{Scale::HV, {100, 100, 200}}, {Scale::HB, {90, 95, 190}}}));
    const Outcome outcome = ConvertText(table, Scale::HV, "100");
    EXPECT_TRUE(outcome.failed);
    EXPECT_TRUE(outcome.handedOver.empty());
}

TEST(Convert, OverflowingDifferencesFail) {
    // dx overflows: fails before any target.
    const ConversionTable wideSource(Columns({{Scale::HV, {-3e38f, 3e38f}}, {Scale::HB, {1, 2}}}));
    Outcome outcome = ConvertText(wideSource, Scale::HV, "1");
    EXPECT_TRUE(outcome.failed);
    EXPECT_TRUE(outcome.handedOver.empty());

    // dy overflows for HRB only: HB and HRA are handed over first and keep their texts.
    const ConversionTable wideTarget(Columns({{Scale::HV, {100, 200}},
                                              {Scale::HB, {90, 190}},
                                              {Scale::HRB, {-3e38f, 3e38f}},
                                              {Scale::Rm, {300, 600}}}));
    outcome = ConvertText(wideTarget, Scale::HV, "150");
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.handedOver, (std::vector<HandOver>{{Scale::HB, "140,0"}, {Scale::HRA, ""}}));

    // d overflows: the text is far beyond the lower row, within a single's range.
    const ConversionTable wideBracket(
        Columns({{Scale::HV, {-3e38f, 3.3e38f}}, {Scale::HB, {1, 2}}}));
    EXPECT_TRUE(ConvertText(wideBracket, Scale::HV, "3,2e38").failed);

    // The interpolated value itself leaves the range: d * dy = 8 * 2e38.
    const ConversionTable steep(
        Columns({{Scale::HV, {1, 10}}, {Scale::HB, {1, 2}}, {Scale::HRA, {1e38f, 3e38f}}}));
    outcome = ConvertText(steep, Scale::HV, "9");
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.handedOver.size(), 1u);
}

TEST(TargetOrder, SourceReplacedByHv) {
    using enum Scale;
    EXPECT_EQ(TargetOrder(HV), (std::array{HB, HRA, HRB, HRC, HRD, Rm}));
    EXPECT_EQ(TargetOrder(HB), (std::array{HV, HRA, HRB, HRC, HRD, Rm}));
    EXPECT_EQ(TargetOrder(HRC), (std::array{HB, HRA, HRB, HV, HRD, Rm}));
    EXPECT_EQ(TargetOrder(Rm), (std::array{HB, HRA, HRB, HRC, HRD, HV}));
}

}  // namespace
}  // namespace kestal
