// The windows driven through their real widgets, and measured against the
// one description they are built from.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "app/qt/described_window.hpp"
#include "app/qt/form1.hpp"
#include "app/qt/form2.hpp"
#include "app/qt/look.hpp"
#include "app/qt/qt_text.hpp"
#include "app/qt/scale_box.hpp"
#include "app/qt/start_up.hpp"
#include "app/qt/table_window.hpp"
#include "app/window/announcements.hpp"
#include "app/window/table_identity.hpp"
#include "conversion_rows.hpp"

// Failures name texts, not their UTF-16 code units.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace kestal {
namespace {

using enum Scale;
const QStringList kEmpty(kScaleCount, QString());
const NumberSymbols kFrench{u",", u"-", u"+", u"E"};

// Labels, buttons and boxes show their text property, a frame its title.
QString Shown(const QWidget* control) {
    auto* frame = qobject_cast<const QGroupBox*>(control);
    return frame ? frame->title() : control->property("text").toString();
}

// The room a control's text needs in its own font: wrapped in its width, or one line.
QSize Needed(const QWidget* control) {
    const QFontMetrics metrics(control->font());
    QString text = Shown(control);
    if (auto* label = qobject_cast<const QLabel*>(control); label && label->wordWrap()) {
        const QRect room(0, 0, label->contentsRect().width(), 10000);
        return metrics.boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, text).size();
    }
    QSize needed(metrics.horizontalAdvance(text.remove(u'&')), metrics.height());
    if (qobject_cast<const QPushButton*>(control)) {
        const QStyle* style = control->style();
        needed.rwidth() += style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, control) +
                           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control);
    }
    return needed;
}

QPushButton* Command(const QWidget* window, std::string_view name) {
    return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

class Windows : public testing::Test {
protected:
    void SetUp() override {
        m_form = std::make_unique<Form1>(kFrench);
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        // Every message that opens is noted with the boxes' texts meanwhile, then closed.
        m_watch.callOnTimeout([this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_messages << QStringList{box->windowTitle(), box->text(),
                                          QString::number(box->icon()),
                                          QString::number(box->standardButtons())} +
                                  Texts();
                box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click()
                                             : box->reject();
            }
        });
        m_watch.start(5);
    }
    void TearDown() override {
        m_form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ScaleBox* Box(Scale scale) const { return m_form->Box(scale); }
    // The seven boxes' texts, or another of their properties.
    QStringList Texts(QString (ScaleBox::*shown)() const = &ScaleBox::text) const {
        QStringList texts;
        for (const Scale scale : kAllScales) {
            texts << (Box(scale)->*shown)();
        }
        return texts;
    }
    // Typed in `source`: all but the last character set, the last one a key stroke.
    void Type(Scale source, const QString& text) {
        Box(source)->setFocus();
        Box(source)->setText(text.chopped(1));
        QTest::keyClick(Box(source), text.back().toLatin1());
    }
    // The entries of the box's context menu, without access letters or
    // shortcuts, after choosing `entry` there (Qt's own entries matched
    // without access letters); the menu must hold the standard entries, a
    // separator and the window's three.
    QStringList ChosenInMenu(Scale scale, std::u16string_view entry) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, {}, Box(scale)->mapToGlobal(QPoint()));
        QApplication::sendEvent(Box(scale), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QLineEdit plain;
        const std::unique_ptr<QMenu> standard(plain.createStandardContextMenu());
        if (menu == nullptr || menu->actions().size() != standard->actions().size() + 4) {
            return {"no such menu"};
        }
        QStringList entries;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            entries << action->text().remove(u'&').section(u'\t', 0, 0);
            // Qt's own entries by their words, whatever their access letters.
            chosen = entries.back() == ToQString(entry).remove(u'&') ? action : chosen;
        }
        menu->close();
        chosen ? chosen->trigger() : void();
        return entries;
    }
    // The clipboard after `entry` of the box's context menu; "-" if it copied nothing.
    QString CopiedFromMenu(Scale scale, std::u16string_view entry) {
        QGuiApplication::clipboard()->setText("-");
        const QStringList entries = ChosenInMenu(scale, entry);
        return entries.size() > 1 ? QGuiApplication::clipboard()->text() : entries.join("");
    }
    // The last thing the main window's notification said to a screen reader.
    QString Heard() const {
        auto* status = m_form->findChild<QWidget*>("LiveStatus");
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(status);
        return heard->role() == QAccessible::Notification ? heard->text(QAccessible::Name) : "";
    }
    // F8 pressed in a box of the main window.
    TableWindow* OpenTable() {
        QTest::keyClick(Box(HV), Qt::Key(Qt::Key_F1 + kShowInTableFunctionKey - 1));
        return m_form->Table();
    }
    Form2* OpenHelp() {
        QTest::mouseClick(Command(m_form.get(), "Command3"), Qt::LeftButton);
        Form2* help = m_form->HelpWindow();
        const auto active = [help] { return QApplication::activeWindow() == help; };
        return help != nullptr && QTest::qWaitFor(active) ? help : nullptr;
    }

    std::unique_ptr<Form1> m_form;
    QList<QStringList> m_messages;  // caption, text, icon, buttons, then the seven boxes
    QTimer m_watch;
};

