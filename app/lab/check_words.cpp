#include "app/lab/check_words.hpp"

#include "app/text/text_encoding.hpp"

namespace kestal {

namespace {

// A whole number in the convention's digits, at least `atLeast` of them.
std::u16string Digits(long long value, char16_t zero, int atLeast = 1) {
    std::u16string reversed;
    do {
        reversed += static_cast<char16_t>(zero + value % 10);
        value /= 10;
    } while (value != 0 || static_cast<int>(reversed.size()) < atLeast);
    return {reversed.rbegin(), reversed.rend()};
}

}  // namespace

std::u16string Number(long long value) {
    std::u16string text(value < 0 ? u"-" : u"");
    text += Digits(value < 0 ? -value : value, u'0');
    return text;
}

std::u16string Quoted(std::u16string_view text) {
    return u"« " + std::u16string(text) + u" »";
}

std::u16string NameOf(Scale scale) {
    return Utf16(ScaleName(scale));
}

std::u16string DecimalText(Decimal value, const NumberSymbols& symbols) {
    long long scale = 1;
    for (int k = 0; k < value.places; ++k) {
        scale *= 10;
    }
    const long long magnitude = value.units < 0 ? -value.units : value.units;
    std::u16string text = value.units < 0 ? symbols.negativeSign : std::u16string();
    text += Digits(magnitude / scale, symbols.zeroDigit);
    if (value.places > 0) {
        text += symbols.decimalPoint + Digits(magnitude % scale, symbols.zeroDigit, value.places);
    }
    return text;
}

std::u16string TypedFigure(long tenths, const NumberSymbols& symbols) {
    return tenths % 10 == 0 ? DecimalText({tenths / 10, 0}, symbols)
                            : DecimalText({tenths, 1}, symbols);
}

std::optional<long> ShownTenths(std::u16string_view text, const NumberSymbols& symbols) {
    const bool negative = !symbols.negativeSign.empty() && text.starts_with(symbols.negativeSign);
    if (negative) {
        text.remove_prefix(symbols.negativeSign.size());
    }
    const std::size_t point = text.find(symbols.decimalPoint);
    if (symbols.decimalPoint.empty() || point == 0 || point == std::u16string_view::npos ||
        text.size() != point + symbols.decimalPoint.size() + 1 || point > 9) {
        return std::nullopt;
    }
    long tenths = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (k >= point && k < point + symbols.decimalPoint.size()) {
            continue;
        }
        const int digit = text[k] - symbols.zeroDigit;
        if (digit < 0 || digit > 9) {
            return std::nullopt;
        }
        tenths = tenths * 10 + digit;
    }
    return negative ? -tenths : tenths;
}

ExpectedBoxes Expect(const ExpectedFigures& expected, Scale source, Decimal typed,
                     const NumberSymbols& symbols) {
    ExpectedBoxes boxes;
    const float x = NearestSingle(typed);
    boxes.bracket = expected.Bracket(source, x);
    if (!boxes.bracket) {
        return boxes;
    }
    const double value = NearestDouble(typed);
    for (const Scale target : kAllScales) {
        if (target != source) {
            if (const auto tenths = expected.Figure(source, *boxes.bracket, x, value, target)) {
                boxes.texts[ColumnOf(target)] = DecimalText({*tenths, 1}, symbols);
            }
        }
    }
    return boxes;
}

std::u16string GotInsteadOf(std::u16string_view got, std::u16string_view expected) {
    return (got.empty() ? u"une case vide" : Quoted(got)) +
           (expected.empty() ? u" au lieu d'une case vide" : u" au lieu de " + Quoted(expected));
}

std::u16string Mismatch(std::u16string_view box, std::u16string_view got,
                        std::u16string_view expected) {
    return std::u16string(box) + u" : " + GotInsteadOf(got, expected);
}

std::u16string PairWords(std::optional<int> bracket) {
    return bracket ? u"lignes " + Number(*bracket) + u" et " + Number(*bracket + 1)
                   : u"aucune paire de lignes";
}

int CompareBoxes(std::u16string_view where, Scale source, const TypedBoxes& shown,
                 const ExpectedBoxes& expected, std::vector<std::u16string>& faults) {
    if (shown.refused) {
        faults.push_back(std::u16string(where) + u"refusé par le message d'erreur");
        return 0;
    }
    const std::optional<int> named = shown.run ? shown.run->bracket : std::nullopt;
    if (named != expected.bracket) {
        faults.push_back(std::u16string(where) + u"le programme nomme " + PairWords(named) +
                         u" au lieu de " + PairWords(expected.bracket));
    }
    int compared = 0;
    for (const Scale target : kAllScales) {
        if (target == source) {
            continue;
        }
        ++compared;
        const std::u16string& got = shown.texts[ColumnOf(target)];
        const std::u16string& want = expected.texts[ColumnOf(target)];
        if (got != want) {
            faults.push_back(std::u16string(where) + Mismatch(NameOf(target), got, want));
        }
    }
    return compared;
}

GivenFigures GiveEveryFigure(const ExpectedFigures& expected, const Typing& typing,
                             const NumberSymbols& symbols, std::u16string_view prefix,
                             std::vector<std::u16string>& faults) {
    GivenFigures given;
    for (const Scale source : kAllScales) {
        for (int row = 1; row <= ConversionTable::kRows; ++row) {
            const long tenths = expected.Tenths(source, row);
            if (tenths == 0) {
                continue;
            }
            const std::u16string typed = TypedFigure(tenths, symbols);
            ExpectedBoxes boxes;
            boxes.bracket = expected.Bracket(source, expected.Cell(source, row));
            for (const Scale target : kAllScales) {
                if (const long figure = expected.Tenths(target, row);
                    target != source && figure != 0) {
                    boxes.texts[ColumnOf(target)] = DecimalText({figure, 1}, symbols);
                    ++given.figures;
                }
            }
            ++given.given;
            given.boxes += CompareBoxes(std::u16string(prefix) + u"ligne " + Number(row) + u", " +
                                            NameOf(source) + u" " + typed + u", ",
                                        source, typing(source, typed), boxes, faults);
        }
    }
    return given;
}

}  // namespace kestal
