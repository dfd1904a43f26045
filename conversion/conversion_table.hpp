#pragma once

#include <array>
#include <optional>

#include "conversion/scale.hpp"

namespace kestal {

// Corresponding hardness values of steels, one row per hardness level and one
// column per Scale. Rows are numbered 1 to 100; rows 1 to 97 hold the built-in
// values and rows 98 to 100 stay 0. A 0 cell means "no value in this scale on
// this row": within each column the non-zero cells form one strictly rising run,
// and the engine relies on the 0 that follows every run to stop a bracket there.
class ConversionTable {
public:
    static constexpr int kRows = 100;
    static constexpr int kFilledRows = 97;

    using Column = std::array<float, kRows>;
    using Columns = std::array<Column, kScaleCount>;

    // Every cell 0, as before Fill.
    constexpr ConversionTable() = default;

    // Any contents; lets the engine be exercised on tables other than the built-in one.
    explicit ConversionTable(const Columns& columns) : m_columns(columns) { FindRuns(); }

    // The built-in table, filled once and never written afterwards.
    static const ConversionTable& BuiltIn();

    // Writes the built-in rows 1 to 97; rows 98 to 100 keep 0.
    void Fill();

    // Cell of `scale` on `row` (1 to 100). Nothing for any other row: a
    // wrong row number is a caller's fault, never a 0 cell.
    std::optional<float> Value(Scale scale, int row) const {
        if (row < 1 || row > kRows) [[unlikely]] {
            return std::nullopt;
        }
        return m_columns[ColumnOf(scale)][row - 1];
    }

    // The whole column, row k at index k - 1: the engine's reads, unchecked.
    const Column& Cells(Scale scale) const { return m_columns[ColumnOf(scale)]; }

    // Rows first to last of a column whose values, all above 0, form one
    // strictly rising run with 0 on every other row, as the built-in columns
    // do; nothing for any other column.
    struct Run {
        int first;
        int last;
    };
    const std::optional<Run>& RisingRun(Scale scale) const { return m_runs[ColumnOf(scale)]; }

private:
    void FindRuns();

    Columns m_columns{};
    std::array<std::optional<Run>, kScaleCount> m_runs{};
};

}  // namespace kestal
