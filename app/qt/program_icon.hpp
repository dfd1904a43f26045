#pragma once

#include <QIcon>

namespace kestal {

// A hammer on teal, 32 x 32 in four colours, on both windows.
QIcon ProgramIcon();

}  // namespace kestal
