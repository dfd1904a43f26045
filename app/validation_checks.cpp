#include "app/validation_checks.hpp"

#include <cmath>
#include <optional>

#include "app/key_release_run.hpp"

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

    TypedBoxes shown;
};

// A cell's figure in tenths: every cell is the single nearest a decimal with
// one decimal place, far nearer it than half a tenth.
long Tenths(float cell) {
    return std::lround(static_cast<double>(cell) * 10);
}

std::u16string Ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

// A whole number in the locale's digits.
std::u16string Digits(long value, char16_t zero) {
    std::u16string text;
    for (const char c : std::to_string(value)) {
        text += static_cast<char16_t>(zero + (c - '0'));
    }
    return text;
}

std::u16string Quoted(std::u16string_view text) {
    return u"« " + std::u16string(text) + u" »";
}

// "HV : « 235,0 » au lieu de « 240,0 »", "HV : une case vide au lieu de ...".
std::u16string Instead(std::u16string_view box, std::u16string_view got,
                       std::u16string_view expected) {
    return std::u16string(box) + u" : " + (got.empty() ? u"une case vide" : Quoted(got)) +
           (expected.empty() ? u" au lieu d'une case vide" : u" au lieu de " + Quoted(expected));
}

// The rows of `scale` that hold a value, 1 to 100 in order.
std::vector<int> RowsWithValues(const ConversionTable& table, Scale scale) {
    std::vector<int> rows;
    for (int row = 1; row <= ConversionTable::kRows; ++row) {
        if (*table.Value(scale, row) != 0) {
            rows.push_back(row);
        }
    }
    return rows;
}

class Checker {
public:
    Checker(const ConversionTable& table, const NumberText& numbers, const Typing& typing)
        : m_table(table), m_symbols(numbers.Symbols()), m_typing(typing) {}

    ValidationChecks Run() {
        for (const Scale scale : kAllScales) {
            m_rows[ColumnOf(scale)] = RowsWithValues(m_table, scale);
        }
        for (const Scale scale : kAllScales) {
            Reproduce(scale);
            Order(scale);
            Middles(scale);
            JustOutside(scale);
            Refusals(scale);
        }
        return m_checks;
    }

private:
    float Cell(Scale scale, int row) const { return *m_table.Value(scale, row); }
    std::u16string Figure(Scale scale, int row) const {
        return DecimalText(Tenths(Cell(scale, row)), m_symbols);
    }
    // A cell as a user types it: "586", "80,7".
    std::u16string AsTyped(Scale scale, int row) const {
        const long tenths = Tenths(Cell(scale, row));
        return tenths % 10 == 0 ? Digits(tenths / 10, m_symbols.zeroDigit)
                                : DecimalText(tenths, m_symbols);
    }
    // "HV 645": a typed text and the box it went in.
    static std::u16string In(Scale scale, std::u16string_view text) {
        return Ascii(ScaleName(scale)) + u" " + std::u16string(text);
    }

    // Every cell, typed in its scale, gives its row's figures in the six other
    // boxes, and an empty box where the row has none.
    void Reproduce(Scale source) {
        for (const int row : m_rows[ColumnOf(source)]) {
            const std::u16string typed = AsTyped(source, row);
            const TypedBoxes shown = m_typing(source, typed);
            ++m_checks.typedRows;
            const std::u16string where =
                u"ligne " + Ascii(std::to_string(row)) + u", " + In(source, typed) + u", ";
            if (shown.refused) {
                m_checks.reproduced.faults.push_back(where + u"refusé par le message d'erreur");
                continue;
            }
            for (const Scale target : TargetOrder(source)) {
                ++m_checks.reproduced.checked;
                const std::u16string expected =
                    Cell(target, row) != 0 ? Figure(target, row) : std::u16string();
                const std::u16string& got = shown.texts[ColumnOf(target)];
                if (got != expected) {
                    m_checks.reproduced.faults.push_back(
                        where + Instead(Ascii(ScaleName(target)), got, expected));
                }
            }
        }
    }

