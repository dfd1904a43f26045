#pragma once

#include <windows.h>

#include "app/window/window_description.hpp"

namespace kestal {

// Twips to pixels at the screen's real resolution (1440 twips per inch): 15
// twips a pixel at 96 dots per inch, fewer on a high-resolution screen. The
// program is declared DPI-aware, so Windows reports the true figure.
int Pixels(int twips);

// The described font at the screen's resolution; the caller deletes it.
HFONT NewFont(const FontDescription& font);

}  // namespace kestal
