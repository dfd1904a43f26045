#include "app/look.hpp"

#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QStringList>

#include "app/twips.hpp"

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

QFont MakeFont(const QStringList& families, qreal pointSize, bool bold) {
    QFont font(FirstInstalled(families));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

const QStringList kSansFamilies{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo",
                                "DejaVu Sans"};
const QStringList kSerifFamilies{"Times New Roman", "Liberation Serif", "Tinos", "DejaVu Serif"};

}  // namespace

QFont SansFont(qreal pointSize, bool bold) {
    return MakeFont(kSansFamilies, pointSize, bold);
}

QFont SerifFont(qreal pointSize, bool bold) {
    return MakeFont(kSerifFamilies, pointSize, bold);
}

QFont WindowFont() {
    return SansFont(8.25, false);
}

void SetTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QLabel* NewCreditLabel(QWidget* parent) {
    auto* label = new QLabel(kCreditLine, parent);
    label->setObjectName(QStringLiteral("Label3"));
    label->setFont(SerifFont(9.75, true));
    SetTextColor(label, QColor(0, 0, 255));
    return label;
}

}  // namespace kestal
