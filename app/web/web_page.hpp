#pragma once

// The browser front end's C++ half: the page's main window as the shared
// behaviour sees it. The page's script creates the elements from
// PageDescription and hands every key and change in a scale box to one
// WebPage, which runs the shared key-stroke rule and key-release run and
// writes back through the functions the script gives the module (module
// "page"). Texts cross as UTF-16 in the module's memory (page_mailbox.hpp).
// The table window's model lives here too, so that the page only draws it,
// and so does what the page's live region says (announcements.hpp).

#include <array>
#include <optional>

#include "app/table/table_window_model.hpp"
#include "app/window/announcements.hpp"
#include "app/window/key_release_run.hpp"
#include "app/window/key_strokes.hpp"
#include "conversion/conversion_engine.hpp"

namespace kestal {

class WebPage final : public ScaleBoxes {
public:
    explicit WebPage(const NumberSymbols& numbers) : m_engine(numbers) {}

    std::u16string Text(Scale scale) const override;
    void SetText(Scale scale, std::u16string_view text) override;
    // The page opens its message and holds the writes that follow until the
    // user has closed it: a browser has no modal loop to wait in.
    void ShowNotANumber() override;
    void SetNotes(const BoxNotes& notes) override;

    void Form_Load();
    void Command1_Click();
    // A box's keys and changes, as the page receives them.
    void KeyDown(Scale box, int key);
    void UnidentifiedKeyDown(Scale box);
    void KeyUp(Scale box, int key);
    void TextChanged(Scale box);
    void FocusLeft(Scale box);

    // The table window's model, made when the window opens, from the notes of
    // the last run; while it is open every run and emptying of the boxes
    // hands the page its new view.
    const TableWindowModel& OpenTable(Reach reach);
    void CloseTable() { m_table.reset(); }
    // The open window's model, none while it is closed.
    TableWindowModel* Table() { return m_table ? &*m_table : nullptr; }
    // The user chose the plot's target in the open window: a screen reader
    // hears what the plot now shows.
    void TargetChosen();

    // The validation record, as one page, of checks run through a window of
    // the module's own with the page's number conventions; the page tells when,
    // on which system, in which browser and under which language.
    std::u16string ValidationRecord(std::u16string when, std::u16string system,
                                    std::u16string_view browser, std::u16string numbers) const;

private:
    // Something for the live region to say, at once or once the typing has
    // paused.
    void Announce(const std::u16string& text, Pace pace);
    void Text_KeyUp(Scale source);
    // What the live region says after a run or a change that ended `outcome`.
    void Said(Scale source, RunOutcome outcome);

    ConversionEngine m_engine;
    std::array<KeyStrokes, kScaleCount> m_strokes;
    BoxNotes m_notes;
    Announcer m_announcer;
    std::optional<TableWindowModel> m_table;
};

}  // namespace kestal
