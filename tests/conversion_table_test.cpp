#include "conversion/conversion_table.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kestal {
namespace {

ConversionTable Filled() {
    ConversionTable table;
    table.Fill();
    return table;
}

// First and last row of the non-zero run of each column.
struct ColumnRun {
    Scale scale;
    int first;
    int last;
    float firstValue;
    float lastValue;
};

class ColumnRuns : public testing::TestWithParam<ColumnRun> {};

// Each column holds one unbroken, strictly rising run, 0 before and after it,
// ending at row 97 at the latest so that a 0 row always follows it.
TEST_P(ColumnRuns, OneRisingRunBoundedByZeros) {
    const ColumnRun run = GetParam();
    const ConversionTable table = Filled();
    EXPECT_EQ(table.Value(run.scale, run.first), run.firstValue);
    EXPECT_EQ(table.Value(run.scale, run.last), run.lastValue);
    for (int row = 1; row <= ConversionTable::kRows; ++row) {
        const float value = table.Value(run.scale, row);
        if (row < run.first || row > run.last) {
            EXPECT_EQ(value, 0.0f) << "row " << row;
        } else {
            EXPECT_GT(value, 0.0f) << "row " << row;
        }
        if (row > run.first && row <= run.last) {
            EXPECT_GT(value, table.Value(run.scale, row - 1)) << "row " << row;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, ColumnRuns,
                         testing::Values(ColumnRun{Scale::HV, 1, 97, 80.f, 940.f},
                                         ColumnRun{Scale::HB, 1, 79, 76.f, 586.f},
                                         ColumnRun{Scale::HRA, 33, 97, 60.7f, 85.6f},
                                         ColumnRun{Scale::HRB, 7, 30, 62.f, 96.3f},
                                         ColumnRun{Scale::HRC, 33, 97, 20.3f, 68.f},
                                         ColumnRun{Scale::HRD, 33, 97, 40.3f, 76.9f},
                                         ColumnRun{Scale::Rm, 1, 80, 280.f, 2220.f}),
                         [](const testing::TestParamInfo<ColumnRun>& info) {
                             return std::string(ScaleName(info.param.scale));
                         });

// The narrowest and widest steps: a slip of one digit in the table shows here.
struct Step {
    Scale scale;
    int row;
    float rise;
};

class Steps : public testing::TestWithParam<Step> {};

TEST_P(Steps, RiseToNextRow) {
    const Step step = GetParam();
    const ConversionTable table = Filled();
    const float rise = table.Value(step.scale, step.row + 1) - table.Value(step.scale, step.row);
    EXPECT_NEAR(rise, step.rise, 1e-4f) << ScaleName(step.scale) << " row " << step.row;
}

INSTANTIATE_TEST_SUITE_P(Narrowest, Steps,
                         testing::Values(Step{Scale::HRA, 57, 0.2f}, Step{Scale::HRA, 72, 0.2f},
                                         Step{Scale::HRA, 74, 0.2f}, Step{Scale::HRA, 79, 0.2f},
                                         Step{Scale::HRA, 82, 0.2f}, Step{Scale::HRA, 84, 0.2f},
                                         Step{Scale::HRD, 63, 0.3f}, Step{Scale::HRD, 74, 0.3f},
                                         Step{Scale::HRD, 79, 0.3f}, Step{Scale::HRD, 82, 0.3f},
                                         Step{Scale::HRD, 84, 0.3f}, Step{Scale::HRC, 82, 0.4f},
                                         Step{Scale::HRC, 84, 0.4f}, Step{Scale::HRB, 29, 0.8f},
                                         Step{Scale::HB, 34, 2.7f}, Step{Scale::HRA, 59, 1.0f},
                                         Step{Scale::HB, 35, 6.7f}));

TEST(ConversionTable, HvRisesByFiveThenTenThenTwenty) {
    const ConversionTable table = Filled();
    for (int row = 1; row < ConversionTable::kFilledRows; ++row) {
        const float step = row < 45 ? 5.f : row < 85 ? 10.f : 20.f;
        EXPECT_EQ(table.Value(Scale::HV, row + 1) - table.Value(Scale::HV, row), step)
            << "row " << row;
    }
}

TEST(ConversionTable, CellsAreTheSinglesNearestTheDecimals) {
    const ConversionTable table = Filled();
    EXPECT_EQ(table.Value(Scale::HB, 2), 80.7f);
    EXPECT_LT(static_cast<double>(table.Value(Scale::HB, 2)), 80.7);
    EXPECT_EQ(static_cast<double>(table.Value(Scale::HB, 2)), 80.69999694824219);
    // Published values that look like slips are kept as published.
    EXPECT_EQ(table.Value(Scale::HB, 35), 235.5f);
    EXPECT_EQ(table.Value(Scale::HRA, 58), 72.f);
    EXPECT_EQ(table.Value(Scale::HRA, 59), 72.3f);
    EXPECT_EQ(table.Value(Scale::HRA, 60), 73.3f);
}

TEST(ConversionTable, EmptyUntilFilledAndRefillingChangesNothing) {
    ConversionTable table;
    for (const Scale scale : kAllScales) {
        for (int row = 1; row <= ConversionTable::kRows; ++row) {
            ASSERT_EQ(table.Value(scale, row), 0.0f);
        }
    }
    table.Fill();
    const ConversionTable once = table;
    table.Fill();
    for (const Scale scale : kAllScales) {
        for (int row = 1; row <= ConversionTable::kRows; ++row) {
            ASSERT_EQ(table.Value(scale, row), once.Value(scale, row));
        }
    }
    EXPECT_EQ(table.Value(Scale::HV, 1), 80.f);
    EXPECT_EQ(table.Value(Scale::HV, 97), 940.f);
}

TEST(ConversionTable, RowsOutsideOneToHundredAreRejected) {
    const ConversionTable table = Filled();
    for (const int row : {0, -1, 101, 1000}) {
        EXPECT_THROW((void)table.Value(Scale::HV, row), std::out_of_range) << "row " << row;
    }
    EXPECT_NO_THROW((void)table.Value(Scale::Rm, 100));
}

}  // namespace
}  // namespace kestal
