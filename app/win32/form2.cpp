#include "app/win32/form2.hpp"

#include <utility>

namespace kestal {

Form2::Form2(HWND mainWindow, std::function<void()> returning)
    : DescribedWindow(Form2Description()), m_returning(std::move(returning)) {
    // A fixed dialog border, with a close box and neither minimize nor maximize.
    Build(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, mainWindow);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    Focus("Command1");
}

void Form2::Command1_Click() {
    m_returning();
    DestroyWindow(Handle());
}

void Form2::Clicked(std::string_view command) {
    if (command == "Command1") {
        Command1_Click();
    }
}

void Form2::Closing() {
    Command1_Click();
}

}  // namespace kestal
