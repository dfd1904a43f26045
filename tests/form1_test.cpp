// The main window driven through its real widgets: conversions at key
// releases, the not-a-number message, clearing and quitting.

#include "app/form1.hpp"

#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/scale_box.hpp"
#include "window_test_support.hpp"

Q_DECLARE_METATYPE(kestal::Scale)

namespace kestal {

namespace {

const QStringList kEmpty(kScaleCount, QString());

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typing_200_converts_at_every_key();
    void a_run_from_each_box_data();
    void a_run_from_each_box();
    void not_a_number_shows_the_message_then_empties_all_data();
    void not_a_number_shows_the_message_then_empties_all();
    void erasing_the_source_keeps_the_other_boxes();
    void program_writes_do_not_convert();
    void held_key_converts_once_at_its_release();
    void tab_moves_focus_without_converting();
    void release_of_the_key_that_closed_the_message_converts_nothing();
    void keys_that_leave_the_text_rerun_the_conversion_data();
    void keys_that_leave_the_text_rerun_the_conversion();
    void clear_all_empties_the_boxes_and_converts_nothing();
    void quit_and_title_bar_close_end_the_program_data();
    void quit_and_title_bar_close_end_the_program();

private:
    ScaleBox* Box(Scale scale) const { return m_form->Box(scale); }

