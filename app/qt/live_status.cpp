#include "app/qt/live_status.hpp"

#include <QAccessibleWidget>

#include "app/qt/qt_text.hpp"

namespace kestal {

namespace {

QAccessibleInterface* AsNotification(const QString& className, QObject* object) {
    if (className == QLatin1String(LiveStatus::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

}  // namespace

LiveStatus::LiveStatus(QWidget* parent) : QWidget(parent) {
    static const bool notification = (QAccessible::installFactory(&AsNotification), true);
    static_cast<void>(notification);
    setObjectName(QStringLiteral("LiveStatus"));
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, [this] { Show(m_pending); });
}

void LiveStatus::Say(const Announcement& announcement) {
    m_pending = ToQString(announcement.text);
    if (announcement.pace == Pace::Settled) {
        m_settle.start();
        return;
    }
    m_settle.stop();
    Show(m_pending);
}

// Renamed while hidden, so that what is shown is already the new text.
void LiveStatus::Show(const QString& text) {
    hide();
    setAccessibleName(text);
    show();
}

}  // namespace kestal
