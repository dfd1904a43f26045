#include "app/qt/look.hpp"

#include <QFontDatabase>
#include <QPalette>
#include <QStringList>
#include <QWidget>

#include "app/qt/qt_text.hpp"
#include "app/table/plot_view.hpp"

namespace kestal {

namespace {

QString FirstInstalled(const QStringList& families) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return families.back();  // left to fontconfig's own substitution
}

bool AsDesigned(const QColor& text, const QColor& background) {
    return text.lightness() < background.lightness();
}

bool AsDesigned(const QPalette& palette) {
    return AsDesigned(palette.color(QPalette::Text), palette.color(QPalette::Base));
}

// Light enough to leave every figure as readable as on white; where a run's
// row crosses its source column, the tint is deeper, so that the typed value's
// neighbours stand out.
const QColor kRowTint(255, 236, 170);
const QColor kSourceTint(222, 232, 250);
const QColor kRowInSourceTint(250, 206, 120);

}  // namespace

QFont FontOf(const FontDescription& description) {
    QStringList families;
    for (const std::u16string_view family : FamilyNames(description.typeface)) {
        families << ToQString(family);
    }
    QFont font(FirstInstalled(families));
    font.setPointSizeF(description.points);
    font.setBold(description.bold);
    return font;
}

QColor ColourOf(Colour colour) {
    return {colour.red, colour.green, colour.blue};
}

QColor TextColourOf(Colour described, const QPalette& window) {
    const QColor text = window.color(QPalette::WindowText);
    return AsDesigned(text, window.color(QPalette::Window)) ? ColourOf(described) : text;
}

void SetTextColour(QWidget* widget, Colour colour, const QPalette& window) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, TextColourOf(colour, window));
    widget->setPalette(palette);
}

QColor CurveColourOf(const QPalette& palette) {
    return AsDesigned(palette) ? ColourOf(kCurveColour) : palette.color(QPalette::Link);
}

QColor MarkColourOf(const QPalette& palette) {
    return AsDesigned(palette) ? ColourOf(kMarkColour) : palette.color(QPalette::Highlight);
}

CellColours CellColoursOf(const QPalette& palette, CellRole role) {
    const bool runRow = role.runRow;
    const bool source = role.column == CellColumn::Source;
    CellColours colours;
    if (AsDesigned(palette)) {
        colours.background = runRow && source ? kRowInSourceTint
                             : runRow         ? kRowTint
                             : source         ? kSourceTint
                                              : QColor();
    } else if (runRow) {
        // The rows as the palette shows a selection, the curve's colour given up for them.
        colours.background = palette.color(QPalette::Highlight);
        colours.text = palette.color(QPalette::HighlightedText);
        return colours;
    } else if (source) {
        const QColor base = palette.color(QPalette::Base);
        const QColor highlight = palette.color(QPalette::Highlight);
        colours.background = QColor((2 * base.red() + highlight.red()) / 3,
                                    (2 * base.green() + highlight.green()) / 3,
                                    (2 * base.blue() + highlight.blue()) / 3);
    }
    if (role.column == CellColumn::Target) {
        colours.text = CurveColourOf(palette);
    }
    return colours;
}

}  // namespace kestal
