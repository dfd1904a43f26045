#include "conversion/number_text.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace kestal {
namespace {

const QLocale kFrench(QLocale::French, QLocale::France);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

struct Reading {
    const char* text;
    std::optional<double> french;
    std::optional<double> english;
};

class Parsing : public testing::TestWithParam<Reading> {};

TEST_P(Parsing, ReadsTheWholeTextUnderTheLocale) {
    const Reading reading = GetParam();
    const QString text = QString::fromUtf8(reading.text);
    EXPECT_EQ(ParseDouble(text, kFrench), reading.french) << "fr: " << reading.text;
    EXPECT_EQ(ParseDouble(text, kEnglish), reading.english) << "en: " << reading.text;
}

constexpr std::optional<double> kNotANumber;

INSTANTIATE_TEST_SUITE_P(
    Texts, Parsing,
    testing::Values(
        Reading{"200", 200, 200}, Reading{"12,5", 12.5, kNotANumber},
        Reading{"12.5", kNotANumber, 12.5},
        // Prefixes typed on the way to a number already read as one.
        Reading{"12,", 12, kNotANumber}, Reading{"12.", kNotANumber, 12},
        Reading{",5", 0.5, kNotANumber}, Reading{".5", kNotANumber, 0.5},
        Reading{"-,5", -0.5, kNotANumber}, Reading{"-5", -5, -5}, Reading{"+5", 5, 5},
        Reading{"1e3", 1000, 1000}, Reading{"1E3", 1000, 1000},
        Reading{"2,5e-1", 0.25, kNotANumber}, Reading{" 200 ", 200, 200},
        // Texts that only become numbers later, or never do.
        Reading{"-", kNotANumber, kNotANumber}, Reading{",", kNotANumber, kNotANumber},
        Reading{"1e", kNotANumber, kNotANumber}, Reading{"1e-", kNotANumber, kNotANumber},
        Reading{"", kNotANumber, kNotANumber}, Reading{" ", kNotANumber, kNotANumber},
        Reading{"abc", kNotANumber, kNotANumber}, Reading{"12a", kNotANumber, kNotANumber},
        Reading{"1,2,3", kNotANumber, kNotANumber}, Reading{"1.2.3", kNotANumber, kNotANumber},
        Reading{"--5", kNotANumber, kNotANumber}, Reading{"0x10", kNotANumber, kNotANumber},
        // Grouping is refused: "1,000" must not turn into 1000 where a comma is a decimal.
        Reading{"1,000", 1, kNotANumber}, Reading{"2 220", kNotANumber, kNotANumber},
        Reading{"2\u202f220", kNotANumber, kNotANumber}, Reading{"inf", kNotANumber, kNotANumber},
        Reading{"nan", kNotANumber, kNotANumber}, Reading{"-Infinity", kNotANumber, kNotANumber},
        Reading{"1e400", kNotANumber, kNotANumber},
        // Too small for double: reads as 0, like any value too fine to hold.
        Reading{"1e-400", 0, 0}, Reading{"0", 0, 0}));

TEST(ParseSingle, NearestSingleAndItsRange) {
    EXPECT_EQ(ParseSingle("80,7", kFrench), 80.7f);
    EXPECT_EQ(ParseSingle("105,005", kFrench), 105.005f);
    EXPECT_EQ(ParseSingle("3,4028234e38", kFrench), FLT_MAX);
    EXPECT_EQ(ParseSingle("3,5e38", kFrench), std::nullopt);
    EXPECT_EQ(ParseSingle("-3,5e38", kFrench), std::nullopt);
    EXPECT_EQ(ParseDouble("3,5e38", kFrench), 3.5e38);
    EXPECT_EQ(ParseSingle("1e-50", kFrench), 0.0f);
    EXPECT_EQ(ParseSingle("nan", kEnglish), std::nullopt);
    // Read straight to single: through double, the second rounding would give
    // 1 + 2^-23 for this text just above the halfway point 1 + 2^-24.
    EXPECT_EQ(ParseSingle("1.000000059604644775390625000000000000000001", kEnglish),
              1.0f + FLT_EPSILON);
    EXPECT_EQ(ParseSingle("1.00000005960464477539062499", kEnglish), 1.0f);
}

TEST(ParseDouble, OtherDigitsAndSignsOfTheLocale) {
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    EXPECT_EQ(ParseDouble(arabic.toString(-12.5), arabic), -12.5);
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    EXPECT_EQ(ParseDouble(swedish.toString(-12.5), swedish), -12.5);
    EXPECT_EQ(ParseDouble("-12,5", swedish), -12.5);
}

struct Formatting {
    float value;
    const char* french;
    const char* english;
};

class Format : public testing::TestWithParam<Formatting> {};

TEST_P(Format, OneDecimalNoGrouping) {
    const Formatting row = GetParam();
    EXPECT_EQ(FormatOneDecimal(row.value, kFrench), QString::fromUtf8(row.french));
    EXPECT_EQ(FormatOneDecimal(row.value, kEnglish), QString::fromUtf8(row.english));
}

INSTANTIATE_TEST_SUITE_P(
    Values, Format,
    testing::Values(Formatting{2220.f, "2220,0", "2220.0"}, Formatting{190.f, "190,0", "190.0"},
                    Formatting{0.f, "0,0", "0.0"}, Formatting{0.04f, "0,0", "0.0"},
                    Formatting{-0.04f, "-0,0", "-0.0"}, Formatting{0.05f, "0,1", "0.1"},
                    Formatting{91.8f, "91,8", "91.8"}, Formatting{0.25f, "0,3", "0.3"},
                    // 57.55f is 57.5499992...; written with seven digits it is
                    // 57.55, and the half goes up.
                    Formatting{57.55f, "57,6", "57.6"}, Formatting{68.85f, "68,9", "68.9"},
                    Formatting{-2.25f, "-2,3", "-2.3"}, Formatting{9.96f, "10,0", "10.0"},
                    Formatting{99999.95f, "100000,0", "100000.0"},
                    Formatting{1234567.f, "1234567,0", "1234567.0"},
                    Formatting{3.0e10f, "30000000000,0", "30000000000.0"},
                    Formatting{1e-20f, "0,0", "0.0"}, Formatting{INFINITY, "", ""},
                    Formatting{NAN, "", ""}));

TEST(FormatOneDecimal, ReadsBackUnderTheSameLocale) {
    for (const float value : {0.1f, 57.3f, 2180.f, 825.75f, 3.4e38f}) {
        const QString text = FormatOneDecimal(value, kFrench);
        const auto back = ParseDouble(text, kFrench);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_NEAR(*back, value, std::max(0.05, std::abs(value) * 1e-6)) << text.toStdString();
    }
}

TEST(LocaleFromEnvironment, FirstSetVariableFrenchByDefault) {
    struct Case {
        const char* lcAll;
        const char* lcNumeric;
        const char* lang;
        const char* decimal;
    };
    for (const Case c :
         {Case{"", "", "", ","}, Case{"C", "en_US.UTF-8", "", ","}, Case{"POSIX", "", "", ","},
          Case{"", "", "C.UTF-8", ","}, Case{"", "en_US.UTF-8", "fr_FR.UTF-8", "."},
          Case{"en_GB.UTF-8", "de_DE.UTF-8", "", "."}, Case{"", "", "de_DE.UTF-8@euro", ","},
          Case{"", "", "en_US", "."}, Case{"", "", "xx_YY", ","}}) {
        const QLocale locale = LocaleFromEnvironment(c.lcAll, c.lcNumeric, c.lang);
        EXPECT_EQ(locale.decimalPoint(), QString::fromUtf8(c.decimal))
            << c.lcAll << "|" << c.lcNumeric << "|" << c.lang;
    }
    EXPECT_EQ(LocaleFromEnvironment("", "", "").name(), "fr_FR");
}

}  // namespace
}  // namespace kestal