// Every control as its window opens: where the description puts it, with its
// text, font and colour, its text not clipped, overlapping no other control.
TEST_F(Windows, EveryControlAsDescribed) {
    for (const WindowDescription* description :
         {&Form1Description(), &TableWindowDescription(), &Form2Description()}) {
        const QWidget* window = description == &Form1Description() ? m_form.get()
                                : description == &Form2Description()
                                    ? static_cast<QWidget*>(OpenHelp())
                                    : OpenTable();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->objectName(), QString::fromLatin1(description->name));
        EXPECT_EQ(window->windowTitle(), ToQString(description->caption));
        EXPECT_EQ(window->size(),
                  QSize(Pixels(description->clientWidth), Pixels(description->clientHeight)));
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        for (const ControlDescription& control : description->controls) {
            SCOPED_TRACE(control.name);
            const QWidget* widget = window->findChild<QWidget*>(QString::fromLatin1(control.name));
            ASSERT_TRUE(widget != nullptr && widget->isVisible());
            const TwipsRect& r = control.rect;
            EXPECT_EQ(widget->geometry(),
                      QRect(Pixels(r.left), Pixels(r.top), Pixels(r.width), Pixels(r.height)));
            EXPECT_EQ(
                widget->parentWidget()->objectName(),
                QString::fromLatin1(control.parent.empty() ? description->name : control.parent));
            EXPECT_TRUE(widget->parentWidget()->contentsRect().contains(widget->geometry()));
            if (description == &TableWindowDescription() && control.name == "Label1") {
                // Before any run the status names the table.
                EXPECT_EQ(Shown(widget), ToQString(TableIdentity()));
            } else if (control.kind != ControlKind::ScaleBox) {
                EXPECT_EQ(Shown(widget), ToQString(control.text));
            }
            const FontDescription font = control.font.value_or(description->font);
            EXPECT_EQ(widget->font().family(), FontOf(font).family());
            EXPECT_EQ(QFontInfo(widget->font()).family(), widget->font().family());  // installed
            EXPECT_EQ(widget->font().pointSizeF(), font.points);
            EXPECT_EQ(widget->font().bold(), font.bold);
            if (const auto colour = control.colour) {
                EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::WindowText),
                          QColor(colour->red, colour->green, colour->blue));
            }
            // A screen reader's name: the described one, else the control's own
            // text, never its identifier.
            const QString name = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget))
                                     ->text(QAccessible::Name);
            EXPECT_TRUE(!name.isEmpty() && name != widget->objectName()) << name.toStdString();
            if (!control.accessibleName.empty()) {
                EXPECT_EQ(name, ToQString(control.accessibleName));
            }
            const QSize needed = Needed(widget);
            EXPECT_TRUE(needed.width() <= widget->contentsRect().width() &&
                        needed.height() <= widget->contentsRect().height())
                << needed.width() << "x" << needed.height();
            for (const QWidget* other : widget->parentWidget()->findChildren<QWidget*>(
                     QString(), Qt::FindDirectChildrenOnly)) {
                EXPECT_TRUE(other == widget || !other->geometry().intersects(widget->geometry()))
                    << other->objectName().toStdString();
            }
        }
    }
}