    std::unique_ptr<Form1> m_form;
    std::unique_ptr<MessageWatcher> m_messages;
};

void Form1Test::init() {
    m_form = std::make_unique<Form1>(QLocale(QLocale::French, QLocale::France));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_messages = std::make_unique<MessageWatcher>([this] { return Texts(*m_form); });
}

void Form1Test::cleanup() {
    m_messages.reset();
    m_form.reset();
}

// Empty boxes; 2, 0, 0 typed in HV; below the table twice, then HV 200.
void Form1Test::typing_200_converts_at_every_key() {
    QTest::keyClick(Box(Scale::HV), Qt::Key_2);
    QCOMPARE(Texts(*m_form), QStringList({"2", "", "", "", "", "", ""}));
    QTest::keyClick(Box(Scale::HV), Qt::Key_0);
    QCOMPARE(Texts(*m_form), QStringList({"20", "", "", "", "", "", ""}));
    QTest::keyClick(Box(Scale::HV), Qt::Key_0);
    QCOMPARE(Texts(*m_form), QStringList({"200", "190,0", "", "91,8", "", "", "650,0"}));
    QVERIFY(m_messages->Seen().empty());
}

void Form1Test::a_run_from_each_box_data() {
    QTest::addColumn<Scale>("source");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("HV 640") << Scale::HV << "640"
                            << QStringList{"640", "586,0", "79,8", "", "57,3", "68,7", "2180,0"};
    QTest::newRow("HB 586") << Scale::HB << "586"
                            << QStringList{"640,0", "586", "79,8", "", "57,3", "68,7", "2180,0"};
    QTest::newRow("HRA 80") << Scale::HRA << "80"
                            << QStringList{"650,0", "", "80", "", "57,8", "69,0", "2220,0"};
    QTest::newRow("HRB 96,3") << Scale::HRB << "96,3"
                              << QStringList{"225,0", "213,8", "", "96,3", "", "", "720,0"};
    QTest::newRow("HRC 20,3") << Scale::HRC << "20,3"
                              << QStringList{"240,0", "228,0", "60,7", "", "20,3", "40,3", "770,0"};
    QTest::newRow("HRD 40,3") << Scale::HRD << "40,3"
                              << QStringList{"240,0", "228,0", "60,7", "", "20,3", "40,3", "770,0"};
    QTest::newRow("Rm 2220") << Scale::Rm << "2220"
                             << QStringList{"650,0", "", "80,0", "", "57,8", "69,0", "2220"};
    QTest::newRow("HV above the table")
        << Scale::HV << "940,1" << QStringList{"940,1", "", "", "", "", "", ""};
    QTest::newRow("Rm below the table")
        << Scale::Rm << "279" << QStringList{"", "", "", "", "", "", "279"};
    QTest::newRow("HV negative") << Scale::HV << "-200"
                                 << QStringList{"-200", "", "", "", "", "", ""};
}

// Each box converts from its own scale into the six others; out of range
// empties them and keeps the typed text.
void Form1Test::a_run_from_each_box() {
    QFETCH(Scale, source);
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    // Values of an earlier run in every box, so that every box must be rewritten.
    QTest::keyClicks(Box(Scale::HV), "300");
    Box(source)->setText(typed.chopped(1));
    QTest::keyClick(Box(source), typed.back().toLatin1());
    QCOMPARE(Texts(*m_form), shown);
    QVERIFY(m_messages->Seen().empty());
}

void Form1Test::not_a_number_shows_the_message_then_empties_all_data() {
    QTest::addColumn<Scale>("source");
    QTest::addColumn<QString>("typed");
    QTest::newRow("letter after a number in HV") << Scale::HV << "200a";
    QTest::newRow("single space in HRC") << Scale::HRC << " ";
    QTest::newRow("point instead of a comma in Rm") << Scale::Rm << "1.5";
    QTest::newRow("beyond a single in HB") << Scale::HB << "4e38";
}

// Text that is not a number: one message (caption, text, OK only, no icon,
// application-modal) while the boxes still show the run's state, then all
// seven boxes empty and the focus where it was.
void Form1Test::not_a_number_shows_the_message_then_empties_all() {
    QFETCH(Scale, source);
    QFETCH(QString, typed);
    QTest::keyClicks(Box(Scale::HV), "300");
    Box(source)->setFocus();
    Box(source)->setText(typed.chopped(1));  // all but the last key, typed without a run
    QTest::keyClick(Box(source), typed.back().toLatin1());

    QCOMPARE(m_messages->Seen().size(), 1u);
    const SeenMessage& message = m_messages->Seen().front();
    QCOMPARE(message.caption, QString("Kestal"));
    QCOMPARE(message.text, QString("La valeur rentrée n'est pas considérée comme un nombre"));
    QCOMPARE(message.icon, QMessageBox::NoIcon);
    QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(message.modality, Qt::ApplicationModal);
    QCOMPARE(message.boxTextsWhileShown[ColumnOf(source)], typed);
    QCOMPARE(Texts(*m_form), kEmpty);
    QCOMPARE(m_form->focusWidget(), Box(source));
}

// HV 200 converted; the source erased at once (select all, Delete): the other
// boxes keep the values of that run.
void Form1Test::erasing_the_source_keeps_the_other_boxes() {
    QTest::keyClicks(Box(Scale::HV), "200");
    const QStringList before = Texts(*m_form);
    QTest::keyClick(Box(Scale::HV), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Box(Scale::HV), Qt::Key_Delete);
    QStringList expected = before;
    expected[0].clear();
    QCOMPARE(Texts(*m_form), expected);
    QVERIFY(m_messages->Seen().empty());
}

// Text written by the program (or pasted with the mouse) waits for a key
// release in its box.
void Form1Test::program_writes_do_not_convert() {
    Box(Scale::HV)->setText("200");
    QCOMPARE(Texts(*m_form), QStringList({"200", "", "", "", "", "", ""}));
    QTest::keyClick(Box(Scale::HV), Qt::Key_End);
    QCOMPARE(Box(Scale::Rm)->text(), QString("650,0"));
}

// A held key arrives as press/release pairs flagged as auto-repeat: one run,
// at the real release, from the text typed by all the repeats.
void Form1Test::held_key_converts_once_at_its_release() {
    ScaleBox* hv = Box(Scale::HV);
    hv->setText("10");
    hv->setFocus();
    QSignalSpy runs(hv, &ScaleBox::KeyUp);
    auto send = [hv](QEvent::Type type, bool autoRepeat) {
        QKeyEvent event(type, Qt::Key_0, Qt::NoModifier, QStringLiteral("0"), autoRepeat);
        QApplication::sendEvent(hv, &event);
    };
    send(QEvent::KeyPress, false);
    for (int repeat = 0; repeat < 3; ++repeat) {
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    QCOMPARE(runs.count(), 0);
    QCOMPARE(Box(Scale::Rm)->text(), QString());
    send(QEvent::KeyRelease, false);
    QCOMPARE(runs.count(), 1);
    QCOMPARE(hv->text(), QString("100000"));
    QCOMPARE(Texts(*m_form), QStringList({"100000", "", "", "", "", "", ""}));
}

// HV 246 typed; Tab then Shift+Tab move between boxes, each release landing
// in the newly focused box: nothing converts, the typed 246 and Rm 784,0 stay.
void Form1Test::tab_moves_focus_without_converting() {
    QTest::keyClicks(Box(Scale::HV), "246");
    const QStringList typed = Texts(*m_form);
    QCOMPARE(typed[ColumnOf(Scale::Rm)], QString("784,0"));
    QSignalSpy hbRuns(Box(Scale::HB), &ScaleBox::KeyUp);
    QSignalSpy hvRuns(Box(Scale::HV), &ScaleBox::KeyUp);

    QTest::keyPress(Box(Scale::HV), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Box(Scale::HB));
    QTest::keyRelease(Box(Scale::HB), Qt::Key_Tab);

    QTest::keyPress(Box(Scale::HB), Qt::Key_Shift);
    QTest::keyPress(Box(Scale::HB), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Box(Scale::HV));
    QTest::keyRelease(Box(Scale::HV), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyRelease(Box(Scale::HV), Qt::Key_Shift);

    QCOMPARE(hbRuns.count(), 0);
    QCOMPARE(hvRuns.count(), 0);
    QCOMPARE(Texts(*m_form), typed);
}

// The message closed with Enter: that Enter's release reaches the box with
// the focus, which converts nothing.
void Form1Test::release_of_the_key_that_closed_the_message_converts_nothing() {
    QTest::keyClicks(Box(Scale::HV), "x");
    QCOMPARE(m_messages->Seen().size(), 1u);
    QSignalSpy runs(Box(Scale::HV), &ScaleBox::KeyUp);
    QTest::keyRelease(Box(Scale::HV), Qt::Key_Return);
    QCOMPARE(runs.count(), 0);
    QCOMPARE(m_messages->Seen().size(), 1u);
}

void Form1Test::keys_that_leave_the_text_rerun_the_conversion_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Left") << int(Qt::Key_Left);
    QTest::newRow("Home") << int(Qt::Key_Home);
    QTest::newRow("End") << int(Qt::Key_End);
    QTest::newRow("Shift") << int(Qt::Key_Shift);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

// HV 200 converted and a target overwritten by hand: a key that leaves the
// source text alone runs the same conversion again and restores it.
void Form1Test::keys_that_leave_the_text_rerun_the_conversion() {
    QFETCH(int, key);
    QTest::keyClicks(Box(Scale::HV), "200");
    const QStringList converted = Texts(*m_form);
    Box(Scale::Rm)->setText("9999");
    QTest::keyClick(Box(Scale::HV), static_cast<Qt::Key>(key));
    QCOMPARE(Texts(*m_form), converted);
    QVERIFY(m_messages->Seen().empty());
}

// "Effacer tout" after a conversion: seven empty boxes, no run; the next key
// release converts as usual.
void Form1Test::clear_all_empties_the_boxes_and_converts_nothing() {
    QTest::keyClicks(Box(Scale::HV), "200");
    auto* clearAll = m_form->findChild<QPushButton*>("Command1");
    QTest::mouseClick(clearAll, Qt::LeftButton);
    QCOMPARE(Texts(*m_form), kEmpty);
    QTest::keyClicks(Box(Scale::HRC), "20,3");
    QCOMPARE(Box(Scale::Rm)->text(), QString("770,0"));
    QVERIFY(m_messages->Seen().empty());
}

void Form1Test::quit_and_title_bar_close_end_the_program_data() {
    QTest::addColumn<bool>("fromTitleBar");
    QTest::newRow("Terminé") << false;
    QTest::newRow("title bar") << true;
}

// The program's event loop is running; "Terminé", or the title bar's close,
// ends it at once, with no message.
void Form1Test::quit_and_title_bar_close_end_the_program() {
    QFETCH(bool, fromTitleBar);
    QTimer::singleShot(0, m_form.get(), [this, fromTitleBar] {
        if (fromTitleBar) {
            m_form->close();
        } else {
            QTest::mouseClick(m_form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        }
    });
    constexpr int kNotEnded = 99;
    QTimer::singleShot(5000, [] { QCoreApplication::exit(kNotEnded); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(m_messages->Seen().empty());
}

}  // namespace kestal

QTEST_MAIN(kestal::Form1Test)
#include "form1_test.moc"
