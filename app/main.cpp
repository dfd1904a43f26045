#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "app/form1.hpp"
#include "app/look.hpp"
#include "app/start_up.hpp"
#include "conversion/number_text.hpp"

int main(int argc, char* argv[]) {
    if (const QString missing = kestal::MissingDisplayMessage(); !missing.isEmpty()) {
        std::fprintf(stderr, "%s\n", missing.toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(kestal::kApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Every control then starts in the windows' font, and Qt's default family
    // is never loaded only to be replaced.
    QApplication::setFont(kestal::WindowFont());

    kestal::Form1 form1(kestal::UserLocale());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        form1.move(screen->availableGeometry().center() - form1.rect().center());
    }
    kestal::QuitOnceShownIfAsked(form1);
    form1.show();
    return QApplication::exec();
}