// Focus in Text1 at start; the tab chain runs through the boxes and buttons
// in the description's order and back; each box is named after its caption;
// the icon is the 32x32 hammer on teal.
TEST_F(Windows, TabOrderFocusNamesAndIcon) {
    EXPECT_EQ(QApplication::focusWidget(), Box(HV));
    EXPECT_EQ(Texts(), kEmpty);
    QStringList expected;
    for (const ControlDescription& control : Form1Description().controls) {
        if (control.kind == ControlKind::ScaleBox || control.kind == ControlKind::PushButton) {
            expected << QString::fromLatin1(control.name);
        }
    }
    QStringList chain;
    for (qsizetype k = 0; k <= expected.size(); ++k) {
        chain << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(chain, expected + QStringList(expected[0]));
    for (const Scale scale : kAllScales) {
        EXPECT_EQ(Box(scale)->accessibleName(),
                  ToQString(Form1Description().Control(CaptionName(scale)).text));
    }
    const QImage icon = m_form->windowIcon().pixmap(32, 32).toImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(0, 0x88, 0x88));
    const Form2* help = OpenHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), Command(help, "Command1"));
}

// 2, 0, 0 typed in HV: a run at every key; then, after a run that filled every
// box, each value of the shared conversions that is a number rewrites the six others.
TEST_F(Windows, EveryBoxConvertsAtEachKey) {
    QTest::keyClick(Box(HV), Qt::Key_2);
    EXPECT_EQ(Texts(), QStringList({"2", "", "", "", "", "", ""}));
    QTest::keyClicks(Box(HV), "00");
    EXPECT_EQ(Texts(), QStringList({"200", "190,0", "", "91,8", "", "", "650,0"}));
    for (const ConversionRow& row : ConversionRows(KESTAL_CONVERSIONS)) {
        if (!row.Failed()) {
            Type(HV, "300");
            Type(row.source, QString::fromStdString(row.typed));
            EXPECT_EQ(Texts().join(u'|').toStdString(), row.boxes);
        }
    }
    EXPECT_TRUE(m_messages.empty());
}

// Each value that is not a number: one message (caption, text, no icon, OK
// only) while the box still shows what was typed; then seven empty boxes, the
// focus where it was, and the release of the key that closed the message
// converts nothing. The boxes' tooltips go with their values.
TEST_F(Windows, NotANumberShowsTheMessageThenEmptiesAll) {
    const QString noIcon = QString::number(QMessageBox::NoIcon);
    const QString ok = QString::number(QMessageBox::Ok);
    for (const ConversionRow& row : ConversionRows(KESTAL_CONVERSIONS)) {
        if (!row.Failed()) {
            continue;
        }
        m_messages.clear();
        Type(HV, "300");
        Type(row.source, QString::fromStdString(row.typed));
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(
            m_messages[0].mid(0, 4),
            QStringList({ToQString(kApplicationTitle), ToQString(kNotANumberMessage), noIcon, ok}));
        EXPECT_EQ(m_messages[0][4 + ColumnOf(row.source)], QString::fromStdString(row.typed));
        EXPECT_EQ(Texts(), kEmpty);
        EXPECT_EQ(Texts(&ScaleBox::toolTip), kEmpty);
        EXPECT_EQ(m_form->focusWidget(), Box(row.source));
        QTest::keyRelease(Box(row.source), Qt::Key_Return);
        EXPECT_EQ(m_messages.size(), 1);
    }
}

