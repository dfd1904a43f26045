#include "app/lab/validation_checks.hpp"

#include <cmath>
#include <utility>

#include "app/lab/check_words.hpp"
#include "app/lab/number_checks.hpp"
#include "app/lab/table_fingerprint.hpp"
#include "app/text/text_encoding.hpp"
#include "app/window/key_release_run.hpp"
#include "app/window/table_identity.hpp"

namespace kestal {

namespace {

// The seven boxes of a window that no one sees, for the key-release run.
class MemoryBoxes final : public ScaleBoxes {
public:
    std::u16string Text(Scale scale) const override { return shown.texts[ColumnOf(scale)]; }
    void SetText(Scale scale, std::u16string_view text) override {
        shown.texts[ColumnOf(scale)] = text;
    }
    void ShowNotANumber() override { shown.refused = true; }
    void SetNotes(const BoxNotes& notes) override { shown.run = notes.run; }
    bool ShowsNotes() const override { return false; }

    TypedBoxes shown;
};

// The same points inside every pair on every run: a fixed sequence
// (Knuth's MMIX linear congruential generator), not the clock's.
class FixedDraw {
public:
    // A whole number of 1 to `span` - 1.
    long long Inside(long long span) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return 1 +
               static_cast<long long>((m_state >> 33) % static_cast<unsigned long long>(span - 1));
    }

private:
    unsigned long long m_state = 20'260'101;
};

// Its trailing zeros dropped: 81,250 is given as 81,25.
Decimal Shortest(Decimal value) {
    while (value.places > 0 && value.units % 10 == 0) {
        value.units /= 10;
        --value.places;
    }
    return value;
}

class Checker {
public:
    explicit Checker(const CheckedProgram& program)
        : m_program(program),
          m_figures(PublishedFigures::Reference()),
          m_expected(m_figures),
          m_symbols(program.numbers),
          m_typing(program.typing(program.numbers)) {}

    ValidationChecks Run() {
        m_checks.table = &m_program.table;
        Published();
        const GivenFigures given =
            GiveEveryFigure(m_expected, m_typing, m_symbols, {}, m_checks.reproduced.faults);
        m_checks.givenFigures = given.given;
        m_checks.comparedBoxes = given.boxes;
        for (const Scale scale : kAllScales) {
            Order(scale);
            Interpolate(scale);
            Outside(scale);
        }
        CheckNumbers(m_program, m_expected, m_checks);
        return std::move(m_checks);
    }

private:
    long Published(Scale scale, int row) const { return m_figures.Tenths(scale, row); }

    // A cell as the program's table holds it, to the ten-thousandth.
    std::u16string CellWords(float cell) const {
        if (cell == 0) {
            return u"une case vide";
        }
        return Quoted(
            DecimalText(Shortest({std::llround(static_cast<double>(cell) * 10000), 4}), m_symbols));
    }

    // Every cell the program's table holds, rows 1 to 100, is the single
    // nearest its published figure, or 0 where none is published; and the
    // table's fingerprint is the one written down.
    void Published() {
        if (!m_figures.Read()) {
            m_checks.published.faults.push_back(
                u"la copie des valeurs publiées que porte le programme est illisible");
        }
        for (const Scale scale : kAllScales) {
            for (int row = 1; row <= ConversionTable::kRows; ++row) {
                ++m_checks.cells;
                const long tenths = Published(scale, row);
                m_checks.cellsWithFigures += tenths != 0 ? 1 : 0;
                const float cell = *m_program.table.Value(scale, row);
                if (cell == m_expected.Cell(scale, row)) {
                    continue;
                }
                std::u16string fault =
                    u"ligne " + Number(row) + u", " + NameOf(scale) + u" : " + CellWords(cell) +
                    u" au lieu de " +
                    (tenths != 0 ? Quoted(TypedFigure(tenths, m_symbols)) + u", la valeur publiée"
                                 : u"une case vide");
                if (tenths != 0 && cell != 0 &&
                    std::llround(static_cast<double>(cell) * 10) == tenths) {
                    fault += u" (pas le nombre en simple précision le plus proche)";
                }
                m_checks.published.faults.push_back(fault);
            }
        }
        m_checks.fingerprint = TableFingerprintOf(m_program.table);
        if (m_checks.fingerprint != kTableFingerprint) {
            m_checks.published.faults.push_back(u"empreinte calculée " +
                                                Utf16(m_checks.fingerprint) + u" au lieu de " +
                                                Utf16(kTableFingerprint) + u", l'attendue");
        }
    }

