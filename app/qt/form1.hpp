#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

#include "app/window/announcements.hpp"
#include "app/window/key_release_run.hpp"
#include "conversion/conversion_engine.hpp"
#include "conversion/scale.hpp"

class QAction;

namespace kestal {

class Form2;
class LiveStatus;
class ScaleBox;
class TableWindow;

// The main window: one box per scale, each converting into the six others at
// every key release in it and at every change the user makes with no key (a
// paste from its menu), each telling in its tooltip why it shows what it
// shows; three commands (clear all, quit, help); two copies of the results
// from every box's context menu, the first also on Ctrl+Shift+C; from the same
// menu and F8, the table window, which follows every run; and, for screen
// readers, each run's result said once.
class Form1 : public QWidget, private ScaleBoxes {
    Q_OBJECT

public:
    explicit Form1(const NumberSymbols& numbers);
    ~Form1() override;

    ScaleBox* Box(Scale scale) const { return m_boxes[ColumnOf(scale)]; }
    Form2* HelpWindow() const;
    TableWindow* Table() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::u16string Text(Scale scale) const override;
    void SetText(Scale scale, std::u16string_view text) override;
    void ShowNotANumber() override;
    void SetNotes(const BoxNotes& notes) override;
    void RefreshCopies();
    void ShowInTable();
    // What a screen reader is told after a run, and at once of anything else.
    void AnnounceRun(Scale source, RunOutcome outcome);
    void Announce(std::u16string text);

    void Form_Load();
    void Text_KeyUp(Scale source);
    void Text_Change(Scale source);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void HelpReturning();

    ConversionEngine m_engine;
    std::array<ScaleBox*, kScaleCount> m_boxes{};
    QPointer<Form2> m_help;
    QPointer<TableWindow> m_table;
    QAction* m_copyValues;
    QAction* m_copyReport;
    QAction* m_showInTable;
    BoxNotes m_notes;  // of the last run: its report, and where a table window opened later starts
    QString m_hint;
    Announcer m_announcer;
    LiveStatus* m_liveStatus;
};

}  // namespace kestal