// A text set by the program waits for a key release in its box; Tab and
// Shift+Tab, released in the box they moved to, rewrite nothing; erasing the
// source keeps the other boxes; a held key converts once, at its real release.
TEST_F(Windows, OnlyKeysTypedInABoxConvert) {
    Box(HV)->setText("246");
    EXPECT_EQ(Texts(), QStringList({"246", "", "", "", "", "", ""}));
    QTest::keyClick(Box(HV), Qt::Key_End);
    const QStringList typed = Texts();
    EXPECT_EQ(typed[ColumnOf(Rm)], "784,0");
    QTest::keyPress(Box(HV), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Box(HB));
    QTest::keyRelease(Box(HB), Qt::Key_Tab);
    QTest::keyPress(Box(HB), Qt::Key_Shift);
    QTest::keyPress(Box(HB), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Box(HV));
    QTest::keyRelease(Box(HV), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyRelease(Box(HV), Qt::Key_Shift);
    EXPECT_EQ(Texts(), typed);
    QTest::keyClick(Box(HV), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Box(HV), Qt::Key_Delete);
    EXPECT_EQ(Texts(), QStringList({""}) + typed.mid(1));

    Box(HV)->setText("10");
    QSignalSpy runs(Box(HV), &ScaleBox::KeyUp);
    QSignalSpy changes(Box(HV), &ScaleBox::Changed);  // typing is no change without a key
    const auto send = [this](QEvent::Type type, bool autoRepeat) {
        QKeyEvent event(type, Qt::Key_0, Qt::NoModifier, QStringLiteral("0"), autoRepeat);
        QApplication::sendEvent(Box(HV), &event);
    };
    send(QEvent::KeyPress, false);
    for (int repeat = 0; repeat < 3; ++repeat) {
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    EXPECT_EQ(runs.count(), 0);
    send(QEvent::KeyRelease, false);
    EXPECT_EQ(runs.count(), 1);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(Texts(), QStringList({"100000", "", "", "", "", "", ""}));
}

// Keys that leave the text alone run the same conversion again, and Enter and
// Escape press no button in either window: there is no default or cancel button.
TEST_F(Windows, EnterEscapeAndMovesRerunAndPressNothing) {
    QSignalSpy quit(Command(m_form.get(), "Command2"), &QPushButton::clicked);
    QSignalSpy help(Command(m_form.get(), "Command3"), &QPushButton::clicked);
    QTest::keyClicks(Box(HV), "200");
    const QStringList converted = Texts();
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_Shift, Qt::Key_Return,
                              Qt::Key_Enter, Qt::Key_Escape}) {
        Box(Rm)->setText("9999");
        QTest::keyClick(Box(HV), key);
        EXPECT_EQ(Texts(), converted) << key;
    }
    EXPECT_EQ(quit.count() + help.count(), 0);
    const QPointer<Form2> window = OpenHelp();
    ASSERT_NE(window, nullptr);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(Command(window, "Command1"), key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(window != nullptr && window->isVisible()) << key;
    }
}