    // The rows that hold a value follow one another with no gap and rise
    // strictly, and they are the run the program goes by.
    void Order(Scale scale) {
        const std::vector<int>& rows = m_rows[ColumnOf(scale)];
        const std::u16string name = Ascii(ScaleName(scale));
        CheckSection& order = m_checks.order;
        order.checked += static_cast<int>(rows.size());
        if (rows.empty()) {
            order.faults.push_back(name + u" : aucune valeur");
            return;
        }
        const std::size_t before = order.faults.size();
        for (std::size_t k = 1; k < rows.size(); ++k) {
            const int lower = rows[k - 1];
            const int upper = rows[k];
            if (upper != lower + 1) {
                order.faults.push_back(name + u" : lignes " + Ascii(std::to_string(lower + 1)) +
                                       u" à " + Ascii(std::to_string(upper - 1)) +
                                       u" sans valeur au milieu de la série");
            }
            if (Cell(scale, upper) <= Cell(scale, lower)) {
                order.faults.push_back(name + u" : ligne " + Ascii(std::to_string(upper)) + u" (" +
                                       Figure(scale, upper) + u") hors d'ordre après la ligne " +
                                       Ascii(std::to_string(lower)) + u" (" + Figure(scale, lower) +
                                       u")");
            }
        }
        const auto& run = m_table.RisingRun(scale);
        const bool rising = order.faults.size() == before;
        if (rising != run.has_value() ||
            (run && (run->first != rows.front() || run->last != rows.back()))) {
            order.faults.push_back(name + u" : le programme ne parcourt pas les lignes " +
                                   Ascii(std::to_string(rows.front())) + u" à " +
                                   Ascii(std::to_string(rows.back())) + u" comme la table");
        }
    }

    // At the exact middle of each pair of neighbouring rows: each target shows
    // the middle of its two figures, or nothing where a row has none.
    void Middles(Scale source) {
        const std::vector<int>& rows = m_rows[ColumnOf(source)];
        for (std::size_t k = 1; k < rows.size(); ++k) {
            const int lower = rows[k - 1];
            const int upper = rows[k];
            if (upper != lower + 1) {
                continue;  // a gap, which the order check names
            }
            const Middle typedMiddle =
                MiddleOf(Tenths(Cell(source, lower)), Tenths(Cell(source, upper)));
            const std::u16string typed = HundredthsText(typedMiddle.hundredths, m_symbols);
            const TypedBoxes shown = m_typing(source, typed);
            ++m_checks.midpoints;
            const std::u16string where = In(source, typed) + u" (lignes " +
                                         Ascii(std::to_string(lower)) + u" et " +
                                         Ascii(std::to_string(upper)) + u"), ";
            if (shown.refused) {
                m_checks.interpolation.faults.push_back(where + u"refusé par le message d'erreur");
                continue;
            }
            for (const Scale target : TargetOrder(source)) {
                const std::u16string& got = shown.texts[ColumnOf(target)];
                const std::u16string targetName = Ascii(ScaleName(target));
                if (Cell(target, lower) == 0 || Cell(target, upper) == 0) {
                    ++m_checks.limits.checked;
                    if (!got.empty()) {
                        m_checks.limits.faults.push_back(
                            where + Instead(targetName, got, {}) +
                            u" : la table n'en donne pas sur l'une des deux lignes");
                    }
                    continue;
                }
                ++m_checks.interpolation.checked;
                const Middle middle =
                    MiddleOf(Tenths(Cell(target, lower)), Tenths(Cell(target, upper)));
                const std::u16string low = DecimalText(middle.low, m_symbols);
                const std::u16string high = DecimalText(middle.high, m_symbols);
                if (middle.low != middle.high) {
                    ++m_checks.ties;
                }
                if (got != low && got != high) {
                    m_checks.interpolation.faults.push_back(
                        where + Instead(targetName, got, high) +
                        (middle.low != middle.high ? u" ou " + Quoted(low) : std::u16string()) +
                        u", milieu exact " + HundredthsText(middle.hundredths, m_symbols));
                }
            }
        }
    }

