// An empty window of the main window's size, shown through the same start-up
// hook and the same Qt libraries as kestal: the floor that Qt itself costs, so
// that bench/startup_bench.sh can tell how much the program adds on top of it.
// Built a second time as bare_text_window, which shows one line of text: any
// window with text pays for Qt's font database and its first glyphs, which an
// empty one never loads.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "app/qt/start_up.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.setFixedSize(292, 493);  // the main window, 4380 x 7395 twips
#ifdef KESTAL_BARE_TEXT
    const QLabel line(QStringLiteral("Conversion de kestal"), &window);
#endif
    kestal::QuitOnceShownIfAsked(window);
    window.show();
    return QApplication::exec();
}