// Each button has an access letter; after a run each box's tooltip tells why
// it shows what it shows; Alt+E and "Effacer tout" empty the boxes and their
// tooltips, and say so to a screen reader; the next key converts as usual.
TEST_F(Windows, AccessLettersTooltipsAndClearAll) {
    for (const QPushButton* button : m_form->findChildren<QPushButton*>()) {
        EXPECT_FALSE(QKeySequence::mnemonic(button->text()).isEmpty())
            << button->objectName().toStdString();
    }
    QTest::keyClicks(Box(HV), "645");
    EXPECT_EQ(Box(HRC)->toolTip(),
              "57,6 HRC : interpolé entre HV 640 (57,3 HRC) et HV 650 "
              "(57,8 HRC), lignes 79 et 80 de la table");
    QSignalSpy clicked(Command(m_form.get(), "Command1"), &QPushButton::clicked);
    QTest::keyClick(m_form.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(clicked.count() == 1 || clicked.wait());  // an access key animates its click
    EXPECT_EQ(Texts(), kEmpty);
    EXPECT_EQ(Texts(&ScaleBox::toolTip), kEmpty);
    EXPECT_EQ(Heard(), ToQString(EmptiedAnnouncement()));
    QTest::keyClicks(Box(HRC), "20,3");
    QTest::mouseClick(Command(m_form.get(), "Command1"), Qt::LeftButton);
    EXPECT_EQ(Texts(), kEmpty);
}

// "Aide" by each way back: the main window takes no input (clicks, typing, its
// access letters, its close box) while a new help window is up, then is back
// in use with its texts unchanged and the help window gone.
TEST_F(Windows, HelpPutsTheMainWindowOutOfUseUntilReturn) {
    QTest::keyClicks(Box(HV), "200");
    const QStringList converted = Texts();
    for (const char* way : {"Retour", "Alt+R", "close box"}) {
        SCOPED_TRACE(way);
        Form2* help = OpenHelp();
        ASSERT_NE(help, nullptr);
        QSignalSpy destroyed(help, &QObject::destroyed);
        EXPECT_FALSE(m_form->isEnabled());
        QTest::mouseClick(Command(m_form.get(), "Command1"), Qt::LeftButton);
        QTest::keyClicks(Box(HV), "5");
        QTest::keyClick(help, Qt::Key_E, Qt::AltModifier);
        EXPECT_FALSE(m_form->close());
        EXPECT_EQ(Texts(), converted);
        if (way == std::string_view("Retour")) {
            QTest::mouseClick(Command(help, "Command1"), Qt::LeftButton);
        } else if (way == std::string_view("Alt+R")) {
            QTest::keyClick(help, Qt::Key_R, Qt::AltModifier);
        } else {
            EXPECT_TRUE(help->close());
        }
        EXPECT_TRUE(QTest::qWaitFor([&destroyed] { return destroyed.count() == 1; }));
        EXPECT_TRUE(m_form->isEnabled());
        EXPECT_EQ(m_form->HelpWindow(), nullptr);
        EXPECT_TRUE(
            QTest::qWaitFor([this] { return QApplication::activeWindow() == m_form.get(); }));
        EXPECT_EQ(Texts(), converted);
    }
}

// With the event loop running, "Terminé" or the close box ends it at once.
TEST_F(Windows, QuitAndCloseBoxEndTheProgram) {
    for (const bool closeBox : {false, true}) {
        QTimer::singleShot(0, m_form.get(), [this, closeBox] {
            closeBox ? void(m_form->close())
                     : QTest::mouseClick(Command(m_form.get(), "Command2"), Qt::LeftButton);
        });
        QTimer::singleShot(5000, m_form.get(), [] { QCoreApplication::exit(99); });  // not ended
        EXPECT_EQ(QCoreApplication::exec(), 0) << closeBox;
        m_form->show();
    }
    EXPECT_TRUE(m_messages.empty());
}

// Both copies from any box's context menu, the seven values from
// Ctrl+Shift+C too; with every box empty none copies.
TEST_F(Windows, ContextMenuAndShortcutCopyTheResults) {
    const auto shortcut = [this] {
        QGuiApplication::clipboard()->setText("-");
        QTest::keyClick(Box(HRB), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        return QGuiApplication::clipboard()->text();
    };
    EXPECT_EQ(
        CopiedFromMenu(HV, kCopySevenValues) + CopiedFromMenu(HV, kCopyForReport) + shortcut(),
        "---");
    QTest::keyClicks(Box(HV), "645");
    const QString values = "HV\tHB\tHRA\tHRB\tHRC\tHRD\tRm\n645\t\t79,9\t\t57,6\t68,9\t2200,0\n";
    EXPECT_EQ(CopiedFromMenu(Rm, kCopySevenValues), values);
    EXPECT_EQ(shortcut(), values);
    const QStringList report = CopiedFromMenu(HB, kCopyForReport).split(u'\n');
    ASSERT_EQ(report.size(), 6);  // the typed value, four converted ones, the last end of line
    EXPECT_EQ(report[0], "645 HV");
}

// The menu's Coller, Couper and Supprimer, the menu opened with the menu key,
// change the text with no key to release: the six other boxes follow at once,
// as at a key release (the figures, or the message for a non-number), and with
// the text gone they are emptied too; the table window follows each.
TEST_F(Windows, MenuEditsConvertAtOnce) {
    Type(HV, "200");
    const QStringList typed200 = Texts();
    const QString reason200 = Box(HV)->toolTip();
    const auto entry = [](EditCommand command) {
        return std::ranges::find(BoxEditEntries(), command, &EditEntry::command)->text;
    };
    const QLabel* status = OpenTable()->findChild<QLabel*>("Label1");
    for (const auto& [pasted, command, boxes, messages] :
         {std::tuple{"200", EditCommand::Paste, typed200, 0},
          {"", EditCommand::Cut, kEmpty, 0},
          {"", EditCommand::Delete, kEmpty, 0},
          {"2OO", EditCommand::Paste, kEmpty, 1}}) {
        SCOPED_TRACE(static_cast<int>(command));
        m_messages.clear();
        Type(HV, "645");
        Box(HV)->selectAll();
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyPress(Box(HV), Qt::Key_Menu);  // opens the menu, which takes its release
        ChosenInMenu(HV, entry(command));
        EXPECT_EQ(Texts(), boxes);
        EXPECT_EQ(m_messages.size(), messages);
        // The reason for 200's figures, or, with none left, the table's name.
        EXPECT_TRUE(boxes == typed200 ? status->text() == reason200
                                      : status->text() == ToQString(TableIdentity()))
            << status->text().toStdString();
    }
}

// The table window, from F8 and the menu: it opens on the last run without
// taking the focus from the box, follows every run (the rows the typed value
// lies on or between, in view; the source box's reason; the plot of the marked
// target, drawn), takes a click on a caption or a cell and Left as the plot's
// target, comes to the front when asked again and closes with Escape; the
// boxes never change through it. The menu shows Qt's own entries in French.
TEST_F(Windows, TableWindowFollowsEveryRun) {
    Type(HV, "645");
    const QStringList converted = Texts();
    QPointer<TableWindow> table = OpenTable();
    ASSERT_TRUE(table != nullptr && table->isVisible());
    EXPECT_EQ(Heard(), ToQString(TableOpenedAnnouncement()));
    // Offscreen, Qt activates every window it shows: only the request not to can be read.
    EXPECT_TRUE(table->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(m_form->focusWidget(), Box(HV));
    auto* grid = table->findChild<QTableView*>("Grid1");
    QAbstractItemModel* cells = grid->model();
    for (int column = 0; column < kTableColumns; ++column) {
        EXPECT_EQ(grid->columnWidth(column), Pixels(TableColumns()[column].width));
    }
    // The column whose caption is tinted (the source) or coloured (the target).
    const auto marked = [cells](int role) {
        int column = kTableColumns - 1;
        while (column >= 0 && !cells->headerData(column, Qt::Horizontal, role).isValid()) {
            --column;
        }
        return column;
    };
    const auto target = [&] { return marked(Qt::ForegroundRole); };
    const NumberText numbers(kFrench);
    const auto value = [&](int row, int column) {
        return numbers.Parse(ToU16(cells->index(row, column).data().toString()))->single;
    };
    const auto expectFollowing = [&](Scale typedIn) {
        QList<int> tinted;
        for (int row = 0; row < cells->rowCount(); ++row) {
            cells->index(row, 0).data(Qt::BackgroundRole).isValid() ? void(tinted << row) : void();
        }
        const QString status = table->findChild<QLabel*>("Label1")->text();
        const QString title = table->findChild<QWidget*>("Picture1")->accessibleName();
        if (Box(typedIn)->toolTip().isEmpty()) {  // after the message
            EXPECT_TRUE(tinted.isEmpty() && status == ToQString(TableIdentity()) &&
                        marked(Qt::BackgroundRole) < 0);
            return;
        }
        const int source = ColumnShowing(typedIn);
        EXPECT_EQ(status, Box(typedIn)->toolTip());
        EXPECT_EQ(marked(Qt::BackgroundRole), source);
        EXPECT_TRUE(target() > 0 && target() != source &&
                    title.contains(cells->headerData(target(), Qt::Horizontal).toString()));
        // The rows the figures come from, if any does: on or around the typed value, in view.
        EXPECT_EQ(tinted.isEmpty(), Texts().join("") == Box(typedIn)->text());
        if (!tinted.isEmpty()) {
            const float typed = numbers.Parse(ToU16(Box(typedIn)->text()))->single;
            EXPECT_TRUE(tinted.size() == 1 || (tinted.size() == 2 && tinted[1] == tinted[0] + 1));
            EXPECT_TRUE(value(tinted.front(), source) <= typed &&
                        typed <= value(tinted.back(), source));
            EXPECT_TRUE(grid->viewport()->rect().contains(
                grid->visualRect(cells->index(tinted.back(), 0))));
        }
    };
    expectFollowing(HV);
    for (const ConversionRow& row : ConversionRows(KESTAL_CONVERSIONS)) {
        SCOPED_TRACE(row.typed);
        Type(HV, "300");
        Type(row.source, QString::fromStdString(row.typed));
        expectFollowing(row.source);
    }

    Type(HV, "645");
    const QImage plot = table->findChild<QWidget*>("Picture1")
                            ->grab()
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    for (const Colour colour : {kCurveColour, kMarkColour}) {  // the curve and the mark drawn
        const auto* pixels = reinterpret_cast<const QRgb*>(plot.constBits());
        EXPECT_TRUE(std::find(pixels, pixels + plot.width() * plot.height(),
                              ColourOf(colour).rgb()) != pixels + plot.width() * plot.height());
    }
    // A caption, a cell and Left choose the target; the source's caption does not.
    QHeaderView* captions = grid->horizontalHeader();
    const auto clickCaption = [captions](int column) {
        QTest::mouseClick(captions->viewport(), Qt::LeftButton, {},
                          QPoint(captions->sectionViewportPosition(column) + 5, 5));
    };
    clickCaption(ColumnShowing(HRC));
    EXPECT_EQ(target(), ColumnShowing(HRC));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(cells->index(grid->rowAt(0), ColumnShowing(HRD))).center());
    clickCaption(ColumnShowing(HV));
    EXPECT_EQ(target(), ColumnShowing(HRD));
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(target(), ColumnShowing(HRC));
    expectFollowing(HV);
    EXPECT_EQ(Texts(), converted);
    EXPECT_EQ(m_form->focusWidget(), Box(HV));

    m_form->activateWindow();  // the user back in the main window
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    const QStringList entries = ChosenInMenu(HRC, kShowInTable);
    for (const EditEntry& entry : BoxEditEntries()) {
        if (entry.command <= EditCommand::Copy) {  // Undo, Cut and Copy, as Qt words them in French
            EXPECT_TRUE(entries.contains(ToQString(entry.text).remove(u'&')))
                << entries.join(", ").toStdString();
        }
    }
    EXPECT_EQ(m_form->Table(), table);
    EXPECT_TRUE(QTest::qWaitFor([&table] { return QApplication::activeWindow() == table; }));
    EXPECT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&table] { return table == nullptr; }));
    ChosenInMenu(HRC, kShowInTable);
    ASSERT_NE(m_form->Table(), nullptr);
    EXPECT_EQ(Texts(), converted);
    EXPECT_EQ(m_form->focusWidget(), Box(HV));
}

