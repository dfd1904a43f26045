#include "app/qt/form2.hpp"

#include <QCloseEvent>
#include <QPushButton>

#include "app/qt/described_window.hpp"
#include "app/window/window_description.hpp"

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
    PlaceBeside(*this, Form2Description(), *mainWindow);
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
