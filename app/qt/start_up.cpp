#include "app/qt/start_up.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <QWindow>
#include <cstdio>

namespace kestal {

namespace {

class ExposeWatcher : public QObject {
public:
    explicit ExposeWatcher(QWidget& window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && m_window.windowHandle()->isExposed()) {
            // Once this expose, and the paint it asks for, are done.
            QTimer::singleShot(0, this, [this] {
                std::printf("shown: %s\n", m_window.windowTitle().toUtf8().constData());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_window;
};

// A command that starts this very program from the current folder: the
// built program's path when it runs from its build tree, else the installed
// `kestal`, which PATH finds.
QString ProgramCommand() {
    const QString running = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString built = QFileInfo(QStringLiteral(KESTAL_BUILT_PROGRAM)).canonicalFilePath();
    if (running.isEmpty() || running != built) {
        return QStringLiteral("kestal");
    }
    const QString relative = QDir::current().relativeFilePath(built);
    if (relative.startsWith(QStringLiteral(".."))) {
        return built;
    }
    // Without a slash the shell would look the name up in PATH.
    return relative.contains(u'/') ? relative : QStringLiteral("./") + relative;
}

}  // namespace

QString MissingDisplayMessage() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return QStringLiteral(
                   "Kestal : aucun écran trouvé (DISPLAY et WAYLAND_DISPLAY sont vides) ; "
                   "lancez-le "
                   "depuis une session de bureau, ou dans un serveur X virtuel avec « xvfb-run -a "
                   "%1 » (paquet xvfb).")
            .arg(ProgramCommand());
    }
    return {};
}

void SpeakFrenchInQt() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
    }
}

void QuitOnceShownIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsEmpty("KESTAL_QUIT_WHEN_SHOWN")) {
        return;
    }
    window.winId();  // the native window, whose first expose marks "shown"
    auto* watcher = new ExposeWatcher(window);
    window.windowHandle()->installEventFilter(watcher);
}

}  // namespace kestal
