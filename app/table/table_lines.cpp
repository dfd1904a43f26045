#include "app/table/table_lines.hpp"

#include <algorithm>

#include "app/table/table_contents.hpp"
#include "app/text/csv_fields.hpp"
#include "app/text/text_encoding.hpp"

namespace kestal {

namespace {

template <typename Fields>
void AppendLine(const Fields& fields, char delimiter, std::string& out) {
    std::string utf8;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) {
            out += delimiter;
        }
        utf8.clear();
        AppendUtf8(fields[k], utf8);
        AppendCsvField(utf8, delimiter, out);
    }
    out += '\n';
}

}  // namespace

std::string TableLines(const ConversionTable& table, const NumberText& numbers, char delimiter) {
    std::array<std::u16string_view, kTableColumns> captions;
    for (std::size_t k = 0; k < captions.size(); ++k) {
        captions[k] = TableColumns()[k].caption;
    }
    std::string out;
    AppendLine(captions, delimiter, out);
    for (const TableRow& row : TableRows(table, numbers)) {
        AppendLine(row, delimiter, out);
    }
    return out;
}

}  // namespace kestal
