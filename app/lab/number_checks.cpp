#include "app/lab/number_checks.hpp"

#include "app/lab/check_words.hpp"
#include "app/text/text_encoding.hpp"

namespace kestal {

namespace {

// The conventions every record checks besides those in force, as the record
// itself knows them, and the names a system gives them.
struct Convention {
    std::u16string_view words;
    std::string_view name;
    NumberSymbols own;
};

const Convention kConventions[] = {
    {u"françaises", "fr_FR", {u",", u"-", u"+", u"E"}},
    {u"anglaises", "en_US", {u".", u"-", u"+", u"e"}},
    {u"C", "C", {u".", u"-", u"+", u"e"}},
};

// The separator the program's windows ask for where no locale is named.
constexpr std::u16string_view kDefaultSeparator = u",";

// A text of each kind the program refuses, in the middle and at the end of
// the text where the two differ, then each form it takes and the value it
// reads it as. In a pattern, # stands for a whole figure of the box's scale,
// 5 for the digit five, @ for the number of digits of the figure, ',' for
// the convention's decimal separator and ';' for the other one, all in the
// convention's digits and signs.
enum class Reads { Refused, Whole, Half, MinusWhole };

struct Sample {
    std::string_view kind;  // UTF-8, as the record's words are kept
    std::u16string_view pattern;
    Reads reads = Reads::Refused;
};

constexpr Sample kSamples[] = {
    {"des lettres", u"#a5"},
    {"des lettres", u"#a"},
    {"un second séparateur", u"#,5,5"},
    {"un second séparateur", u"#,5,"},
    {"des chiffres groupés", u"1 #"},
    {"des chiffres groupés", u"1\u202f#,5"},
    {"un exposant décimal", u"#e1,5"},
    {"un exposant sans chiffre", u"#e"},
    {"un signe seul", u"-"},
    {"un signe seul", u"+"},
    {"un signe après les chiffres", u"#-"},
    {"une espace à l'intérieur", u"# ,5"},
    {"une espace à l'intérieur", u"# ,"},
    {"NaN", u"NaN"},
    {"l'infini", u"inf"},
    {"l'infini", u"-Infinity"},
    {"l'autre séparateur", u"#;5"},
    {"l'autre séparateur", u"#;"},
    {"une espace seule", u" "},
    {"des chiffres", u"#", Reads::Whole},
    {"des décimales", u"#,5", Reads::Half},
    {"le séparateur à la fin", u"#,", Reads::Whole},
    {"le séparateur au début", u",#E@", Reads::Whole},
    {"le signe plus", u"+#,5", Reads::Half},
    {"des espaces autour", u" \t#,5 ", Reads::Half},
    {"un exposant négatif", u"#5e-1", Reads::Half},
    {"un exposant positif", u",#5E+@", Reads::Half},
    {"des zéros en tête", u"00#,5", Reads::Half},
    {"le signe moins", u"-#", Reads::MinusWhole},
};

std::u16string SampleText(std::u16string_view pattern, long long whole,
                          const NumberSymbols& symbols) {
    const std::u16string figure = DecimalText({whole, 0}, symbols);
    std::u16string text;
    for (const char16_t c : pattern) {
        switch (c) {
            case u'#':
                text += figure;
                break;
            case u'5':
                text += static_cast<char16_t>(symbols.zeroDigit + 5);
                break;
            case u'@':
                text += DecimalText({static_cast<long long>(figure.size()), 0}, symbols);
                break;
            case u',':
                text += symbols.decimalPoint;
                break;
            case u';':
                text += symbols.decimalPoint == u"," ? u"." : u",";
                break;
            default:
                text += c;
        }
    }
    return text;
}

std::optional<Decimal> SampleValue(Reads reads, long long whole) {
    switch (reads) {
        case Reads::Whole:
            return Decimal{whole, 0};
        case Reads::Half:
            return Decimal{whole * 10 + 5, 1};
        case Reads::MinusWhole:
            return Decimal{-whole, 0};
        case Reads::Refused:
            break;
    }
    return std::nullopt;
}

class NumberChecker {
public:
    NumberChecker(const CheckedProgram& program, const ExpectedFigures& expected,
                  ValidationChecks& checks)
        : m_program(program), m_expected(expected), m_checks(checks) {}

