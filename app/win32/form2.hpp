#pragma once

#include <functional>
#include <string_view>

#include "app/win32/described_window.hpp"

namespace kestal {

// The help window, owned by the main window so that it stays above it. Its
// window is destroyed at "Retour" or at its close box, after `returning` has
// brought the main window back into use.
class Form2 final : public DescribedWindow {
public:
    Form2(HWND mainWindow, std::function<void()> returning);

private:
    void Command1_Click();
    void Clicked(std::string_view command) override;
    void Closing() override;

    std::function<void()> m_returning;
};

}  // namespace kestal
