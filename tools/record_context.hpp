#pragma once

#include <string_view>

#include "app/lab/validation_record.hpp"

namespace kestal {

// What the validation record identifies a run of kestal-convert by: the
// program and its sources, the system and processor, the date and time, the
// machine and the user, as this system tells them; `numbers` names the number
// conventions in force.
RecordContext ToolRecordContext(std::u16string_view numbers);

}  // namespace kestal
