#pragma once

// The rows of tests/conversions.txt, for every test that types them.

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "conversion/scale.hpp"

namespace kestal {

struct ConversionRow {
    Scale source;
    std::string typed;  // UTF-8, as in the source box
    std::string boxes;  // HV to Rm between bars, " FAIL" after a failed run
    bool Failed() const { return boxes.ends_with(" FAIL"); }
};

inline std::vector<ConversionRow> ConversionRows(const char* path) {
    std::ifstream file(path);
    std::vector<ConversionRow> rows;
    for (std::string line; std::getline(file, line);) {
        const auto tab = line.find('\t');
        const auto source = ScaleFromName(line.substr(0, tab));
        if (line.starts_with('#') || tab == std::string::npos || !source) {
            continue;
        }
        ConversionRow row{*source, {}, line.substr(tab + 1)};
        std::istringstream boxes(row.boxes.substr(0, row.boxes.find(" FAIL")));
        for (int k = 0; k <= ColumnOf(*source); ++k) {
            std::getline(boxes, row.typed, '|');
        }
        rows.push_back(row);
    }
    if (rows.size() < 30) {
        throw std::runtime_error(std::string("too few rows in ") + path);
    }
    return rows;
}

}  // namespace kestal
