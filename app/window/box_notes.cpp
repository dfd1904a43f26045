#include "app/window/box_notes.hpp"

#include <algorithm>

#include "app/text/text_encoding.hpp"
#include "app/window/table_identity.hpp"

namespace kestal {

namespace {

// A box's text as the copies write it: the tabs and line breaks that a pasted
// text can bring around a number (its reading takes them for blanks) become
// spaces, so that they split no line or column of a report or a spreadsheet.
std::u16string InOneField(std::u16string_view text) {
    std::u16string field(text);
    std::ranges::replace_if(
        field,
        [](char16_t c) {
            return (c >= u'\t' && c <= u'\r') || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
        },
        u' ');
    return field;
}

// The pieces every sentence is made of, for one conversion.
class Wording {
public:
    Wording(const ConversionReasons& reasons, std::u16string_view typed, const NumberText& numbers)
        : m_reasons(reasons), m_typed(typed), m_numbers(numbers) {}

    std::u16string Number(float value) const { return m_numbers.FormatAsTable(value); }
    std::u16string Row(int row) const { return Number(static_cast<float>(row)); }
    // "HV 640": the source value of a row.
    std::u16string SourceOf(const ReasonRow& row) const {
        return Utf16(ScaleName(m_reasons.source)) + u" " + Number(row.source);
    }
    // "57,3 HRC": a value with its unit.
    static std::u16string WithUnit(std::u16string_view value, Scale scale) {
        return std::u16string(value) + u" " + std::u16string(UnitOf(scale));
    }
    std::u16string Typed() const { return WithUnit(InOneField(m_typed), m_reasons.source); }
    std::u16string Rows(int lower) const {
        return u"lignes " + Row(lower) + u" et " + Row(lower + 1);
    }
    // "20 HV est hors de la table (de 80 à 940 HV)".
    std::u16string Outside() const {
        std::u16string text = Typed() + u" est hors de la table";
        if (m_reasons.sourceLast != 0) {
            text += u" (de " + Number(m_reasons.sourceFirst) + u" à " +
                    WithUnit(Number(m_reasons.sourceLast), m_reasons.source) + u")";
        }
        return text;
    }

    std::u16string Source() const {
        if (!m_reasons.bracket) {
            return Outside();
        }
        if (m_reasons.exactRow) {
            return Typed() + u" : valeur de la table, ligne " + Row(*m_reasons.exactRow);
        }
        const TargetReason& any = m_reasons.targets.front();
        return Typed() + u" : entre " + SourceOf(any.lower) + u" et " + SourceOf(any.upper) +
               u", " + Rows(*m_reasons.bracket) + u" de la table";
    }

    std::u16string Target(const TargetReason& reason, std::u16string_view shown) const {
        const Scale t = reason.target;
        const std::u16string none = u"Pas de valeur " + Utf16(ScaleName(t));
        const std::u16string untold = u" : la table n'en donne pas";
        const ReasonRow& named = reason.row == reason.upper.row ? reason.upper : reason.lower;
        const auto edge = [&](std::u16string_view where) {
            return none + std::u16string(where) + WithUnit(Number(named.target), t) + u" (" +
                   SourceOf(named) + u", ligne " + Row(named.row) + u")" + untold;
        };
        switch (reason.kind) {
            case ReasonKind::Interpolated:
                return WithUnit(shown, t) + u" : interpolé entre " + SourceOf(reason.lower) +
                       u" (" + WithUnit(Number(reason.lower.target), t) + u") et " +
                       SourceOf(reason.upper) + u" (" + WithUnit(Number(reason.upper.target), t) +
                       u"), " + Rows(reason.lower.row) + u" de la table";
            case ReasonKind::ExactRow:
                return WithUnit(shown, t) + u" : valeur de la table pour " + SourceOf(named) +
                       u", ligne " + Row(named.row);
            case ReasonKind::AfterRunEnd:
                return edge(u" au-delà de ");
            case ReasonKind::BeforeRunStart:
                return edge(u" en deçà de ");
            case ReasonKind::NoValueInEitherRow:
                return none + u" entre " + SourceOf(reason.lower) + u" et " +
                       SourceOf(reason.upper) + u" (" + Rows(reason.lower.row) + u")" + untold;
            case ReasonKind::OutsideSourceRun:
                break;
        }
        return none + u" : " + Outside();
    }

    // "57,6 HRC (valeur convertie de 645 HV ; table Kestal 1.00 (empreinte ...) d'après
    // ..., lignes 79 et 80)".
    std::u16string ReportLine(const TargetReason& reason, std::u16string_view shown) const {
        const std::u16string rows = reason.kind == ReasonKind::ExactRow
                                        ? u"ligne " + Row(reason.row)
                                        : Rows(reason.lower.row);
        return WithUnit(shown, reason.target) + u" (valeur convertie de " + Typed() + u" ; " +
               TableDesignation() + u", " + rows + u")\n";
    }

private:
    const ConversionReasons& m_reasons;
    std::u16string_view m_typed;
    const NumberText& m_numbers;
};

}  // namespace

BoxNotes NotesOf(const ConversionReasons& reasons, std::u16string_view typed,
                 const std::array<std::u16string, kScaleCount>& shown, const NumberText& numbers) {
    const Wording wording(reasons, typed, numbers);
    BoxNotes notes;
    notes.run = reasons;
    notes.reasons[ColumnOf(reasons.source)] = wording.Source();
    notes.report = wording.Typed() + u"\n";
    std::array<std::u16string, kScaleCount> lines;
    for (const TargetReason& reason : reasons.targets) {
        const std::u16string& text = shown[ColumnOf(reason.target)];
        notes.reasons[ColumnOf(reason.target)] = wording.Target(reason, text);
        if (!text.empty()) {
            lines[ColumnOf(reason.target)] = wording.ReportLine(reason, text);
        }
    }
    // In the window's order, HV to Rm.
    for (const std::u16string& line : lines) {
        notes.report += line;
    }
    return notes;
}

std::u16string SevenValues(const std::array<std::u16string, kScaleCount>& texts) {
    std::u16string names;
    std::u16string values;
    for (const Scale scale : kAllScales) {
        const std::u16string_view separator = scale == Scale::HV ? u"" : u"\t";
        names += separator;
        names += Utf16(ScaleName(scale));
        values += separator;
        values += InOneField(texts[ColumnOf(scale)]);
    }
    return names + u"\n" + values + u"\n";
}

}  // namespace kestal
