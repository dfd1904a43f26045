#include "app/win32/colours.hpp"

#include "app/table/plot_view.hpp"

namespace kestal {

namespace {

COLORREF ColourRef(Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// A pale wash of `colour` behind black figures.
COLORREF Wash(COLORREF colour) {
    const auto pale = [](int channel) { return static_cast<BYTE>(255 - (255 - channel) / 6); };
    return RGB(pale(GetRValue(colour)), pale(GetGValue(colour)), pale(GetBValue(colour)));
}

}  // namespace

WindowColours WindowColours::Now() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    const bool on = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                    (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return WindowColours(on);
}

// Under High Contrast the curve takes the theme's link colour and the mark its
// selection colour: both are meant to stand out on its window colour, and from
// its text.
WindowColours::WindowColours(bool highContrast)
    : m_highContrast(highContrast),
      m_face(GetSysColor(COLOR_BTNFACE)),
      m_faceText(GetSysColor(COLOR_BTNTEXT)),
      m_window(GetSysColor(COLOR_WINDOW)),
      m_windowText(GetSysColor(COLOR_WINDOWTEXT)),
      m_highlight(GetSysColor(COLOR_HIGHLIGHT)),
      m_highlightText(GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_paper(highContrast ? m_window : RGB(255, 255, 255)),
      m_ink(highContrast ? m_windowText : RGB(0, 0, 0)),
      m_curve(highContrast ? GetSysColor(COLOR_HOTLIGHT) : ColourRef(kCurveColour)),
      m_mark(highContrast ? m_highlight : ColourRef(kMarkColour)) {}

InkOnPaper WindowColours::Label(Colour described) const {
    return {m_highContrast ? m_faceText : ColourRef(described), m_face};
}

// The run's rows are the grid's selection, in its colours; the typed and the
// plotted scales' columns are washed in the mark's and the curve's colours, in
// full on the run's rows, as the two points the plot joins to find the figure.
// Under High Contrast the plotted figures keep only the curve's colour, and the
// typed scale's stand out by their bold alone.
InkOnPaper WindowColours::Cell(CellRole role) const {
    if (m_highContrast || role.column == CellColumn::Other) {
        if (role.runRow) {
            return {m_highlightText, m_highlight};
        }
        return {m_highContrast && role.column == CellColumn::Target ? m_curve : m_windowText,
                m_window};
    }
    const COLORREF ink = role.column == CellColumn::Source ? m_mark : m_curve;
    return role.runRow ? InkOnPaper{RGB(255, 255, 255), ink} : InkOnPaper{RGB(0, 0, 0), Wash(ink)};
}

}  // namespace kestal
