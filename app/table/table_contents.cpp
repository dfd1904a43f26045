#include "app/table/table_contents.hpp"

#include "app/window/window_description.hpp"

namespace kestal {

namespace {

// Wide enough for the caption "HBS / HBW" in the window's font with a header's
// margins (68 pixels in a Windows header), and all eight side by side within
// the window's table, beside its scroll bar.
constexpr int kRowNumberWidth = 600;
constexpr int kFigureWidth = 1050;

}  // namespace

const std::array<TableColumn, kTableColumns>& TableColumns() {
    static const std::array<TableColumn, kTableColumns> columns = [] {
        std::array<TableColumn, kTableColumns> made{};
        made[0] = {u"Ligne", kRowNumberWidth, std::nullopt};
        for (const Scale scale : kAllScales) {
            made[ColumnShowing(scale)] = {Form1Description().Control(CaptionName(scale)).text,
                                          kFigureWidth, scale};
        }
        return made;
    }();
    return columns;
}

std::vector<TableRow> TableRows(const ConversionTable& table, const NumberText& numbers) {
    std::vector<TableRow> rows(ConversionTable::kFilledRows);
    for (int row = 1; row <= ConversionTable::kFilledRows; ++row) {
        TableRow& shown = rows[static_cast<std::size_t>(row - 1)];
        shown[0] = numbers.FormatAsTable(static_cast<float>(row));
        for (const Scale scale : kAllScales) {
            const float cell = table.Cells(scale)[static_cast<std::size_t>(row - 1)];
            shown[ColumnShowing(scale)] = cell == 0.0f ? u"" : numbers.FormatAsTable(cell);
        }
    }
    return rows;
}

}  // namespace kestal
