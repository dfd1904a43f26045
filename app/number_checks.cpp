#include "app/number_checks.hpp"

#include "app/check_words.hpp"

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

// A text and, for one the program must take, the decimal it reads as.
struct Sample {
    std::u16string_view kind;
    std::u16string text;
    std::optional<Decimal> value;
};

// What the program refuses, each kind in the middle and at the end of a text
// where the two differ, and each form it takes, around `whole`, a figure of
// the box's scale; under the convention of separator `point`.
std::vector<Sample> Samples(long long whole, const NumberSymbols& symbols) {
    const std::u16string& point = symbols.decimalPoint;
    const std::u16string other = point == u"," ? u"." : u",";
    const std::u16string w = DecimalText({whole, 0}, symbols);
    const std::u16string five = DecimalText({5, 0}, symbols);
    const std::u16string places = Number(static_cast<long long>(w.size()));
    const Decimal wholeValue{whole, 0};
    const Decimal half{whole * 10 + 5, 1};
    return {
        {u"des lettres", w + u"a" + five, {}},
        {u"des lettres", w + u"a", {}},
        {u"un second séparateur", w + point + five + point + five, {}},
        {u"un second séparateur", w + point + five + point, {}},
        {u"des chiffres groupés", u"1 " + w, {}},
        {u"des chiffres groupés", u"1\u202f" + w + point + five, {}},
        {u"un exposant décimal", w + u"e1" + point + five, {}},
        {u"un exposant sans chiffre", w + u"e", {}},
        {u"un signe seul", u"-", {}},
        {u"un signe seul", u"+", {}},
        {u"un signe après les chiffres", w + u"-", {}},
        {u"une espace à l'intérieur", w + u" " + point + five, {}},
        {u"une espace à l'intérieur", w + u" " + point, {}},
        {u"NaN", u"NaN", {}},
        {u"l'infini", u"inf", {}},
        {u"l'infini", u"-Infinity", {}},
        {u"l'autre séparateur", w + other + five, {}},
        {u"l'autre séparateur", w + other, {}},
        {u"une espace seule", u" ", {}},
        {u"des chiffres", w, wholeValue},
        {u"des décimales", w + point + five, half},
        {u"le séparateur à la fin", w + point, wholeValue},
        {u"le séparateur au début", point + w + u"E" + places, wholeValue},
        {u"le signe plus", u"+" + w + point + five, half},
        {u"des espaces autour", u" \t" + w + point + five + u" ", half},
        {u"un exposant négatif", w + five + u"e-1", half},
        {u"un exposant positif", point + w + five + u"E+" + places, half},
        {u"des zéros en tête", u"00" + w + point + five, half},
        {u"le signe moins", u"-" + w, Decimal{-whole, 0}},
    };
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
            const std::u16string name = Ascii(convention.name);
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
            for (const Sample& sample : Samples(whole, symbols)) {
                const TypedBoxes shown = typing(source, sample.text);
                const std::u16string where =
                    prefix + Quoted(sample.text) + u" (" + std::u16string(sample.kind) + u") : ";
                if (sample.value) {
                    ++m_checks.acceptances;
                    CompareBoxes(where, source, shown,
                                 Expect(m_expected, source, *sample.value, symbols), faults);
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
            ++m_checks.refusals;
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
