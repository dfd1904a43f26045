#include "app/win32/form1.hpp"

#include <string>

namespace kestal {

Form1::Form1(const NumberSymbols& numbers)
    : DescribedWindow(Form1Description()), m_engine(numbers) {
    // Fixed border, no maximize: the layout is in twips and does not stretch.
    Build(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, nullptr);
    for (const Scale scale : kAllScales) {
        m_boxes[ColumnOf(scale)] = std::make_unique<ScaleBox>(
            Control(BoxName(scale)), scale, [this](Scale source) { Text_KeyUp(source); });
    }
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

// The table is built in, ready before any window: loading only empties the boxes.
void Form1::Form_Load() {
    EmptyAllBoxes(*this);
}

void Form1::Text_KeyUp(Scale source) {
    RunKeyRelease(m_engine, source, *this);
}

void Form1::Command1_Click() {
    EmptyAllBoxes(*this);
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
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DescribedWindow::OnMessage(message, wParam, lParam);
}

}  // namespace kestal
