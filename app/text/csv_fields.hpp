#pragma once

// Fields of delimited text, as spreadsheets read and write them: the lines
// kestal-convert reads, and the table and rows it writes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestal {

// One line of a delimited file is one record: a quote left open runs to the end
// of its line, so that a stray quote costs one line, never the rest of the file.

// One line read as a spreadsheet reads it.
struct CsvLine {
    std::size_t fields = 0;  // a delimiter inside quotes parts none
    bool openQuote = false;  // the last field's quote is never closed
    // The field asked for, none if the line has fewer fields.
    std::optional<std::string_view> field;
};

// Reads `line`, keeping field `index` (0-based). A field that starts with a
// double quote is read without its quotes, a doubled quote inside standing for
// one ("a;""b""" -> a;"b"); text after its closing quote is kept as it stands.
// Other fields are taken as they are, quotes included. A quoted field is
// unquoted into `scratch`, which `field` may then point into.
CsvLine ReadCsvLine(std::string_view line, char delimiter, std::size_t index, std::string& scratch);

// Appends `field`, in double quotes with its own quotes doubled only if it
// holds the delimiter or a quote: "57,6" needs them under a comma delimiter.
void AppendCsvField(std::string_view field, char delimiter, std::string& out);

}  // namespace kestal
