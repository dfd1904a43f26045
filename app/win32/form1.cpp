#include "app/win32/form1.hpp"

#include <string>

#include "app/win32/clipboard.hpp"
#include "app/win32/control_ids.hpp"

namespace kestal {

Form1::Form1(const NumberSymbols& numbers)
    : DescribedWindow(Form1Description()), m_engine(numbers) {
    // Fixed border, no maximize: the layout is in twips and does not stretch.
    Build(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, nullptr);
    const std::u16string_view hint = HintText(numbers);
    SetWindowTextW(Control("Label4"), std::wstring(hint.begin(), hint.end()).c_str());
    m_tips = std::make_unique<BoxTips>(Handle());
    for (const Scale scale : kAllScales) {
        m_boxes[ColumnOf(scale)] = std::make_unique<ScaleBox>(
            Control(BoxName(scale)), scale, [this](Scale source) { Text_KeyUp(source); });
        m_tips->Add(Control(BoxName(scale)));
    }
    m_liveStatus = std::make_unique<LiveStatus>(Handle());
    Form_Load();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    Focus(BoxName(Scale::HV));
}

std::u16string Form1::Text(Scale scale) const {
    return m_boxes[ColumnOf(scale)]->Text();
}

void Form1::SetText(Scale scale, std::u16string_view text) {
    m_boxes[ColumnOf(scale)]->SetText(text);
}

void Form1::ShowNotANumber() {
    const std::wstring message(kNotANumberMessage.begin(), kNotANumberMessage.end());
    const std::wstring title(kApplicationTitle.begin(), kApplicationTitle.end());
    MessageBoxW(Handle(), message.c_str(), title.c_str(), MB_OK);
}

void Form1::SetNotes(const BoxNotes& notes) {
    for (const Scale scale : kAllScales) {
        m_tips->Set(Control(BoxName(scale)), notes.reasons[ColumnOf(scale)]);
    }
    m_notes = notes;
    if (m_table != nullptr && m_table->IsOpen()) {
        m_table->Follow(notes);
    }
}

bool Form1::Shortcut(const MSG& message) {
    const bool showInTable = message.message == WM_KEYDOWN &&
                             message.wParam == VK_F1 + kShowInTableFunctionKey - 1 &&
                             GetAncestor(message.hwnd, GA_ROOT) == Handle();
    if (showInTable) {
        SendMessageW(Handle(), WM_COMMAND, kShowInTableCommand, 0);
    }
    return showInTable;
}

// Opened beside the main window, whose box keeps the focus; once open, brought
// forward with the focus, so that the keyboard can reach it.
void Form1::ShowInTable() {
    if (m_table != nullptr && m_table->IsOpen()) {
        m_table->Raise();
    } else {
        m_table = std::make_unique<TableWindow>(Handle(), m_engine.Numbers(), m_notes);
        Announce(TableOpenedAnnouncement());
    }
}

// What a copy puts on the clipboard: nothing from seven empty boxes, nor a
// report without a run behind it.
std::u16string Form1::Copy(int command) const {
    const std::u16string values = SevenValues(*this);
    if (values.empty() || command == kCopySevenValuesCommand) {
        return values;
    }
    return m_notes.report;
}

// The table is built in, ready before any window: loading only empties the boxes.
void Form1::Form_Load() {
    EmptyAllBoxes(*this);
}

void Form1::Text_KeyUp(Scale source) {
    AnnounceRun(source, RunKeyRelease(m_engine, source, *this));
}

void Form1::Text_Change(Scale source) {
    AnnounceRun(source, RunTextChange(m_engine, source, *this));
}

void Form1::AnnounceRun(Scale source, RunOutcome outcome) {
    const std::optional<Announcement> said = m_announcer.After(source, outcome, *this);
    if (said && m_liveStatus != nullptr) {
        m_liveStatus->Say(*said);
    }
}

void Form1::Announce(std::u16string text) {
    m_announcer.Said(text);
    if (m_liveStatus != nullptr) {
        m_liveStatus->Say({std::move(text), Pace::Now});
    }
}

void Form1::Command1_Click() {
    EmptyAllBoxes(*this);
    Announce(EmptiedAnnouncement());
}

void Form1::Command2_Click() {
    DestroyWindow(Handle());
}

void Form1::Command3_Click() {
    EnableWindow(Handle(), FALSE);
    m_help = std::make_unique<Form2>(Handle(), [this] { HelpReturning(); });
}

// Back in use before the help window goes, so that Windows activates it next.
void Form1::HelpReturning() {
    EnableWindow(Handle(), TRUE);
}

void Form1::Clicked(std::string_view command) {
    if (command == "Command1") {
        Command1_Click();
    } else if (command == "Command2") {
        Command2_Click();
    } else if (command == "Command3") {
        Command3_Click();
    }
}

// The close box ends the program as "Terminé" does.
void Form1::Closing() {
    Command2_Click();
}

LRESULT Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto command = static_cast<int>(LOWORD(wParam));
    const bool copy = command == kCopySevenValuesCommand || command == kCopyForReportCommand;
    if (message == WM_DESTROY) {
        m_liveStatus.reset();  // its live setting cleared while its static is still there
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_INITMENUPOPUP && HIWORD(lParam) == FALSE) {
        // A box's context menu: the copies usable only when they have something to give.
        for (const int entry : {kCopySevenValuesCommand, kCopyForReportCommand}) {
            EnableMenuItem(reinterpret_cast<HMENU>(wParam), static_cast<UINT>(entry),
                           MF_BYCOMMAND | (Copy(entry).empty() ? MF_GRAYED : MF_ENABLED));
        }
        return 0;
    }
    if (message == WM_COMMAND && lParam == 0 && copy) {
        const std::u16string text = Copy(command);
        if (!text.empty()) {
            PutOnClipboard(Handle(), text);
        }
        return 0;
    }
    if (message == WM_COMMAND && lParam == 0 && command == kShowInTableCommand) {
        ShowInTable();
        return 0;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        for (const Scale scale : kAllScales) {
            const ScaleBox* box = m_boxes[ColumnOf(scale)].get();
            if (box != nullptr && box->Handle() == reinterpret_cast<HWND>(lParam) &&
                box->ChangeConverts()) {
                Text_Change(scale);
            }
        }
        return 0;
    }
    if (message == WM_TIMER && m_liveStatus != nullptr && m_liveStatus->Settled(wParam)) {
        return 0;
    }
    return DescribedWindow::OnMessage(message, wParam, lParam);
}

}  // namespace kestal
