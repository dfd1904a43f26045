#include "app/text/csv_fields.hpp"

#include <algorithm>

namespace kestal {

namespace {

std::size_t EndOfField(std::string_view line, char delimiter, std::size_t from) {
    const std::size_t end = line.find(delimiter, from);
    return end == std::string_view::npos ? line.size() : end;
}

}  // namespace

CsvLine ReadCsvLine(std::string_view line, char delimiter, std::size_t index,
                    std::string& scratch) {
    CsvLine read;
    std::size_t start = 0;
    for (std::size_t field = 0;; ++field) {
        const bool wanted = field == index;
        std::size_t end = 0;
        if (start < line.size() && line[start] == '"') {
            if (wanted) {
                scratch.clear();
            }
            std::size_t from = start + 1;
            for (;;) {
                const std::size_t quote = line.find('"', from);
                if (quote == std::string_view::npos) {
                    // Never closed: the field holds the rest of the line.
                    if (wanted) {
                        scratch.append(line.substr(from));
                        read.field = scratch;
                    }
                    read.fields = field + 1;
                    read.openQuote = true;
                    return read;
                }
                if (wanted) {
                    scratch.append(line.substr(from, quote - from));
                }
                if (quote + 1 < line.size() && line[quote + 1] == '"') {
                    if (wanted) {
                        scratch.push_back('"');
                    }
                    from = quote + 2;
                    continue;
                }
                end = EndOfField(line, delimiter, quote + 1);
                if (wanted) {
                    scratch.append(line.substr(quote + 1, end - quote - 1));
                    read.field = scratch;
                }
                break;
            }
        } else {
            end = EndOfField(line, delimiter, start);
            if (wanted) {
                read.field = line.substr(start, end - start);
            }
        }
        if (end == line.size()) {
            read.fields = field + 1;
            return read;
        }
        start = end + 1;
    }
}

void AppendCsvField(std::string_view field, char delimiter, std::string& out) {
    // One pass, no call: most fields are a figure of a few bytes.
    if (std::ranges::none_of(field, [delimiter](char c) { return c == delimiter || c == '"'; })) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace kestal
