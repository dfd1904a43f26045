#include "app/form2.hpp"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include "app/look.hpp"
#include "app/program_icon.hpp"
#include "app/twips.hpp"

namespace kestal {

Form2::Form2() {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Conversion de kestal - Aide"));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    setFixedSize(Pixels(4560), Pixels(4035));

    auto* text = new QLabel(
        QStringLiteral("Ce logiciel est très simple d'utilisation. Il suffit d'entrer la valeur "
                       "à convertir dans la zone texte correspondant à son unité. Le logiciel "
                       "calcul, lorsqu'il existe une correspondance, la kestal dans les autres "
                       "unités."),
        this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setGeometry(TwipsRect(360, 360, 3855, 2415));
    text->setFont(SerifFont(14.25, false));
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setWordWrap(true);

    NewCreditLabel(this)->setGeometry(TwipsRect(480, 3720, 3510, 225));

    auto* back = new QPushButton(QStringLiteral("&Retour"), this);
    back->setObjectName(QStringLiteral("Command1"));
    back->setGeometry(TwipsRect(1440, 3000, 1695, 495));
    back->setAutoDefault(false);
    back->setDefault(false);
    connect(back, &QPushButton::clicked, this, &Form2::Command1_Click);
    back->setFocus();
}

void Form2::ShowBeside(QWidget* mainWindow) {
    // Design positions: main window's client area at (5700, 2640) twips, this
    // one's at (10035, 4050).
    const QPoint offset(Pixels(10035 - 5700), Pixels(4050 - 2640));
    setGeometry(QRect(mainWindow->geometry().topLeft() + offset, size()));
    winId();  // creates the native window so that it can stay above the main one
    if (QWindow* main = mainWindow->windowHandle()) {
        windowHandle()->setTransientParent(main);
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
