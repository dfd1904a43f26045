#pragma once

// The table window as the page draws it, written as JSON for its script: the
// columns and rows once, when it opens, then the view after each run or
// choice. Places stay in twips, which the page maps to pixels as it maps every
// control's rectangle.

#include <string>

#include "app/table/table_window_model.hpp"

namespace kestal {

// {"columns": [{"caption", "width"}...], "rows": [[the cells]...], "view": RunViewJson}
std::u16string TableWindowJson(const TableWindowModel& table);

// {"source", "target": the marked columns or null, "firstRow", "lastRow",
//  "status", "plot": {"title", "curve": [[left, top]...], "mark": [left, top]
//  or null, "markLines", "axes": [[left1, top1, left2, top2]...], "texts":
//  [{"text", "left", "top", "across", "down": "start", "centre" or "end",
//  "marked"}...]}}
std::u16string RunViewJson(const TableRunView& view);

}  // namespace kestal
