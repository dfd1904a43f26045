#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "app/win32/box_tips.hpp"
#include "app/win32/described_window.hpp"
#include "app/win32/form2.hpp"
#include "app/win32/live_status.hpp"
#include "app/win32/scale_box.hpp"
#include "app/win32/table_window.hpp"
#include "app/window/announcements.hpp"
#include "app/window/key_release_run.hpp"
#include "conversion/conversion_engine.hpp"

namespace kestal {

// The main window: seven scale boxes converting at their key releases and at
// the changes the user makes with no key (a paste from a box's menu), with
// their reasons as tooltips, the two copies and the table window, and
// "Effacer tout", "Terminé" and "Aide"; each run's result said once to
// screen readers.
class Form1 final : public DescribedWindow, public ScaleBoxes {
public:
    explicit Form1(const NumberSymbols& numbers);

    std::u16string Text(Scale scale) const override;
    void SetText(Scale scale, std::u16string_view text) override;
    void ShowNotANumber() override;
    void SetNotes(const BoxNotes& notes) override;

    // F8 from any of the window's controls: true if `message` was that key,
    // which then goes no further.
    bool Shortcut(const MSG& message);

private:
    void Form_Load();
    void Text_KeyUp(Scale source);
    void Text_Change(Scale source);
    // What a screen reader is told after a run, and at once of anything else.
    void AnnounceRun(Scale source, RunOutcome outcome);
    void Announce(std::u16string text);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void HelpReturning();
    void ShowInTable();
    std::u16string Copy(int command) const;

    void Clicked(std::string_view command) override;
    void Closing() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ConversionEngine m_engine;
    std::array<std::unique_ptr<ScaleBox>, kScaleCount> m_boxes;
    std::unique_ptr<BoxTips> m_tips;
    BoxNotes m_notes;  // of the last run, which a table window opened later starts from
    std::unique_ptr<Form2> m_help;
    std::unique_ptr<TableWindow> m_table;
    Announcer m_announcer;
    std::unique_ptr<LiveStatus> m_liveStatus;
};

}  // namespace kestal