    void Run() {
        std::vector<std::u16string>& faults = m_checks.numbers.faults;
        m_checks.namesChecked = static_cast<bool>(m_program.numbersNamed);
        if (m_program.defaultNumbers) {
            m_checks.conventions.push_back(u"par défaut (aucune locale nommée), séparateur « " +
                                           std::u16string(kDefaultSeparator) + u" »");
            if (m_program.numbers.decimalPoint != kDefaultSeparator) {
                faults.push_back(u"conventions par défaut : séparateur « " +
                                 m_program.numbers.decimalPoint + u" » au lieu de « " +
                                 std::u16string(kDefaultSeparator) + u" »");
            }
        }
        Exercise(u"en vigueur", m_program.numbers);
        for (const Convention& convention : kConventions) {
            const std::u16string name = Utf16(convention.name);
            std::optional<NumberSymbols> named;
            if (m_program.numbersNamed) {
                named = m_program.numbersNamed(convention.name);
            }
            std::u16string words = std::u16string(convention.words) + u" (";
            if (named) {
                words += u"celles du programme pour " + name;
                if (named->decimalPoint != convention.own.decimalPoint) {
                    faults.push_back(name + u" : séparateur « " + named->decimalPoint +
                                     u" » au lieu de « " + convention.own.decimalPoint + u" »");
                }
            } else {
                words += u"celles du dossier" +
                         std::u16string(m_program.numbersNamed
                                            ? u", " + name + u" étant absente de ce système"
                                            : u"");
            }
            m_checks.conventions.push_back(
                words + u", séparateur « " +
                (named ? named->decimalPoint : convention.own.decimalPoint) + u" »)");
            const NumberSymbols& symbols = named ? *named : convention.own;
            const GivenFigures given =
                GiveEveryFigure(m_expected, m_program.typing(symbols), symbols,
                                u"conventions " + std::u16string(convention.words) + u", ", faults);
            m_checks.writtenFigures += given.figures;
            Exercise(convention.words, symbols);
        }
    }

private:
    // Every sample in every box, under `symbols`.
    void Exercise(std::u16string_view words, const NumberSymbols& symbols) {
        const Typing typing = m_program.typing(symbols);
        std::vector<std::u16string>& faults = m_checks.numbers.faults;
        for (const Scale source : kAllScales) {
            int first = 0;
            int last = 0;
            for (int row = 1; row <= ConversionTable::kRows; ++row) {
                if (m_expected.Tenths(source, row) != 0) {
                    first = first == 0 ? row : first;
                    last = row;
                }
            }
            const long long whole = m_expected.Tenths(source, (first + last) / 2) / 10;
            const std::u16string prefix =
                u"conventions " + std::u16string(words) + u", " + NameOf(source) + u" ";
            for (const Sample& sample : kSamples) {
                const std::u16string text = SampleText(sample.pattern, whole, symbols);
                const TypedBoxes shown = typing(source, text);
                const std::u16string where =
                    prefix + Quoted(text) + u" (" + Utf16(sample.kind) + u") : ";
                if (const std::optional<Decimal> value = SampleValue(sample.reads, whole)) {
                    ++m_checks.acceptances;
                    CompareBoxes(where, source, shown, Expect(m_expected, source, *value, symbols),
                                 faults);
                    continue;
                }
                ++m_checks.refusals;
                const bool emptied = shown.texts == std::array<std::u16string, kScaleCount>{};
                if (!shown.refused || !emptied) {
                    faults.push_back(where + (shown.refused ? u"les cases ne sont pas vidées"
                                                            : u"accepté au lieu du message"));
                }
            }
            // An empty box converts nothing and says nothing.
            const TypedBoxes shown = typing(source, {});
            ++m_checks.emptyBoxesGiven;
            if (shown.refused || shown.texts != std::array<std::u16string, kScaleCount>{}) {
                faults.push_back(prefix + u"une case vide a converti ou fait paraître le message");
            }
        }
    }

    const CheckedProgram& m_program;
    const ExpectedFigures& m_expected;
    ValidationChecks& m_checks;
};

}  // namespace

void CheckNumbers(const CheckedProgram& program, const ExpectedFigures& expected,
                  ValidationChecks& checks) {
    NumberChecker(program, expected, checks).Run();
}

}  // namespace kestal
