#include "app/web/web_page.hpp"

#include "app/lab/validation_record.hpp"
#include "app/source_revision.hpp"
#include "app/web/json_text.hpp"
#include "app/web/page_mailbox.hpp"
#include "app/web/table_window_json.hpp"
#include "app/window/announcements.hpp"
#include "conversion/version.hpp"

// What the page's script gives the module.
extern "C" {
// Writes the text of the box of `scale` into the inbox.
[[clang::import_module("page"), clang::import_name("box_text")]] void PageBoxText(int scale);
[[clang::import_module("page"), clang::import_name("set_box_text")]] void PageSetBoxText(
    int scale, const char16_t* text, int length);
[[clang::import_module("page"), clang::import_name("show_not_a_number")]] void PageShowNotANumber();
// {"reasons": the seven boxes' reasons, HV to Rm, "report": the report}
[[clang::import_module("page"), clang::import_name("set_notes")]] void PageSetNotes(
    const char16_t* json, int length);
// The open table window's new view (RunViewJson).
[[clang::import_module("page"), clang::import_name("table_view")]] void PageTableView(
    const char16_t* json, int length);
// Something for the live region to say once the typing has paused for
// `settleMs`, or at once for 0.
[[clang::import_module("page"), clang::import_name("announce")]] void PageAnnounce(
    const char16_t* text, int length, int settleMs);
}

namespace kestal {

void WebPage::Announce(const std::u16string& text, Pace pace) {
    m_announcer.Said(text);
    PageAnnounce(text.data(), static_cast<int>(text.size()),
                 pace == Pace::Settled ? kSettleMilliseconds : 0);
}

std::u16string WebPage::Text(Scale scale) const {
    PageBoxText(ColumnOf(scale));
    return Inbox();
}

void WebPage::SetText(Scale scale, std::u16string_view text) {
    PageSetBoxText(ColumnOf(scale), text.data(), static_cast<int>(text.size()));
}

void WebPage::ShowNotANumber() {
    PageShowNotANumber();
}

void WebPage::SetNotes(const BoxNotes& notes) {
    JsonText json;
    json.Open(u'{').Key(u"reasons").Open(u'[');
    for (const std::u16string& reason : notes.reasons) {
        json.String(reason);
    }
    json.Close(u']').Key(u"report").String(notes.report).Close(u'}');
    PageSetNotes(json.Text().data(), static_cast<int>(json.Text().size()));
    m_notes = notes;
    if (m_table) {
        m_table->Follow(notes);
        const std::u16string view = RunViewJson(m_table->View());
        PageTableView(view.data(), static_cast<int>(view.size()));
    }
}

const TableWindowModel& WebPage::OpenTable(Reach reach) {
    if (!m_table) {
        m_table.emplace(m_engine.Numbers());
        m_table->Follow(m_notes);
        Announce(TableOpenedAnnouncement(reach), Pace::Now);
    }
    return *m_table;
}

void WebPage::TargetChosen() {
    if (m_table) {
        Announce(m_table->View().plot.title, Pace::Now);
    }
}

std::u16string WebPage::ValidationRecord(std::u16string when, std::u16string system,
                                         std::u16string_view browser,
                                         std::u16string numbers) const {
    RecordContext context;
    context.program = u"Kestal " + std::u16string(kVersion.begin(), kVersion.end()) + u", page web";
    context.revision.assign(kSourceRevision.begin(), kSourceRevision.end());
    context.system = std::move(system);
    context.numbers = std::move(numbers);
    context.when = std::move(when);
    context.producedBy = u"la page web de Kestal, dans " + std::u16string(browser);
    // The page has no batch rows, and its conventions come from the browser.
    const ConversionTable& table = ConversionTable::BuiltIn();
    const ValidationChecks checks = RunValidationChecks({.table = table,
                                                         .numbers = m_engine.Numbers().Symbols(),
                                                         .defaultNumbers = false,
                                                         .typing = TypingOver(table),
                                                         .numbersNamed = {}});
    return RecordHtml(checks, context, m_engine.Numbers());
}

// The table is built in, ready before any window: loading only empties the boxes.
void WebPage::Form_Load() {
    EmptyAllBoxes(*this);
}

void WebPage::Command1_Click() {
    EmptyAllBoxes(*this);
    Announce(EmptiedAnnouncement(), Pace::Now);
}

void WebPage::KeyDown(Scale box, int key) {
    m_strokes[ColumnOf(box)].Pressed(key);
}

void WebPage::UnidentifiedKeyDown(Scale box) {
    m_strokes[ColumnOf(box)].PressedUnidentified();
}

// A browser sends a held key's repeats as presses only: every release is real.
void WebPage::KeyUp(Scale box, int key) {
    if (m_strokes[ColumnOf(box)].Released(key, false)) {
        Text_KeyUp(box);
    }
}

void WebPage::TextChanged(Scale box) {
    if (m_strokes[ColumnOf(box)].Changed()) {
        Said(box, RunTextChange(m_engine, box, *this));
    }
}

void WebPage::FocusLeft(Scale box) {
    m_strokes[ColumnOf(box)].FocusLeft();
}

void WebPage::Text_KeyUp(Scale source) {
    Said(source, RunKeyRelease(m_engine, source, *this));
}

// The failure is said once its message is closed, since the page holds what
// follows it.
void WebPage::Said(Scale source, RunOutcome outcome) {
    if (const std::optional<Announcement> said = m_announcer.After(source, outcome, *this)) {
        Announce(said->text, said->pace);
    }
}

}  // namespace kestal
