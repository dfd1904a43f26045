#include "batch_run.hpp"

#include "batch_rows.hpp"
#include "csv_rows.hpp"

namespace kestal {

namespace {

// Each line of `lines`, without its LF, in turn.
template <typename Each>
void ForEachLine(std::string_view lines, Each each) {
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        each(lines.substr(0, end));
        lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    }
}

}  // namespace

BatchRun BatchRunThrough(const ConversionEngine& engine) {
    return [&engine](const BatchRequest& request, std::string_view lines) {
        std::string out;
        if (!request.column) {
            BatchRows rows(engine, request.source);
            BatchRows::AppendHeader(out);
            ForEachLine(lines, [&](std::string_view line) { rows.AppendRow(line, out); });
            return out;
        }
        CsvRows rows(engine, request.source, {*request.column, request.delimiter, request.detail});
        bool first = true;
        ForEachLine(lines, [&](std::string_view line) {
            if (first && request.header) {
                rows.AppendHeader(line, out);
            } else {
                rows.AppendRow(line, out);
            }
            first = false;
        });
        return out;
    };
}

}  // namespace kestal
