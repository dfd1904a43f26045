// The help window: "Aide" puts the main window out of use and opens it,
// "Retour" (or its title bar, or Alt+R) brings the main window back.

#include "app/form2.hpp"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/form1.hpp"
#include "app/scale_box.hpp"
#include "window_test_support.hpp"

namespace kestal {

namespace {

const QString kHelpText = QStringLiteral(
    "Ce logiciel est très simple d'utilisation. Il suffit d'entrer la valeur à convertir dans la "
    "zone texte correspondant à son unité. Le logiciel calcul, lorsqu'il existe une "
    "correspondance, la kestal dans les autres unités.");

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void help_and_return_repeated_data();
    void help_and_return_repeated();
    void main_window_takes_no_input_while_help_is_open();

private:
    Form2* OpenHelp();

    std::unique_ptr<Form1> m_form;
    std::unique_ptr<MessageWatcher> m_messages;
};

void Form2Test::init() {
    m_form = std::make_unique<Form1>(QLocale(QLocale::French, QLocale::France));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_messages = std::make_unique<MessageWatcher>([this] { return Texts(*m_form); });
    QTest::keyClicks(m_form->Box(Scale::HV), "200");
}

void Form2Test::cleanup() {
    m_messages.reset();
    m_form.reset();
}

Form2* Form2Test::OpenHelp() {
    QTest::mouseClick(m_form->findChild<QPushButton*>("Command3"), Qt::LeftButton);
    Form2* help = m_form->HelpWindow();
    if (help != nullptr && !QTest::qWaitForWindowExposed(help)) {
        return nullptr;
    }
    return help;
}

void Form2Test::help_and_return_repeated_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Retour clicked") << "click";
    QTest::newRow("Alt+R") << "alt";
    QTest::newRow("title bar close") << "close";
}

// HV 200 converted; "Aide" then the way back, three times: a new help window
// each time with the same text, the main window out of use meanwhile, then in
// use and active again with its texts unchanged.
void Form2Test::help_and_return_repeated() {
    QFETCH(QString, way);
    const QStringList converted = Texts(*m_form);
    for (int round = 0; round < 3; ++round) {
        Form2* help = OpenHelp();
        QVERIFY(help != nullptr);
        QSignalSpy destroyed(help, &QObject::destroyed);
        QVERIFY(!m_form->isEnabled());
        QVERIFY(help->isVisible());
        QCOMPARE(help->findChild<QLabel*>("Label1")->text(), kHelpText);
        QTRY_COMPARE(QApplication::activeWindow(), help);

        if (way == "click") {
            QTest::mouseClick(help->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        } else if (way == "alt") {
            QTest::keyClick(help, Qt::Key_R, Qt::AltModifier);
        } else {
            QVERIFY(help->close());
        }
        QTRY_VERIFY(m_form->isEnabled());  // a mnemonic clicks after a short animation
        QTRY_COMPARE(destroyed.count(), 1);
        QCOMPARE(m_form->HelpWindow(), nullptr);
        QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
        QCOMPARE(Texts(*m_form), converted);
    }
    // Back in use: typing converts again.
    QTest::keyClick(m_form->Box(Scale::HV), Qt::Key_Backspace);
    QCOMPARE(m_form->Box(Scale::Rm)->text(), QString());
    QVERIFY(m_messages->Seen().empty());
}

// Help open: clicks, typing, access letters and the title bar's close reach
// nothing in the main window.
void Form2Test::main_window_takes_no_input_while_help_is_open() {
    const QStringList converted = Texts(*m_form);
    Form2* help = OpenHelp();
    QVERIFY(help != nullptr);

    QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QTest::keyClicks(m_form->Box(Scale::HV), "5");
    QTest::keyClick(m_form.get(), Qt::Key_E, Qt::AltModifier);
    QTest::keyClick(help, Qt::Key_E, Qt::AltModifier);
    QTest::keyClick(help, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(Texts(*m_form), converted);

    QVERIFY(!m_form->close());
    QVERIFY(m_form->isVisible());
    QVERIFY(help->isVisible());
    QCOMPARE(m_form->HelpWindow(), help);
}

}  // namespace kestal

QTEST_MAIN(kestal::Form2Test)
#include "form2_test.moc"
