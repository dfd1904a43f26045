#include "app/win32/table_window.hpp"

#include <windowsx.h>

#include <string>

#include "app/win32/look.hpp"
#include "app/win32/plot_painting.hpp"

namespace kestal {

namespace {

// Posted when the user moved the selection: the list view has finished with
// it by the time it arrives.
constexpr UINT kSelectRunAgain = WM_APP;

// How far the main window's client area stands from where its design puts it.
POINT MovedFromDesign(HWND mainWindow) {
    POINT origin{0, 0};
    ClientToScreen(mainWindow, &origin);
    const WindowDescription& main = Form1Description();
    return {origin.x - Pixels(main.designLeft), origin.y - Pixels(main.designTop)};
}

void SetText(HWND control, std::u16string_view text) {
    SetWindowTextW(control, std::wstring(text.begin(), text.end()).c_str());
}

}  // namespace

TableWindow::TableWindow(HWND mainWindow, const NumberText& numbers, const BoxNotes& notes)
    : DescribedWindow(TableWindowDescription()), m_model(numbers) {
    // A fixed dialog border with a close box, as the help window has.
    Build(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, mainWindow,
          MovedFromDesign(mainWindow));
    m_grid = std::make_unique<TableGrid>(Control("Grid1"), m_model.Rows());
    Follow(notes);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TableWindow::Follow(const BoxNotes& notes) {
    m_model.Follow(notes);
    Show(true);
}

void TableWindow::Raise() {
    SetForegroundWindow(Handle());
}

void TableWindow::Show(bool scroll) {
    const TableRunView& view = m_model.View();
    m_grid->Show(view, scroll);
    SetText(Control("Label1"), view.status);
    // Its window text is the plot's name, which screen readers read.
    SetText(Control("Picture1"), view.plot.title);
    InvalidateRect(Control("Picture1"), nullptr, FALSE);
}

void TableWindow::Choose(int column) {
    m_model.Choose(column);
    Show(false);
}

LRESULT TableWindow::Notified(NMHDR& header) {
    switch (header.code) {
        case NM_CUSTOMDRAW:
            return m_grid->CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header), Colours());
        case LVN_COLUMNCLICK:
            Choose(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
            return 0;
        case NM_CLICK:
            Choose(reinterpret_cast<NMITEMACTIVATE&>(header).iSubItem);
            return 0;
        case LVN_KEYDOWN: {
            const WORD key = reinterpret_cast<NMLVKEYDOWN&>(header).wVKey;
            if (key == VK_LEFT || key == VK_RIGHT) {
                m_model.ChooseNext(key == VK_LEFT ? -1 : 1);
                Show(false);
            }
            return 0;
        }
        case LVN_ITEMCHANGED:
            // The highlight is the run's rows: a click or an arrow key moves
            // the keyboard through the table, not the highlight.
            if (m_grid->ChangedByUser(reinterpret_cast<NMLISTVIEW&>(header)) && !m_reselecting) {
                m_reselecting = PostMessageW(Handle(), kSelectRunAgain, 0, 0) != 0;
            }
            return 0;
        default:
            return 0;
    }
}

void TableWindow::Clicked(std::string_view command) {
    static_cast<void>(command);  // the window has no button
}

void TableWindow::Closing() {
    DestroyWindow(Handle());
}

LRESULT TableWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY: {
            // The grid notifies as soon as it is filled, before it is kept.
            auto& header = *reinterpret_cast<NMHDR*>(lParam);
            if (m_grid != nullptr && header.hwndFrom == Control("Grid1")) {
                return Notified(header);
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.hwndItem == Control("Picture1")) {
                PaintPlot(item.hDC, item.rcItem, m_model.View().plot, GetWindowFont(item.hwndItem),
                          Colours());
                return TRUE;
            }
            break;
        }
        case kSelectRunAgain:
            m_reselecting = false;
            m_grid->SelectRun();
            return 0;
        case WM_COMMAND:
            // Escape, which the dialog manager sends as IDCANCEL.
            if (LOWORD(wParam) == IDCANCEL) {
                Closing();
                return 0;
            }
            break;
        default:
            break;
    }
    return DescribedWindow::OnMessage(message, wParam, lParam);
}

}  // namespace kestal
