#include "app/qt/scale_box.hpp"

#include <QKeyEvent>

namespace kestal {

ScaleBox::ScaleBox(Scale scale, QWidget* parent) : QLineEdit(parent), m_scale(scale) {}

void ScaleBox::keyPressEvent(QKeyEvent* event) {
    m_strokes.Pressed(event->key());
    QLineEdit::keyPressEvent(event);
}

void ScaleBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (m_strokes.Released(event->key(), event->isAutoRepeat())) {
        Q_EMIT KeyUp();
    }
}

void ScaleBox::focusOutEvent(QFocusEvent* event) {
    m_strokes.FocusLeft();
    QLineEdit::focusOutEvent(event);
}

}  // namespace kestal
