#include "app/qt/scale_box.hpp"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace kestal {

ScaleBox::ScaleBox(Scale scale, QWidget* parent) : QLineEdit(parent), m_scale(scale) {
    // Typing changes the text with its key down, registered before the press
    // reaches the line edit: its release converts, not the change.
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (m_strokes.Changed()) {
            Q_EMIT Changed();
        }
    });
}

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

// Also when a menu opens over the box: the menu key that opened it is
// released there.
void ScaleBox::focusOutEvent(QFocusEvent* event) {
    m_strokes.FocusLeft();
    QLineEdit::focusOutEvent(event);
}

void ScaleBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    menu->addActions(m_menuActions);
    menu->popup(event->globalPos());
}

}  // namespace kestal
