#pragma once

// What the window tests share: the seven boxes' texts, and a watcher that
// closes every message box that opens while it watches, and remembers what
// each one showed, so that a test never hangs on a modal box and can tell
// whether one appeared when it should (or should not) have.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/form1.hpp"
#include "app/scale_box.hpp"

namespace kestal {

// The texts of the seven scale boxes, HV first.
inline QStringList Texts(const Form1& form) {
    QStringList texts;
    for (const Scale scale : kAllScales) {
        texts << form.Box(scale)->text();
    }
    return texts;
}

struct SeenMessage {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality;
    QStringList boxTextsWhileShown;  // the seven boxes' texts while the message was up
};

class MessageWatcher {
public:
    // `boxes` gives the texts that the window's boxes show at that moment.
    explicit MessageWatcher(std::function<QStringList()> boxes) : m_boxes(std::move(boxes)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { CloseOpenMessage(); });
        m_timer.start();
    }

    const std::vector<SeenMessage>& Seen() const { return m_seen; }

private:
    void CloseOpenMessage() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        m_seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                          box->windowModality(), m_boxes()});
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    }

    std::function<QStringList()> m_boxes;
    QTimer m_timer;
    std::vector<SeenMessage> m_seen;
};

}  // namespace kestal
