#include <QApplication>
#include <QScreen>

#include "app/form1.hpp"
#include "app/look.hpp"
#include "conversion/number_text.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kestal::kApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    kestal::Form1 form1(kestal::UserLocale());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        form1.move(screen->availableGeometry().center() - form1.rect().center());
    }
    form1.show();
    return QApplication::exec();
}
