#include "app/qt/form2.hpp"

#include <QCloseEvent>
#include <QPushButton>
#include <QWindow>

#include "app/qt/described_window.hpp"
#include "app/window_description.hpp"

namespace kestal {

Form2::Form2() {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildWindow(*this, Form2Description());
    auto* back = findChild<QPushButton*>(QStringLiteral("Command1"));
    connect(back, &QPushButton::clicked, this, &Form2::Command1_Click);
    back->setFocus();
}

void Form2::ShowBeside(QWidget* mainWindow) {
    const WindowDescription& main = Form1Description();
    const WindowDescription& help = Form2Description();
    const QPoint offset(Pixels(help.designLeft - main.designLeft),
                        Pixels(help.designTop - main.designTop));
    setGeometry(QRect(mainWindow->geometry().topLeft() + offset, size()));
    winId();  // creates the native window so that it can stay above the main one
    if (QWindow* mainHandle = mainWindow->windowHandle()) {
        windowHandle()->setTransientParent(mainHandle);
    }
    show();
    activateWindow();
}

void Form2::Command1_Click() {
    close();
}

void Form2::closeEvent(QCloseEvent* event) {
    Q_EMIT Returning();
    event->accept();
}

}  // namespace kestal
