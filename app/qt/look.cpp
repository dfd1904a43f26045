#include "app/qt/look.hpp"

#include <QFontDatabase>
#include <QPalette>
#include <QStringList>
#include <QWidget>

#include "app/qt/qt_text.hpp"

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

void SetTextColour(QWidget* widget, Colour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ColourOf(colour));
    widget->setPalette(palette);
}

}  // namespace kestal
