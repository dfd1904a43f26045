#pragma once

#include <QRect>

namespace kestal {

// The layout is designed in twips, 1440 to the inch: 15 twips make a pixel at
// 96 dots per inch, and Qt's high-DPI scaling takes it from there. Every
// layout value is a multiple of 15.
constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) {
    return twips / kTwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

}  // namespace kestal
