#include "app/qt/form1.hpp"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt/described_window.hpp"
#include "app/qt/form2.hpp"
#include "app/qt/live_status.hpp"
#include "app/qt/qt_text.hpp"
#include "app/qt/scale_box.hpp"
#include "app/qt/table_window.hpp"
#include "app/window/window_description.hpp"

namespace kestal {

Form1::Form1(const NumberSymbols& numbers)
    : m_engine(numbers),
      m_copyValues(new QAction(ToQString(kCopySevenValues), this)),
      m_copyReport(new QAction(ToQString(kCopyForReport), this)),
      m_showInTable(new QAction(ToQString(kShowInTable), this)),
      m_liveStatus(new LiveStatus(this)) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    const WindowDescription& description = Form1Description();
    const QList<QWidget*> controls = BuildWindow(*this, description);
    m_hint = ToQString(HintText(numbers));
    findChild<QLabel*>(QStringLiteral("Label4"))->setText(m_hint);
    m_copyValues->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_copyValues->setShortcutContext(Qt::WindowShortcut);
    addAction(m_copyValues);
    connect(m_copyValues, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(ToQString(SevenValues(*this))); });
    connect(m_copyReport, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(ToQString(m_notes.report)); });
    m_showInTable->setShortcut(QKeySequence(Qt::Key_F1 + kShowInTableFunctionKey - 1));
    m_showInTable->setShortcutContext(Qt::WindowShortcut);
    addAction(m_showInTable);
    connect(m_showInTable, &QAction::triggered, this, &Form1::ShowInTable);
    for (qsizetype k = 0; k < controls.size(); ++k) {
        const ControlDescription& control = description.controls[static_cast<std::size_t>(k)];
        if (auto* box = qobject_cast<ScaleBox*>(controls[k])) {
            const Scale scale = *control.scale;
            m_boxes[ColumnOf(scale)] = box;
            // Created with their own names as text, which the load empties.
            box->setText(box->objectName());
            // Screen readers relate the caption to the box it names.
            findChild<QLabel*>(QString::fromLatin1(CaptionName(scale)))->setBuddy(box);
            connect(box, &ScaleBox::KeyUp, this, [this, scale] { Text_KeyUp(scale); });
            connect(box, &ScaleBox::Changed, this, [this, scale] { Text_Change(scale); });
            connect(box, &ScaleBox::textChanged, this, &Form1::RefreshCopies);
            box->SetMenuActions({m_copyValues, m_copyReport, m_showInTable});
        }
    }
    const auto command = [this](const char* name) {
        return findChild<QPushButton*>(QString::fromLatin1(name));
    };
    connect(command("Command1"), &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(command("Command2"), &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(command("Command3"), &QPushButton::clicked, this, &Form1::Command3_Click);
    Form_Load();
    m_boxes.front()->setFocus();
}

Form1::~Form1() {
    delete m_help;
    delete m_table;
}

Form2* Form1::HelpWindow() const {
    return m_help;
}

TableWindow* Form1::Table() const {
    return m_table;
}

std::u16string Form1::Text(Scale scale) const {
    return ToU16(Box(scale)->text());
}

void Form1::SetText(Scale scale, std::u16string_view text) {
    Box(scale)->setText(ToQString(text));
}

void Form1::ShowNotANumber() {
    QMessageBox message(QMessageBox::NoIcon, ToQString(kApplicationTitle),
                        ToQString(kNotANumberMessage), QMessageBox::Ok, this);
    message.setObjectName(QStringLiteral("NotANumberMessage"));
    message.setWindowModality(Qt::ApplicationModal);
    message.exec();
}

void Form1::SetNotes(const BoxNotes& notes) {
    for (const Scale scale : kAllScales) {
        const QString reason = ToQString(notes.reasons[ColumnOf(scale)]);
        Box(scale)->setToolTip(reason);
        // What a screen reader says of a box besides its scale: its reason once
        // it has one, before that whether to type a comma or a point.
        Box(scale)->setAccessibleDescription(reason.isEmpty() ? m_hint : reason);
    }
    m_notes = notes;
    RefreshCopies();
    if (m_table) {
        m_table->Follow(m_notes);
    }
}

// Nothing to copy from seven empty boxes, nor a report without a run behind it.
void Form1::RefreshCopies() {
    const bool anyShown = !SevenValues(*this).empty();
    m_copyValues->setEnabled(anyShown);
    m_copyReport->setEnabled(anyShown && !m_notes.report.empty());
}

// The table is built in, ready before any window: loading only empties the boxes.
void Form1::Form_Load() {
    EmptyAllBoxes(*this);
}

// One table window at most: asked for again, it comes to the front with the
// keyboard, the way into it without a mouse.
void Form1::ShowInTable() {
    if (m_table) {
        m_table->setWindowState(m_table->windowState() & ~Qt::WindowMinimized);
        m_table->raise();
        m_table->activateWindow();
        return;
    }
    m_table = new TableWindow(m_engine.Numbers());
    m_table->Follow(m_notes);
    m_table->ShowBeside(*this);
    Announce(TableOpenedAnnouncement());
}

void Form1::Text_KeyUp(Scale source) {
    AnnounceRun(source, RunKeyRelease(m_engine, source, *this));
}

void Form1::Text_Change(Scale source) {
    AnnounceRun(source, RunTextChange(m_engine, source, *this));
}

void Form1::AnnounceRun(Scale source, RunOutcome outcome) {
    if (const std::optional<Announcement> said = m_announcer.After(source, outcome, *this)) {
        m_liveStatus->Say(*said);
    }
}

void Form1::Announce(std::u16string text) {
    m_announcer.Said(text);
    m_liveStatus->Say({std::move(text), Pace::Now});
}

void Form1::Command1_Click() {
    EmptyAllBoxes(*this);
    Announce(EmptiedAnnouncement());
}

void Form1::Command2_Click() {
    QCoreApplication::quit();
}

void Form1::Command3_Click() {
    setEnabled(false);
    m_help = new Form2();
    connect(m_help, &Form2::Returning, this, &Form1::HelpReturning);
    m_help->ShowBeside(this);
}

void Form1::HelpReturning() {
    setEnabled(true);
    activateWindow();
}

void Form1::closeEvent(QCloseEvent* event) {
    // Out of use while the help window is open, the title bar's close included.
    if (m_help) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

}  // namespace kestal
