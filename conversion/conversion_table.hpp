#pragma once

#include <array>

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
    ConversionTable() = default;

    // Any contents; lets the engine be exercised on tables other than the built-in one.
    explicit ConversionTable(const Columns& columns) : m_columns(columns) {}

    // Writes the built-in rows 1 to 97; rows 98 to 100 keep 0.
    void Fill();

    // Cell of `scale` on `row` (1 to 100). Throws std::out_of_range for any
    // other row: a wrong row number is a caller's fault, never a 0 cell.
    float Value(Scale scale, int row) const {
        if (row < 1 || row > kRows) [[unlikely]] {
            ThrowRowOutOfRange(row);
        }
        return m_columns[ColumnOf(scale)][row - 1];
    }

private:
    [[noreturn]] static void ThrowRowOutOfRange(int row);

    Columns m_columns{};
};

}  // namespace kestal
