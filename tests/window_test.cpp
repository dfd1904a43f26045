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

QAccessibleInterface* Accessible(const QWidget* widget) {
    return QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget));
}

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
    // Chooses `entry` in the box's context menu (Qt's own entries by their
    // words, whatever their access letters); false if the menu does not hold
    // the standard entries, a separator and the window's three, or not `entry`.
    bool ChosenInMenu(Scale scale, std::u16string_view entry) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, {}, Box(scale)->mapToGlobal(QPoint()));
        QApplication::sendEvent(Box(scale), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QLineEdit plain;
        const std::unique_ptr<QMenu> standard(plain.createStandardContextMenu());
        if (menu == nullptr || menu->actions().size() != standard->actions().size() + 4) {
            return false;
        }
        menu->close();
        for (QAction* action : menu->actions()) {
            if (action->text().remove(u'&').section(u'\t', 0, 0) == ToQString(entry).remove(u'&')) {
                action->trigger();
                return true;
            }
        }
        return false;
    }
    // The clipboard after `entry` of the box's context menu; "-" if it copied nothing.
    QString CopiedFromMenu(Scale scale, std::u16string_view entry) {
        QGuiApplication::clipboard()->setText("-");
        return ChosenInMenu(scale, entry) ? QGuiApplication::clipboard()->text() : "no such menu";
    }
    // The last thing the main window's notification said to a screen reader.
    QString Heard() const {
        QAccessibleInterface* heard = Accessible(m_form->findChild<QWidget*>("LiveStatus"));
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
// text, font, colour and what a screen reader hears of it, its text not
// clipped, overlapping no other control; each window with its icon.
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
        EXPECT_EQ(window->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
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
            // The boxes and the status line, described without one, take their text from the runs.
            if (!control.text.empty()) {
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
            // text, never its identifier; and the described description.
            const QString name = Accessible(widget)->text(QAccessible::Name);
            EXPECT_TRUE(!name.isEmpty() && name != widget->objectName()) << name.toStdString();
            if (!control.accessibleName.empty()) {
                EXPECT_EQ(name, ToQString(control.accessibleName));
            }
            if (!control.accessibleDescription.empty()) {
                EXPECT_EQ(Accessible(widget)->text(QAccessible::Description),
                          ToQString(control.accessibleDescription));
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

// The focus starts in the first box; the tab chain runs from there through the
// boxes and buttons in the description's order and back.
TEST_F(Windows, TabOrder) {
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
}

// Each value of the shared conversions typed in its box, the last character a
// key stroke, after a run that filled every box: a number rewrites the six
// others; anything else shows one message (caption, text, no icon, OK only)
// while the box still shows what was typed, then seven empty boxes without
// tooltips, the focus where it was, and the release of the key that closed the
// message converts nothing.
TEST_F(Windows, EveryConversionThroughItsBox) {
    for (const ConversionRow& row : ConversionRows(KESTAL_CONVERSIONS)) {
        SCOPED_TRACE(row.typed);
        m_messages.clear();
        Type(HV, "300");
        Type(row.source, QString::fromStdString(row.typed));
        if (!row.Failed()) {
            EXPECT_EQ(Texts().join(u'|').toStdString(), row.boxes);
            EXPECT_TRUE(m_messages.empty());
            continue;
        }
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(
            m_messages[0].mid(0, 4),
            QStringList({ToQString(kApplicationTitle), ToQString(kNotANumberMessage),
                         QString::number(QMessageBox::NoIcon), QString::number(QMessageBox::Ok)}));
        EXPECT_EQ(m_messages[0][4 + ColumnOf(row.source)], QString::fromStdString(row.typed));
        EXPECT_EQ(Texts() + Texts(&ScaleBox::toolTip), kEmpty + kEmpty);
        EXPECT_EQ(m_form->focusWidget(), Box(row.source));
        QTest::keyRelease(Box(row.source), Qt::Key_Return);
        EXPECT_EQ(m_messages.size(), 1);
    }
}

// The boxes empty at start; a text set by the program waits for a key release
// in its box; keys that leave the text alone run the same conversion again,
// and Enter and Escape press no button (there is no default or cancel button);
// Tab, released in the box it moved to, rewrites nothing; erasing the source
// keeps the other boxes; a held key converts once, at its real release.
TEST_F(Windows, OnlyKeysTypedInABoxConvert) {
    QSignalSpy quit(Command(m_form.get(), "Command2"), &QPushButton::clicked);
    QSignalSpy help(Command(m_form.get(), "Command3"), &QPushButton::clicked);
    Box(HV)->setText("246");
    EXPECT_EQ(Texts(), QStringList({"246", "", "", "", "", "", ""}));
    QTest::keyClick(Box(HV), Qt::Key_End);
    const QStringList typed = Texts();
    EXPECT_EQ(typed[ColumnOf(Rm)], "784,0");
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_Shift, Qt::Key_Return,
                              Qt::Key_Enter, Qt::Key_Escape}) {
        Box(Rm)->setText("9999");
        QTest::keyClick(Box(HV), key);
        EXPECT_EQ(Texts(), typed) << key;
    }
    EXPECT_EQ(quit.count() + help.count(), 0);
    QTest::keyPress(Box(HV), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Box(HB));
    QTest::keyRelease(Box(HB), Qt::Key_Tab);
    EXPECT_EQ(Texts(), typed);
    Box(HV)->setFocus();
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

// Each button has an access letter; after a run each box's tooltip tells why
// it shows what it shows, its own figure first, and is what a screen reader
// hears of the box; Alt+E ("Effacer tout") empties the boxes and their
// tooltips, and says so to a screen reader; the next key converts as usual.
TEST_F(Windows, AccessLettersTooltipsAndClearAll) {
    for (const QPushButton* button : m_form->findChildren<QPushButton*>()) {
        EXPECT_FALSE(QKeySequence::mnemonic(button->text()).isEmpty())
            << button->objectName().toStdString();
    }
    QTest::keyClicks(Box(HV), "645");
    for (const Scale scale : kAllScales) {
        const QString shown = Box(scale)->text();
        const QString reason = Box(scale)->toolTip();
        EXPECT_TRUE(shown.isEmpty() ? !reason.isEmpty() : reason.startsWith(shown + u' '))
            << reason.toStdString();
        EXPECT_EQ(Box(scale)->accessibleDescription(), reason);
    }
    QSignalSpy clicked(Command(m_form.get(), "Command1"), &QPushButton::clicked);
    QTest::keyClick(m_form.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(clicked.count() == 1 || clicked.wait());  // an access key animates its click
    EXPECT_EQ(Texts() + Texts(&ScaleBox::toolTip), kEmpty + kEmpty);
    EXPECT_EQ(Heard(), ToQString(EmptiedAnnouncement()));
    QTest::keyClicks(Box(HRC), "20,3");
    EXPECT_FALSE(Box(HV)->text().isEmpty());
}

// "Aide" by each way back: the help window opens with the focus on its button,
// which Enter and Escape do not press; the main window takes no input (clicks,
// typing, its access letters, its close box) while it is up, then is back in
// use with its texts unchanged and the help window gone.
TEST_F(Windows, HelpPutsTheMainWindowOutOfUseUntilReturn) {
    QTest::keyClicks(Box(HV), "200");
    const QStringList converted = Texts();
    for (const char* way : {"Retour", "Alt+R", "close box"}) {
        SCOPED_TRACE(way);
        const QPointer<Form2> help = OpenHelp();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(QApplication::focusWidget(), Command(help, "Command1"));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(Command(help, "Command1"), key);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(help != nullptr && help->isVisible());
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
        EXPECT_TRUE(QTest::qWaitFor([&help] { return help == nullptr; }));
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

// Both copies from any box's context menu, the seven values from Ctrl+Shift+C
// too: the scales and the boxes' texts in their order, and the report of the
// last run, which opens with the typed value; with every box empty none copies.
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
    const QString values = CopiedFromMenu(Rm, kCopySevenValues);
    EXPECT_EQ(values, "HV\tHB\tHRA\tHRB\tHRC\tHRD\tRm\n" + Texts().join(u'\t') + u'\n');
    EXPECT_EQ(shortcut(), values);
    const QString report = CopiedFromMenu(HB, kCopyForReport);
    EXPECT_TRUE(report.startsWith(Box(HV)->text() + u' ')) << report.toStdString();
}

// The menu's Coller, Couper and Supprimer, the menu opened with the menu key,
// change the text with no key to release: the six other boxes follow at once,
// as at a key release (the figures, or the message for a non-number), and with
// the text gone they are emptied too.
TEST_F(Windows, MenuEditsConvertAtOnce) {
    Type(HV, "200");
    const QStringList typed200 = Texts();
    const auto entry = [](EditCommand command) {
        return std::ranges::find(BoxEditEntries(), command, &EditEntry::command)->text;
    };
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
        ASSERT_TRUE(ChosenInMenu(HV, entry(command)));
        EXPECT_EQ(Texts(), boxes);
        EXPECT_EQ(m_messages.size(), messages);
    }
}

// The table window, from F8 and the menu: it opens on the last run without
// taking the focus from the box and follows every run: the rows the typed
// value lies on or between tinted and in view, the source's caption tinted,
// the status the source box's reason, also as its description; the plot a
// chart named after its two scales and described by the typed value and the
// target's figure, or with none there by no number. A click on a caption or a
// cell and Left choose the target; asked again it comes to the front; Escape
// closes it; the boxes never change through it.
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
    const auto* plot = table->findChild<QWidget*>("Picture1");
    EXPECT_EQ(Accessible(grid)->role(), QAccessible::Table);
    EXPECT_EQ(Accessible(plot)->role(), QAccessible::Chart);
    QAbstractItemModel* cells = grid->model();
    for (int column = 0; column < kTableColumns; ++column) {
        EXPECT_EQ(grid->columnWidth(column), Pixels(TableColumns()[column].width));
    }
    const auto caption = [cells](int column) {
        return cells->headerData(column, Qt::Horizontal).toString();
    };
    // The caption tinted (the source) or coloured and underlined (the target).
    const auto marked = [cells](int role) {
        int column = kTableColumns - 1;
        while (column >= 0 && !cells->headerData(column, Qt::Horizontal, role).isValid()) {
            --column;
        }
        return column;
    };
    const auto target = [&] {
        const int column = marked(Qt::ForegroundRole);
        const auto font = cells->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>();
        return font.underline() ? column : -1;
    };
    const NumberText numbers(kFrench);
    const auto value = [&](int row, int column) {
        return numbers.Parse(ToU16(cells->index(row, column).data().toString()))->single;
    };
    const auto expectFollowing = [&](Scale typedIn) {
        QList<int> tinted;
        for (int row = 0; row < cells->rowCount(); ++row) {
            cells->index(row, 0).data(Qt::BackgroundRole).isValid() ? void(tinted << row) : void();
        }
        const QString reason = Box(typedIn)->toolTip();
        const QString status = table->findChild<QLabel*>("Label1")->text();
        EXPECT_EQ(status, reason.isEmpty() ? ToQString(TableIdentity()) : reason);
        EXPECT_EQ(Accessible(table->findChild<QLabel*>("Label1"))->text(QAccessible::Description),
                  status);
        if (reason.isEmpty()) {  // after the message
            EXPECT_TRUE(tinted.isEmpty() && marked(Qt::BackgroundRole) < 0);
            return;
        }
        const int source = ColumnShowing(typedIn);
        EXPECT_EQ(marked(Qt::BackgroundRole), source);
        ASSERT_GE(target(), 0);
        const QString title = Accessible(plot)->text(QAccessible::Name);
        EXPECT_TRUE(title.contains(caption(source)) && title.contains(caption(target())))
            << title.toStdString();
        const QString figure = Box(*TableColumns()[target()].scale)->text();
        const QString described = Accessible(plot)->text(QAccessible::Description);
        const float typed = numbers.Parse(ToU16(Box(typedIn)->text()))->single;
        EXPECT_TRUE(figure.isEmpty()
                        ? !described.contains(QRegularExpression("[0-9]"))
                        : described.contains(figure) &&
                              described.contains(ToQString(numbers.FormatAsTable(typed))))
            << described.toStdString();
        // The rows the figures come from, if any does: on or around the typed value, in view.
        EXPECT_EQ(tinted.isEmpty(), Texts().join("") == Box(typedIn)->text());
        if (!tinted.isEmpty()) {
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

    // A caption, a cell and Left choose the target.
    Type(HV, "645");
    QHeaderView* captions = grid->horizontalHeader();
    const auto clickCaption = [captions](int column) {
        QTest::mouseClick(captions->viewport(), Qt::LeftButton, {},
                          QPoint(captions->sectionViewportPosition(column) + 5, 5));
    };
    clickCaption(ColumnShowing(HRC));
    EXPECT_EQ(target(), ColumnShowing(HRC));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(cells->index(grid->rowAt(0), ColumnShowing(HRD))).center());
    EXPECT_EQ(target(), ColumnShowing(HRD));
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(target(), ColumnShowing(HRC));
    expectFollowing(HV);
    clickCaption(ColumnShowing(HB));  // no figure there
    ASSERT_EQ(target(), ColumnShowing(HB));
    expectFollowing(HV);
    EXPECT_EQ(Texts(), converted);
    EXPECT_EQ(m_form->focusWidget(), Box(HV));

    m_form->activateWindow();  // the user back in the main window
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    ASSERT_TRUE(ChosenInMenu(HRC, kShowInTable));
    EXPECT_EQ(m_form->Table(), table);
    EXPECT_TRUE(QTest::qWaitFor([&table] { return QApplication::activeWindow() == table; }));
    EXPECT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&table] { return table == nullptr; }));
    ASSERT_TRUE(ChosenInMenu(HRC, kShowInTable));
    ASSERT_NE(m_form->Table(), nullptr);
    EXPECT_EQ(Texts(), converted);
    EXPECT_EQ(m_form->focusWidget(), Box(HV));
}

// The plot drawn with the described curve and mark colours; then a dark
// high-contrast palette, set while the windows are open, is followed: every
// label, the hint and the credit line too, in its text colour, the plot on its
// base with the curve and the mark in its link and highlight colours and none
// of the fixed ones left, the run's rows as it shows a selection; the light
// palette back, so are the described colours.
TEST_F(Windows, TheDesktopsPaletteIsFollowed) {
    const QPalette light = QApplication::palette();
    QPalette dark(Qt::white, Qt::black, Qt::gray, Qt::darkGray, Qt::gray, Qt::white, Qt::white,
                  Qt::black, Qt::black);
    dark.setColor(QPalette::Highlight, QColor(0, 255, 255));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Link, QColor(255, 255, 0));
    const auto labelColours = [this] {
        QList<QColor> colours;
        for (const QLabel* label : m_form->findChildren<QLabel*>()) {
            colours << label->palette().color(QPalette::WindowText);
        }
        return colours;
    };
    const QList<QColor> described = labelColours();
    ASSERT_FALSE(described.contains(QColor(Qt::white)));
    Type(HV, "645");
    const TableWindow* table = OpenTable();
    const auto painted = [table] {
        const QImage plot = table->findChild<QWidget*>("Picture1")
                                ->grab()
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(plot.constBits());
        return QList<QRgb>(pixels, pixels + plot.width() * plot.height());
    };
    const QList<QColor> fixed{ColourOf(kCurveColour), ColourOf(kMarkColour)};
    for (const QColor& colour : fixed) {
        EXPECT_TRUE(painted().contains(colour.rgb())) << colour.name().toStdString();
    }
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();  // the windows hear of it by a posted event
    EXPECT_EQ(labelColours(), QList<QColor>(described.size(), QColor(Qt::white)));
    const QList<QRgb> plot = painted();
    EXPECT_EQ(plot.front(), QColor(Qt::black).rgb());
    for (const QColor& colour : {dark.color(QPalette::Link), dark.color(QPalette::Highlight)}) {
        EXPECT_TRUE(plot.contains(colour.rgb())) << colour.name().toStdString();
    }
    for (const QColor& colour : fixed) {
        EXPECT_FALSE(plot.contains(colour.rgb())) << colour.name().toStdString();
    }
    const QModelIndex run = table->findChild<QTableView*>("Grid1")->currentIndex();
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
