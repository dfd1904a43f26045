#pragma once

#include <QWidget>

namespace kestal {

// The help window. Not a QDialog: Escape must close nothing, and its one
// button must not become a default button.
class Form2 : public QWidget {
    Q_OBJECT

public:
    Form2();

    // Shows the window at the right-hand edge of the main window, overlapping
    // it a little and lower than its top.
    void ShowBeside(QWidget* mainWindow);

Q_SIGNALS:
    // The window is about to close, by "Retour" or its title bar: the main
    // window comes back into use before this one goes.
    void Returning();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Command1_Click();
};

}  // namespace kestal