// What a screen reader hears of the table window, through QAccessible: the
// table named and described; the status line named, the run's reason as its
// description; the plot a chart named after the two scales it plots and
// described by the typed value and the figure the target's box shows, after
// every run and every choice of target, and with no figure there, by no number.
TEST_F(Windows, ScreenReadersHearTheTableWindow) {
    Type(HV, "645");
    const TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    const auto heard = [table](const char* name, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(table->findChild<QWidget*>(name))->text(text);
    };
    auto* grid = table->findChild<QTableView*>("Grid1");
    const ControlDescription& described = TableWindowDescription().Control("Grid1");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(grid)->role(), QAccessible::Table);
    EXPECT_EQ(heard("Grid1", QAccessible::Name), ToQString(described.accessibleName));
    EXPECT_EQ(heard("Grid1", QAccessible::Description), ToQString(described.accessibleDescription));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(table->findChild<QWidget*>("Picture1"))->role(),
              QAccessible::Chart);
    const QAbstractItemModel* cells = grid->model();
    const auto caption = [cells](int column) {
        return cells->headerData(column, Qt::Horizontal).toString();
    };
    const auto target = [cells] {
        int column = kTableColumns - 1;
        while (
            column > 0 &&
            !cells->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().underline()) {
            --column;
        }
        return column;
    };
    for (const auto& [source, typed] : {std::pair{HV, "645"}, {HRC, "20,3"}, {Rm, "1980"}}) {
        SCOPED_TRACE(typed);
        Type(source, typed);
        const Scale plotted = *TableColumns()[target()].scale;
        EXPECT_EQ(heard("Label1", QAccessible::Description), Box(source)->toolTip());
        const QString title = heard("Picture1", QAccessible::Name);
        EXPECT_TRUE(title.contains(caption(ColumnShowing(source))) &&
                    title.contains(caption(target())))
            << title.toStdString();
        const QString marked = heard("Picture1", QAccessible::Description);
        EXPECT_TRUE(!Box(plotted)->text().isEmpty() && marked.contains(typed + QString(' ')) &&
                    marked.contains(Box(plotted)->text()))
            << marked.toStdString();
    }
    Type(HV, "645");
    QHeaderView* captions = grid->horizontalHeader();
    QTest::mouseClick(captions->viewport(), Qt::LeftButton, {},
                      QPoint(captions->sectionViewportPosition(ColumnShowing(HB)) + 5, 5));
    ASSERT_EQ(target(), ColumnShowing(HB));
    ASSERT_TRUE(Box(HB)->text().isEmpty());
    EXPECT_TRUE(heard("Picture1", QAccessible::Name).contains(caption(ColumnShowing(HB))));
    const QString unmarked = heard("Picture1", QAccessible::Description);
    EXPECT_FALSE(unmarked.isEmpty() || unmarked.contains(QRegularExpression("[0-9]")))
        << unmarked.toStdString();
}

