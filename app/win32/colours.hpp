#pragma once

#include <windows.h>

#include "app/table/table_window_model.hpp"
#include "app/window/window_description.hpp"

namespace kestal {

// A text's colour and the colour behind it.
struct InkOnPaper {
    COLORREF text;
    COLORREF back;
};

// Every colour the windows paint with, chosen here and nowhere else: the
// description's, the plot's and the grid's own, or, while Windows High
// Contrast is on, the system colours of the user's theme, which are the ones
// that user can read. The system colours are read when the set is made: a
// window makes it again when Windows says they changed.
class WindowColours {
public:
    // As Windows stands now, High Contrast on or off.
    static WindowColours Now();
    explicit WindowColours(bool highContrast);

    // A label in a colour of its own (the hint, the credit line), on the window's face.
    InkOnPaper Label(Colour described) const;
    // A cell of the grid, by what it stands for after a run.
    InkOnPaper Cell(CellRole role) const;
    // The plot: its ground, its axes and words, its curve, the typed value marked on it.
    COLORREF Paper() const { return m_paper; }
    COLORREF Ink() const { return m_ink; }
    COLORREF Curve() const { return m_curve; }
    COLORREF Mark() const { return m_mark; }

private:
    bool m_highContrast;
    COLORREF m_face, m_faceText;
    COLORREF m_window, m_windowText;
    COLORREF m_highlight, m_highlightText;
    COLORREF m_paper, m_ink, m_curve, m_mark;
};

}  // namespace kestal