    // The rows of the program's table with a figure follow one another with no
    // gap and rise strictly, and they are the run the program goes by.
    void Order(Scale scale) {
        const ConversionTable& table = m_program.table;
        std::vector<int> rows;
        for (int row = 1; row <= ConversionTable::kRows; ++row) {
            if (*table.Value(scale, row) != 0) {
                rows.push_back(row);
            }
        }
        const std::u16string name = NameOf(scale);
        std::vector<std::u16string>& faults = m_checks.order.faults;
        m_checks.orderedRows += static_cast<int>(rows.size());
        if (rows.empty()) {
            faults.push_back(name + u" : aucune valeur");
            return;
        }
        const std::size_t before = faults.size();
        for (std::size_t k = 1; k < rows.size(); ++k) {
            const int lower = rows[k - 1];
            const int upper = rows[k];
            if (upper != lower + 1) {
                faults.push_back(name + u" : lignes " + Number(lower + 1) + u" à " +
                                 Number(upper - 1) + u" sans valeur au milieu de la série");
            }
            if (*table.Value(scale, upper) <= *table.Value(scale, lower)) {
                faults.push_back(name + u" : ligne " + Number(upper) + u" (" +
                                 CellWords(*table.Value(scale, upper)) +
                                 u") hors d'ordre après la ligne " + Number(lower) + u" (" +
                                 CellWords(*table.Value(scale, lower)) + u")");
            }
        }
        const auto& run = table.RisingRun(scale);
        const bool rising = faults.size() == before;
        if (rising != run.has_value() ||
            (run && (run->first != rows.front() || run->last != rows.back()))) {
            faults.push_back(name + u" : le programme ne parcourt pas les lignes " +
                             Number(rows.front()) + u" à " + Number(rows.back()) +
                             u" comme la table");
        }
    }

    // Inside every pair of neighbouring rows with a figure: its quarters, a
    // hundredth inside each end, drawn points, and one with more digits than
    // a single holds, where those digits decide a tenth.
    void Interpolate(Scale source) {
        for (int i = 1; i < ConversionTable::kRows; ++i) {
            const long long low = Published(source, i) * 100LL;  // thousandths
            const long long high = Published(source, i + 1) * 100LL;
            if (low == 0 || high == 0) {
                continue;
            }
            ++m_checks.pairs;
            for (const long long units : {low + (high - low) / 4, low + (high - low) / 2,
                                          low + (high - low) * 3 / 4, low + 10, high - 10}) {
                PointInPair(source, i, {units, 3});
            }
            for (int k = 0; k < kDrawnPoints; ++k) {
                PointInPair(source, i, {low + m_draw.Inside(high - low), 3});
            }
            if (const std::optional<Decimal> point = LongPoint(source, i)) {
                ++m_checks.longPoints;
                PointInPair(source, i, *point, u", chiffres au-delà de la simple précision");
            }
        }
    }

    // A point of 9 decimals where the offset taken from the text's double, as
    // documented, gives another tenth than one taken from its single would:
    // near the text whose exact figure is a half tenth of some target.
    std::optional<Decimal> LongPoint(Scale source, int i) const {
        const double lowSource = Published(source, i) / 10.0;
        const double highSource = Published(source, i + 1) / 10.0;
        for (const Scale target : kAllScales) {
            const long low = Published(target, i);
            const long high = Published(target, i + 1);
            if (target == source || low == 0 || high == 0 || low == high) {
                continue;
            }
            const double half = ((low + high) / 2) / 10.0 + 0.05;
            const double x =
                lowSource + (half - low / 10.0) * (highSource - lowSource) / ((high - low) / 10.0);
            const long long center = std::llround(x * 1e9);
            for (int step = 0; step <= 300; ++step) {
                const Decimal typed{center + (step % 2 == 0 ? step : -step - 1) / 2 * 1000, 9};
                const float single = NearestSingle(typed);
                if (m_expected.Bracket(source, single) != i) {
                    continue;
                }
                if (m_expected.Figure(source, i, single, NearestDouble(typed), target) !=
                    m_expected.Figure(source, i, single, static_cast<double>(single), target)) {
                    return typed;
                }
            }
        }
        return std::nullopt;
    }