    // A tenth below the first value and above the last: the six other boxes
    // stay empty, with no message.
    void JustOutside(Scale source) {
        const std::vector<int>& rows = m_rows[ColumnOf(source)];
        if (rows.empty()) {
            return;
        }
        for (const long tenths :
             {Tenths(Cell(source, rows.front())) - 1, Tenths(Cell(source, rows.back())) + 1}) {
            const std::u16string typed = DecimalText(tenths, m_symbols);
            const TypedBoxes shown = m_typing(source, typed);
            ++m_checks.limits.checked;
            std::u16string filled;
            for (const Scale target : TargetOrder(source)) {
                if (!shown.texts[ColumnOf(target)].empty()) {
                    filled += (filled.empty() ? u"" : u", ") + Ascii(ScaleName(target)) + u" " +
                              Quoted(shown.texts[ColumnOf(target)]);
                }
            }
            if (shown.refused || !filled.empty()) {
                m_checks.limits.faults.push_back(
                    In(source, typed) + u", hors de l'échelle : " +
                    (shown.refused ? u"refusé par le message d'erreur" : filled));
            }
        }
    }

    // What is not a number is refused with the message, and the seven boxes
    // emptied; an empty box converts nothing and says nothing.
    void Refusals(Scale source) {
        const std::u16string wrongSeparator = m_symbols.decimalPoint == u"," ? u"12.5" : u"12,5";
        for (const std::u16string& text :
             {std::u16string(u"abc"), wrongSeparator, std::u16string(u"1 000"),
              std::u16string(u"-"), std::u16string(u" "), std::u16string()}) {
            const TypedBoxes shown = m_typing(source, text);
            ++m_checks.limits.checked;
            const bool emptied = shown.texts == std::array<std::u16string, kScaleCount>{};
            const bool expected =
                text.empty() ? !shown.refused && emptied : shown.refused && emptied;
            if (!expected) {
                m_checks.limits.faults.push_back(
                    In(source, Quoted(text)) + u" : " +
                    (text.empty()    ? u"une case vide a converti ou fait paraître le message"
                     : shown.refused ? u"les cases ne sont pas vidées"
                                     : u"accepté au lieu du message d'erreur"));
            }
        }
    }

    const ConversionTable& m_table;
    const NumberSymbols& m_symbols;
    const Typing& m_typing;
    std::array<std::vector<int>, kScaleCount> m_rows;
    ValidationChecks m_checks;
};

}  // namespace

Typing TypingThrough(const ConversionEngine& engine) {
    return [&engine](Scale source, std::u16string_view text) {
        MemoryBoxes boxes;
        boxes.SetText(source, text);
        RunKeyRelease(engine, source, boxes);
        return boxes.shown;
    };
}

ValidationChecks RunValidationChecks(const ConversionTable& table, const NumberText& numbers,
                                     const Typing& typing) {
    return Checker(table, numbers, typing).Run();
}

std::u16string DecimalText(long tenths, const NumberSymbols& symbols) {
    return HundredthsText(tenths * 10, symbols);
}

std::u16string HundredthsText(long hundredths, const NumberSymbols& symbols) {
    std::u16string out;
    if (hundredths < 0) {
        out = symbols.negativeSign;
        hundredths = -hundredths;
    }
    out += Digits(hundredths / 100, symbols.zeroDigit) + symbols.decimalPoint +
           Digits(hundredths / 10 % 10, symbols.zeroDigit);
    if (hundredths % 10 != 0) {
        out += Digits(hundredths % 10, symbols.zeroDigit);
    }
    return out;
}

Middle MiddleOf(long lowerTenths, long upperTenths) {
    const long sum = lowerTenths + upperTenths;  // twice the middle, in tenths
    // Rounding half away from zero (every figure is positive) takes the upper tenth.
    return {sum * 5, sum / 2, (sum + 1) / 2};
}

}  // namespace kestal
