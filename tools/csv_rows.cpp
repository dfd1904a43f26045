#include "csv_rows.hpp"

#include <charconv>

namespace kestal {

namespace {

// Names of the two detail fields: the rows of the built-in table, counted from
// 1, that bracket the value.
constexpr std::string_view kLowRowName = "ligne basse";
constexpr std::string_view kHighRowName = "ligne haute";

}  // namespace

CsvRows::CsvRows(const ConversionEngine& engine, Scale source, Layout layout)
    : m_rows(engine, source, layout.detail), m_source(source), m_layout(layout) {}

std::optional<CsvRows::Outcome> CsvRows::AppendPadded(const CsvLine& read, std::string_view line,
                                                      std::string& out) {
    if (m_width == 0) {
        m_width = read.fields;
    }
    m_lastWidth = read.fields;
    out.append(line);
    std::optional<Outcome> unplaced;
    if (read.openQuote) {
        unplaced = Outcome::OpenQuote;
    } else if (read.fields > m_width) {
        unplaced = Outcome::LongLine;
    } else {
        if (read.fields < m_width) {
            out.append(m_width - read.fields, m_layout.delimiter);
        }
        return std::nullopt;
    }
    // The six other scales' fields, and the detail's two, all empty.
    out.append(static_cast<std::size_t>(kScaleCount - 1 + (m_layout.detail ? 2 : 0)),
               m_layout.delimiter);
    out.push_back('\n');
    return unplaced;
}

CsvRows::Outcome CsvRows::AppendHeader(std::string_view line, std::string& out) {
    if (const std::optional<Outcome> unplaced =
            AppendPadded(ReadCsvLine(line, m_layout.delimiter, 0, m_scratch), line, out)) {
        return *unplaced;
    }
    for (const Scale scale : kAllScales) {
        if (scale != m_source) {
            out.push_back(m_layout.delimiter);
            AppendCsvField(ScaleName(scale), m_layout.delimiter, out);
        }
    }
    if (m_layout.detail) {
        for (const std::string_view name : {kLowRowName, kHighRowName}) {
            out.push_back(m_layout.delimiter);
            AppendCsvField(name, m_layout.delimiter, out);
        }
    }
    out.push_back('\n');
    return Outcome::Converted;
}

CsvRows::Outcome CsvRows::AppendRow(std::string_view line, std::string& out) {
    const CsvLine read = ReadCsvLine(line, m_layout.delimiter, m_layout.column, m_scratch);
    if (const std::optional<Outcome> unplaced = AppendPadded(read, line, out)) {
        return *unplaced;
    }
    Outcome outcome = Outcome::ShortLine;
    if (read.field) {
        outcome = m_rows.Convert(*read.field) ? Outcome::Converted : Outcome::NotANumber;
    } else {
        // Padded: the field is one of the empty ones, unless the column lies
        // past the first line's fields too.
        m_rows.Convert({});
        outcome = m_layout.column < m_width ? Outcome::Converted : Outcome::ShortLine;
    }
    for (const Scale scale : kAllScales) {
        if (scale != m_source) {
            out.push_back(m_layout.delimiter);
            AppendCsvField(m_rows.Field(scale), m_layout.delimiter, out);
        }
    }
    if (m_layout.detail) {
        // The bracket the engine went by.
        const std::optional<int> bracket = m_rows.Bracket();
        for (const int row : {0, 1}) {
            out.push_back(m_layout.delimiter);
            if (bracket) {
                char digits[12];
                const auto written = std::to_chars(digits, digits + sizeof digits, *bracket + row);
                AppendCsvField(
                    std::string_view(digits, static_cast<std::size_t>(written.ptr - digits)),
                    m_layout.delimiter, out);
            }
        }
    }
    out.push_back('\n');
    return outcome;
}

}  // namespace kestal