    // One value given inside the pair of rows i and i + 1: its pair and its
    // figures go to the interpolation's section, its boxes at the edge of a
    // scale's figures to the limits' section, which counts them apart.
    void PointInPair(Scale source, int i, Decimal typed, std::u16string_view kind = {}) {
        typed = Shortest(typed);
        const std::u16string text = DecimalText(typed, m_symbols);
        const TypedBoxes shown = m_typing(source, text);
        const ExpectedBoxes expected = Expect(m_expected, source, typed, m_symbols);
        ++m_checks.points;
        // Worded only for a fault: most points have none.
        const auto where = [&] {
            return NameOf(source) + u" " + text + u" (" + PairWords(i) + std::u16string(kind) +
                   u"), ";
        };
        std::vector<std::u16string>& faults = m_checks.interpolation.faults;
        if (shown.refused) {
            faults.push_back(where() + u"refusé par le message d'erreur");
            return;
        }
        const std::optional<int> named = shown.run ? shown.run->bracket : std::nullopt;
        if (named != expected.bracket) {
            faults.push_back(where() + u"le programme nomme " + PairWords(named));
        }
        for (const Scale target : kAllScales) {
            if (target == source) {
                continue;
            }
            const std::u16string& got = shown.texts[ColumnOf(target)];
            const std::u16string& want = expected.texts[ColumnOf(target)];
            const bool lowHas = Published(target, i) != 0;
            const bool highHas = Published(target, i + 1) != 0;
            if (!lowHas || !highHas) {
                (lowHas || highHas ? m_checks.edgeBoxes : m_checks.noFigureBoxes) += 1;
                if (got != want) {
                    m_checks.limits.faults.push_back(
                        where() + Mismatch(NameOf(target), got, want) +
                        (lowHas || highHas ? u" : la valeur s'arrête à l'une des deux lignes"
                                           : u" : la table n'en donne sur aucune des deux"));
                }
                continue;
            }
            ++m_checks.digitFigures;
            if (got != want) {
                faults.push_back(where() + Mismatch(NameOf(target), got, want));
            }
            ++m_checks.exactFigures;
            const auto near = [&](long tenths) {
                return m_expected.NearExact(source, i, typed, target, tenths);
            };
            const std::optional<long> tenths = ShownTenths(got, m_symbols);
            if (!tenths || !near(*tenths)) {
                faults.push_back(where() + NameOf(target) + u" : " +
                                 (got.empty() ? u"une case vide" : Quoted(got)) +
                                 u" à plus de 0,05 de la valeur exacte");
            } else if (near(*tenths - 1) || near(*tenths + 1)) {
                ++m_checks.nearHalves;
            }
        }
    }

    // A tenth below a scale's first figure and above its last: the six other
    // boxes stay empty, with no message and no pair of rows.
    void Outside(Scale source) {
        long first = 0;
        long last = 0;
        for (int row = 1; row <= ConversionTable::kRows; ++row) {
            if (const long tenths = Published(source, row); tenths != 0) {
                first = first == 0 ? tenths : first;
                last = tenths;
            }
        }
        for (const long tenths : {first - 1, last + 1}) {
            const std::u16string typed = DecimalText({tenths, 1}, m_symbols);
            ++m_checks.outsideValues;
            CompareBoxes(NameOf(source) + u" " + typed + u", hors de l'échelle : ", source,
                         m_typing(source, typed), {}, m_checks.limits.faults);
        }
    }

    const CheckedProgram& m_program;
    const PublishedFigures& m_figures;
    const ExpectedFigures m_expected;
    const NumberSymbols& m_symbols;
    const Typing m_typing;
    FixedDraw m_draw;
    ValidationChecks m_checks;
};

}  // namespace

TypingUnder TypingOver(const ConversionTable& table) {
    return [&table](const NumberSymbols& symbols) -> Typing {
        return [engine = ConversionEngine(symbols, table)](Scale source, std::u16string_view text) {
            MemoryBoxes boxes;
            boxes.SetText(source, text);
            RunKeyRelease(engine, source, boxes);
            return boxes.shown;
        };
    };
}

ValidationChecks RunValidationChecks(const CheckedProgram& program) {
    return Checker(program).Run();
}

}  // namespace kestal
