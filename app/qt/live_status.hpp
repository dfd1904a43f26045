#pragma once

#include <QTimer>
#include <QWidget>

#include "app/window/announcements.hpp"

namespace kestal {

// What the main window tells a screen reader of changes away from the focus
// (a run's figures in the other boxes, the boxes emptied, the table window
// opened): an accessible notification with no room on the screen. Qt 6.4 has
// no call to announce a text, and Orca speaks a notification each time it is
// shown: every announcement renames it and shows it again.
class LiveStatus : public QWidget {
    Q_OBJECT

public:
    explicit LiveStatus(QWidget* parent);

    // At once, or once no other announcement has come for kSettleMilliseconds.
    void Say(const Announcement& announcement);

private:
    void Show(const QString& text);

    QTimer m_settle;
    QString m_pending;
};

}  // namespace kestal
