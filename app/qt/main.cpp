#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "app/qt/form1.hpp"
#include "app/qt/look.hpp"
#include "app/qt/qt_text.hpp"
#include "app/qt/start_up.hpp"
#include "app/qt/user_locale.hpp"
#include "app/window/window_description.hpp"
#include "conversion/version.hpp"

int main(int argc, char* argv[]) {
    if (const QString missing = kestal::MissingDisplayMessage(); !missing.isEmpty()) {
        std::fprintf(stderr, "%s\n", missing.toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(kestal::ToQString(kestal::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(kestal::kVersion));
    kestal::SpeakFrenchInQt();
    // Every control then starts in the windows' font, and Qt's default family
    // is never loaded only to be replaced.
    QApplication::setFont(kestal::FontOf(kestal::Form1Description().font));

    kestal::Form1 form1(kestal::NumberSymbolsOf(kestal::UserLocale()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        form1.move(screen->availableGeometry().center() - form1.rect().center());
    }
    kestal::QuitOnceShownIfAsked(form1);
    form1.show();
    return QApplication::exec();
}
