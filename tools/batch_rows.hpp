#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/conversion_engine.hpp"
#include "conversion/scale.hpp"

namespace kestal {

// Turns measured values of one scale into tab-separated rows of all seven
// scales, HV to Rm, with the very texts the window shows for them.
class BatchRows {
public:
    // `engine` must outlive this object. With `brackets`, each conversion
    // also keeps the pair of rows it went by (Bracket()).
    BatchRows(const ConversionEngine& engine, Scale source, bool brackets = false);

    // Appends "HV\tHB\tHRA\tHRB\tHRC\tHRD\tRm\n".
    static void AppendHeader(std::string& out);

    // Appends the row for one value given as raw bytes. The source column
    // repeats the value (control characters shown as '?', so the row keeps its
    // seven fields); the others get the conversion. A value that is not a
    // number still gets a row, with the six other fields empty, so rows stay
    // aligned with the input; it returns false. An empty value is no failure:
    // the window leaves every box alone on an empty box, so all seven are empty.
    bool AppendRow(std::string_view value, std::string& out);

    // The conversion alone, for rows laid out otherwise: fills Field() and
    // Text() and returns what AppendRow returns.
    bool Convert(std::string_view value);
    // The last value's text for `target`, in UTF-8; "" for the source, where
    // the table has no correspondence, and for a value that is not a number.
    std::string_view Field(Scale target) const { return m_fields[ColumnOf(target)]; }
    // The last value as the engine read it.
    std::u16string_view Text() const { return m_text; }
    // The lower row of the pair the last value lay between, as the engine
    // found it; none without one, for a value that is not a number or an empty
    // one, or without `brackets`.
    std::optional<int> Bracket() const { return m_bracket; }

private:
    const ConversionEngine& m_engine;
    Scale m_source;
    bool m_brackets;
    std::optional<int> m_bracket;
    ConversionReasons m_reasons;
    // Reused from row to row, so that a row costs no allocation once the
    // first few have sized them.
    std::u16string m_text;
    std::array<std::string, kScaleCount> m_fields;
};

}  // namespace kestal
