#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/text/csv_fields.hpp"
#include "batch_rows.hpp"
#include "conversion/conversion_table.hpp"

namespace kestal {

// Lines of a spreadsheet export, each kept as it is, with the six other
// scales' texts appended, in the order HV to Rm, converted from one field.
// Every figure sits under its heading: the first line, header or not, sets how
// many fields a line has, and a shorter line is padded with empty fields, as a
// spreadsheet drops a row's trailing empty cells. A longer line, or one whose
// quote is left open, cannot be placed: it is kept with its fields empty.
class CsvRows {
public:
    struct Layout {
        std::size_t column;  // 0-based
        char delimiter;
        // Two more fields: the table rows i and i+1 that bracket the value.
        bool detail;
    };
    enum class Outcome { Converted, ShortLine, NotANumber, LongLine, OpenQuote };

    // `engine` must outlive this object.
    CsvRows(const ConversionEngine& engine, Scale source, Layout layout);

    // Appends `line`, padded, then the six scale names (and "ligne basse",
    // "ligne haute" with the detail), and a newline: Converted or OpenQuote.
    Outcome AppendHeader(std::string_view line, std::string& out);

    // Appends `line`, padded, then the converted fields and a newline. A line
    // that holds no field `column` even padded (ShortLine), or whose field is
    // not a number, keeps its line, with the fields empty. An empty field is no
    // failure, as an empty line is none in a plain series.
    Outcome AppendRow(std::string_view line, std::string& out);

    // How many fields a line has: those of the first line.
    std::size_t Width() const { return m_width; }
    // How many fields the last line had.
    std::size_t LastWidth() const { return m_lastWidth; }

private:
    // Appends `line` padded to the first line's width; for a line that cannot
    // be placed, its empty fields and newline too, and why.
    std::optional<Outcome> AppendPadded(const CsvLine& read, std::string_view line,
                                        std::string& out);

    BatchRows m_rows;
    Scale m_source;
    Layout m_layout;
    std::size_t m_width = 0;  // 0 until the first line
    std::size_t m_lastWidth = 0;
    // Reused from line to line, like BatchRows' own buffers.
    std::string m_scratch;
};

}  // namespace kestal
