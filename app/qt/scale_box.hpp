#pragma once

#include <QLineEdit>
#include <QList>

#include "app/window/key_strokes.hpp"
#include "conversion/scale.hpp"

namespace kestal {

// The text box of one scale. Its KeyUp signal is the key release that starts a
// conversion: one per keystroke typed in this box (see KeyStrokes); Changed is
// a change of its text by the user that no such release will follow (its
// menu's paste, cut or delete, a drop, an input method). Setting its text from
// the program raises neither. Its context menu is the standard one with the
// window's own entries after it.
class ScaleBox : public QLineEdit {
    Q_OBJECT

public:
    ScaleBox(Scale scale, QWidget* parent);

    Scale BoxScale() const { return m_scale; }
    void SetMenuActions(const QList<QAction*>& actions) { m_menuActions = actions; }

Q_SIGNALS:
    void KeyUp();
    void Changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Scale m_scale;
    QList<QAction*> m_menuActions;
    KeyStrokes m_strokes;
};

}  // namespace kestal