// A dark high-contrast palette, set while the windows are open, is followed:
// the hint and the credit line in its text colour, the plot on its base with
// the curve and the mark in its link and highlight colours and none of the
// fixed ones left, the run's rows as it shows a selection; the light palette
// back, so are the described colours.
TEST_F(Windows, TheDesktopsPaletteIsFollowed) {
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(Qt::black));
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        dark.setColor(role, Qt::black);
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, Qt::white);
    }
    dark.setColor(QPalette::Highlight, QColor(0, 255, 255));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Link, QColor(255, 255, 0));
    const auto labelColours = [this] {
        QList<QColor> colours;
        for (const ControlDescription& control : Form1Description().controls) {
            if (control.colour) {
                colours << m_form->findChild<QWidget*>(QString::fromLatin1(control.name))
                               ->palette()
                               .color(QPalette::WindowText);
            }
        }
        return colours;
    };
    const QList<QColor> described = labelColours();
    ASSERT_FALSE(described.contains(QColor(Qt::white)));
    Type(HV, "645");
    const TableWindow* table = OpenTable();
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();  // the windows hear of it by a posted event
    EXPECT_EQ(labelColours(), QList<QColor>(described.size(), QColor(Qt::white)));
    QImage plot = table->findChild<QWidget*>("Picture1")->grab().toImage();
    plot = plot.convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(plot.constBits());
    const QSet<QRgb> painted(pixels, pixels + plot.width() * plot.height());
    EXPECT_EQ(plot.pixel(0, 0), QColor(Qt::black).rgb());
    for (const QColor& colour : {dark.color(QPalette::Link), dark.color(QPalette::Highlight)}) {
        EXPECT_TRUE(painted.contains(colour.rgb())) << colour.name().toStdString();
    }
    for (const QColor& fixed : {ColourOf(kCurveColour), ColourOf(kMarkColour)}) {
        EXPECT_FALSE(painted.contains(fixed.rgb())) << fixed.name().toStdString();
    }
    const auto* grid = table->findChild<QTableView*>("Grid1");
    const QModelIndex run = grid->currentIndex();
    EXPECT_EQ(run.data(Qt::BackgroundRole).value<QBrush>().color(),
              dark.color(QPalette::Highlight));
    QApplication::setPalette(light);
    QCoreApplication::processEvents();
    EXPECT_EQ(labelColours(), described);
}

// The hint asks for the separator the boxes read: a point where the locale has one.
TEST_F(Windows, HintNamesTheLocalesSeparator) {
    const QString shown =
        Form1(NumberSymbols{u".", u"-", u"+", u"e"}).findChild<QLabel*>("Label4")->text();
    EXPECT_LT(shown.indexOf("point"), shown.indexOf("virgule"));
}

}  // namespace
}  // namespace kestal

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    kestal::SpeakFrenchInQt();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
