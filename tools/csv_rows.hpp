#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/table_lines.hpp"
#include "batch_rows.hpp"
#include "conversion/conversion_table.hpp"

namespace kestal {

// One line of a delimited file is one record: a quote left open runs to the end
// of its line, so that a stray quote costs one line, never the rest of the file.

// Field `index` (0-based) of `line`, or none if the line has fewer fields. A
// field that starts with a double quote is read without its quotes, a doubled
// quote inside standing for one ("a;""b""" -> a;"b"); text after its closing
// quote is kept as it stands. Other fields are taken as they are, quotes
// included. A quoted field is unquoted into `scratch`, which the result may
// then point into.
std::optional<std::string_view> CsvField(std::string_view line, char delimiter, std::size_t index,
                                         std::string& scratch);

// Lines of a spreadsheet export, each kept as it is, with the six other
// scales' texts appended, in the order HV to Rm, converted from one field.
class CsvRows {
public:
    struct Layout {
        std::size_t column;  // 0-based
        char delimiter;
        // Two more fields: the table rows i and i+1 that bracket the value.
        bool detail;
    };
    enum class Outcome { Converted, ShortLine, NotANumber };

    // `engine` and `table` must outlive this object; `table` is the engine's.
    CsvRows(const ConversionEngine& engine, const ConversionTable& table, Scale source,
            Layout layout);

    // Appends `line` then the six scale names (and "ligne basse", "ligne
    // haute" with the detail), and a newline.
    void AppendHeader(std::string_view line, std::string& out) const;

    // Appends `line` then the converted fields and a newline. A short line or
    // a field that is not a number keeps its line, with the fields empty. An
    // empty field is no failure, as an empty line is none in a plain series.
    Outcome AppendRow(std::string_view line, std::string& out);

private:
    BatchRows m_rows;
    const NumberText& m_numbers;
    const ConversionTable& m_table;
    Scale m_source;
    Layout m_layout;
    // Reused from line to line, like BatchRows' own buffers.
    std::string m_scratch;
    std::string m_utf8;
};

}  // namespace kestal
