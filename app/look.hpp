#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace kestal {

// Caption of the program's windows and messages.
inline const QString kApplicationTitle = QStringLiteral("Kestal");

// The author credit that both windows show at the bottom.
inline const QString kCreditLine = QStringLiteral("Conçu et réalisé par l'équipe Kestal");

// The fonts the windows were drawn with, or the nearest one installed: Debian
// has neither MS Sans Serif nor Times New Roman, but Liberation Sans and
// Liberation Serif keep their widths, so texts wrap where they were meant to.
QFont SansFont(qreal pointSize, bool bold);
QFont SerifFont(qreal pointSize, bool bold);

// The font of every control that has none of its own.
QFont WindowFont();

// Text in a colour of its own (the red hint, the blue credit line).
void SetTextColor(QLabel* label, const QColor& color);

// The credit line, in the same size, font and colour in both windows.
QLabel* NewCreditLabel(QWidget* parent);

}  // namespace kestal
