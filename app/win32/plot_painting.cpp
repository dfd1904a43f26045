#include "app/win32/plot_painting.hpp"

#include <cmath>
#include <string>

#include "app/win32/look.hpp"

namespace kestal {

namespace {

// The plot's coordinates are fractions of twips: rounded to the twip, then
// mapped as every other twip of the window is.
int At(double twips) {
    return Pixels(static_cast<int>(std::lround(twips)));
}

// A pen, brush and text colour, selected into the context for as long as it lives.
class Ink {
public:
    Ink(HDC context, COLORREF colour, int penStyle = PS_SOLID)
        : m_context(context),
          m_pen(CreatePen(penStyle, 1, colour)),
          m_brush(CreateSolidBrush(colour)),
          m_oldPen(SelectObject(context, m_pen)),
          m_oldBrush(SelectObject(context, m_brush)) {
        SetTextColor(context, colour);
    }
    Ink(const Ink&) = delete;
    Ink& operator=(const Ink&) = delete;
    ~Ink() {
        SelectObject(m_context, m_oldPen);
        SelectObject(m_context, m_oldBrush);
        DeleteObject(m_pen);
        DeleteObject(m_brush);
    }

private:
    HDC m_context;
    HPEN m_pen;
    HBRUSH m_brush;
    HGDIOBJ m_oldPen;
    HGDIOBJ m_oldBrush;
};

void Line(HDC context, const PlotLine& line) {
    MoveToEx(context, At(line.left1), At(line.top1), nullptr);
    LineTo(context, At(line.left2), At(line.top2));
}

void Dot(HDC context, const PlotPoint& point, int radius) {
    const int x = At(point.left);
    const int y = At(point.top);
    Ellipse(context, x - radius, y - radius, x + radius + 1, y + radius + 1);
}

int Shift(PlotAlign align, int size) {
    return align == PlotAlign::Start ? 0 : align == PlotAlign::Centre ? size / 2 : size;
}

void Text(HDC context, const PlotText& text) {
    const std::wstring wide(text.text.begin(), text.text.end());
    const int length = static_cast<int>(wide.size());
    SIZE size{};
    GetTextExtentPoint32W(context, wide.c_str(), length, &size);
    TextOutW(context, At(text.left) - Shift(text.across, size.cx),
             At(text.top) - Shift(text.down, size.cy), wide.c_str(), length);
}

void Draw(HDC context, const PlotView& plot, const WindowColours& colours) {
    {
        const Ink axes(context, colours.Ink());
        for (const PlotLine& axis : plot.axes) {
            Line(context, axis);
        }
        for (const PlotText& text : plot.texts) {
            if (!text.marked) {
                Text(context, text);
            }
        }
    }
    {
        const Ink curve(context, colours.Curve());
        for (std::size_t k = 0; k < plot.curve.size(); ++k) {
            if (k > 0) {
                Line(context, {plot.curve[k - 1].left, plot.curve[k - 1].top, plot.curve[k].left,
                               plot.curve[k].top});
            }
            Dot(context, plot.curve[k], Pixels(30));
        }
    }
    // Dotted, so that the way from the typed value to its figure does not read
    // as a stretch of the curve.
    const Ink mark(context, colours.Mark(), PS_DOT);
    for (const PlotLine& line : plot.markLines) {
        Line(context, line);
    }
    if (plot.mark) {
        Dot(context, *plot.mark, Pixels(45));
    }
    for (const PlotText& text : plot.texts) {
        if (text.marked) {
            Text(context, text);
        }
    }
}

}  // namespace

void PaintPlot(HDC context, const RECT& area, const PlotView& plot, HFONT font,
               const WindowColours& colours) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC offscreen = CreateCompatibleDC(context);
    HBITMAP bitmap = CreateCompatibleBitmap(context, width, height);
    HGDIOBJ oldBitmap = SelectObject(offscreen, bitmap);
    HGDIOBJ oldFont = SelectObject(offscreen, font);
    const RECT whole{0, 0, width, height};
    HBRUSH paper = CreateSolidBrush(colours.Paper());
    FillRect(offscreen, &whole, paper);
    DeleteObject(paper);
    SetBkMode(offscreen, TRANSPARENT);
    Draw(offscreen, plot, colours);
    BitBlt(context, area.left, area.top, width, height, offscreen, 0, 0, SRCCOPY);
    SelectObject(offscreen, oldFont);
    SelectObject(offscreen, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(offscreen);
}

}  // namespace kestal
