#include "app/qt/start_up.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
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

}  // namespace

QString MissingDisplayMessage() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return QStringLiteral(
            "Kestal : aucun écran trouvé (DISPLAY et WAYLAND_DISPLAY sont vides) ; lancez-le "
            "depuis une session de bureau, ou dans un serveur X virtuel avec « xvfb-run -a "
            "kestal » (paquet xvfb).");
    }
    return {};
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
