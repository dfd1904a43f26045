#include "app/win32/look.hpp"

#include <cmath>
#include <string>

namespace kestal {

namespace {

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int read = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return read > 0 ? read : 96;
    }();
    return dpi;
}

}  // namespace

int Pixels(int twips) {
    return MulDiv(twips, ScreenDpi(), 1440);
}

HFONT NewFont(const FontDescription& font) {
    // A negative height asks for the character height, which is what points
    // measure: 8.25 pt is 11 pixels at 96 dots per inch.
    const int height = -static_cast<int>(std::lround(font.points * ScreenDpi() / 72.0));
    // Windows substitutes a family it lacks itself.
    const std::u16string_view family = FamilyNames(font.typeface).front();
    const std::wstring face(family.begin(), family.end());
    return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

}  // namespace kestal
