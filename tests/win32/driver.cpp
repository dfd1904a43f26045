// Drives the real kestal.exe from outside, as a user would: key strokes into
// the boxes' own window procedures, texts read back from the controls, which
// it finds by the identifiers their description gives them.
//   driver.exe test kestal.exe conversions.txt
//                                    the checks below; exit status 1 on a failure
//   driver.exe pose kestal.exe TEXT  types TEXT in HV, prints the main window's
//                                    rectangle and leaves the program running
//   driver.exe installed kestal.exe  the start-up, a conversion and Terminé only,
//                                    for a copy the installer put in place

// commctrl.h and oleacc.h need windows.h before them.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/table/table_window_model.hpp"
#include "app/win32/colours.hpp"
#include "app/win32/control_ids.hpp"
#include "app/win32/look.hpp"
#include "app/win32/plot_painting.hpp"
#include "app/window/announcements.hpp"
#include "app/window/window_description.hpp"
#include "tests/conversion_rows.hpp"

namespace kestal {
namespace {

using Texts = std::array<std::u16string, kScaleCount>;
int g_failures = 0;
const NumberSymbols kComma{u",", u"-", u"+", u"E"};  // the prefix's French settings

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
    g_failures += ok ? 0 : 1;
}

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

// Takes the clipboard's text, emptying it.
std::u16string TakeClipboard() {
    std::u16string text;
    if (OpenClipboard(nullptr)) {
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        if (const auto* locked = data ? static_cast<const char16_t*>(GlobalLock(data)) : nullptr) {
            text = locked;
            GlobalUnlock(data);
            EmptyClipboard();
        }
        CloseClipboard();
    }
    return text;
}

void PutOnClipboard(std::u16string_view text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    auto* copy = static_cast<char16_t*>(GlobalLock(data));
    *std::copy(text.begin(), text.end(), copy) = u'\0';
    GlobalUnlock(data);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
    }
}

// The shared texts' lines as Windows text ends them.
std::u16string Crlf(std::u16string text) {
    for (std::size_t at = 0; (at = text.find(u'\n', at)) != text.npos; at += 2) {
        text.insert(at, 1, u'\r');
    }
    return text;
}

// Polls every 20 ms for at most `ms`, taking the driver's own messages (the
// program's accessibility events among them) meanwhile.
template <typename Done>
bool WaitFor(Done done, int ms = 5000) {
    for (int waited = 0; waited < ms; waited += 20, Sleep(20)) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        if (done()) {
            return true;  // asked once: a check may take what it found
        }
    }
    return false;
}

// Never blocks for long: while its message is up, the program answers nothing.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, UINT ms = 5000) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, ms, &result);
    return static_cast<LRESULT>(result);
}

std::u16string TextOf(HWND control) {
    std::array<wchar_t, 256> text{};
    const auto length =
        Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return {text.data(), text.data() + length};
}

// The name a screen reader is given for `control`: that of the accessible
// object Windows makes for it (here Wine's oleacc, which names an edit box
// after the static text before it, as Windows does, and a list view after its
// window text).
std::u16string AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return u"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::u16string text;
    if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
        text.assign(name, name + SysStringLen(name));
    }
    SysFreeString(name);
    accessible->Release();
    return text;
}

HWND Window(const WindowDescription& window) {
    return FindWindowW(kWindowClass, Wide(window.caption).c_str());
}

HWND Control(HWND window, const WindowDescription& description, std::string_view name) {
    return GetDlgItem(window, ControlId(description, name));
}

struct Program {
    PROCESS_INFORMATION process{};
    HWND main = nullptr;

    HWND Named(std::string_view name) const { return Control(main, Form1Description(), name); }
    HWND Box(Scale scale) const { return Named(BoxName(scale)); }
    void Click(std::string_view button) const { Send(Named(button), BM_CLICK); }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(process.dwThreadId, &info) ? info.hwndFocus : nullptr;
    }
    // A text that comes back through a pointer, which no message carries across
    // processes: `asked` is copied to the program's own memory, `aim` points
    // it at its `text` there, and it is read back once answered.
    template <typename Asked, typename Aim>
    std::u16string Ask(HWND window, UINT message, WPARAM wParam, Asked& asked, Aim aim) const {
        auto* remote = static_cast<Asked*>(
            VirtualAllocEx(process.hProcess, nullptr, sizeof asked, MEM_COMMIT, PAGE_READWRITE));
        aim(remote->text);
        WriteProcessMemory(process.hProcess, remote, &asked, sizeof asked, nullptr);
        Send(window, message, wParam, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process.hProcess, remote, &asked, sizeof asked, nullptr);
        VirtualFreeEx(process.hProcess, remote, 0, MEM_RELEASE);
        return {asked.text, asked.text + wcsnlen(asked.text, std::size(asked.text))};
    }
    std::u16string Tip(Scale scale) const {
        HWND tips = nullptr;
        do {
            tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
        } while (tips != nullptr && GetWindow(tips, GW_OWNER) != main);
        struct {
            TTTOOLINFOW tool;
            wchar_t text[1024];  // the longest a tooltip hands back
        } asked{};
        asked.tool.cbSize = TTTOOLINFOW_V2_SIZE;
        asked.tool.hwnd = main;
        asked.tool.uId = reinterpret_cast<UINT_PTR>(Box(scale));
        return Ask(tips, TTM_GETTEXTW, std::size(asked.text), asked,
                   [&](wchar_t* text) { asked.tool.lpszText = text; });
    }
    // A cell of the table window's grid, as a screen reader reads it.
    std::u16string Cell(HWND grid, int row, int column) const {
        struct {
            LVITEMW item;
            wchar_t text[64];
        } asked{};
        asked.item.iSubItem = column;
        asked.item.cchTextMax = std::size(asked.text);
        return Ask(grid, LVM_GETITEMTEXTW, row, asked,
                   [&](wchar_t* text) { asked.item.pszText = text; });
    }
    // Chooses the entry `up` places from the end of the box's context menu,
    // opened from the keyboard, or the one whose access letter is `letter`.
    HWND MenuEntry(Scale scale, int up, wchar_t letter = 0) const {
        PostMessageW(Box(scale), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Box(scale)), -1);
        HWND menu = nullptr;
        WaitFor([&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr; });
        for (int step = 0; step < up; ++step) {
            PostMessageW(menu, WM_KEYDOWN, VK_UP, 1);
        }
        PostMessageW(menu, letter != 0 ? WM_CHAR : WM_KEYDOWN, letter != 0 ? letter : VK_RETURN, 1);
        return menu;
    }
    Texts BoxTexts() const {
        Texts texts;
        for (const Scale scale : kAllScales) {
            texts[ColumnOf(scale)] = TextOf(Box(scale));
        }
        return texts;
    }
    // Key down, character, key up. The release may open the message: it is not waited for.
    void Stroke(HWND box, wchar_t character) const {
        const bool lower = character >= L'a' && character <= L'z';
        const UINT key = character == L',' ? VK_OEM_COMMA : lower ? character - 32 : character;
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        Send(box, WM_KEYDOWN, key, 1 | scan);
        Send(box, WM_CHAR, character, 1 | scan);
        Send(box, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30), 300);
    }
    // As the Linux window tests type: all but the last character written, the last one a stroke.
    void Type(Scale scale, const std::u16string& text) const {
        const std::wstring head = Wide(text.substr(0, text.size() - 1));
        Send(Box(scale), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(head.c_str()));
        Send(Box(scale), EM_SETSEL, head.size(), head.size());
        Stroke(Box(scale), text.back());
    }
};

// The notes the shared model gives a run from `source`, the boxes showing what
// they now show.
BoxNotes ModelNotes(const Program& program, Scale source) {
    const ConversionEngine engine(kComma);
    const Texts shown = program.BoxTexts();
    ConversionReasons reasons;
    static_cast<void>(engine.Convert(
        source, shown[ColumnOf(source)], [](Scale, std::u16string_view) {}, &reasons));
    return NotesOf(reasons, shown[ColumnOf(source)], shown, engine.Numbers());
}

void StartUp(const Program& program) {
    Check(TextOf(program.Named("Label4")) == HintText(kComma),
          "under the prefix's French settings the hint asks for a comma");
    Check(program.BoxTexts() == Texts{}, "seven empty boxes at start");
    Check(program.Focus() == program.Box(Scale::HV), "focus in Text1 at start");
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT client{};
    GetClientRect(program.main, &client);
    Check(client.right == MulDiv(Form1Description().clientWidth, dpi, 1440) &&
              client.bottom == MulDiv(Form1Description().clientHeight, dpi, 1440),
          "client area in twips at the screen's resolution");
}

// Each box named after its caption, while Tab still goes through the boxes
// and the buttons in the description's order and round.
void ScreenReaderNames(const Program& program) {
    const WindowDescription& described = Form1Description();
    bool named = true;
    for (const Scale scale : kAllScales) {
        named = named &&
                AccessibleName(program.Box(scale)) == described.Control(CaptionName(scale)).text;
    }
    Check(named, "each box is named after its caption");
    std::vector<int> expected;
    for (const ControlDescription& control : described.controls) {
        if (control.kind == ControlKind::ScaleBox || control.kind == ControlKind::PushButton) {
            expected.push_back(ControlId(described, control.name));
        }
    }
    expected.push_back(expected.front());
    std::vector<int> cycle;
    for (HWND at = program.Box(Scale::HV); cycle.size() < expected.size();
         at = GetNextDlgTabItem(program.main, at, FALSE)) {
        cycle.push_back(GetDlgCtrlID(at));
    }
    Check(cycle == expected, "Tab goes through the boxes and the buttons in their order");
}

// Keys typed in HV, each down, character and up; Tab through the dialog
// manager, its release coming to the box it moved to, which it leaves alone.
void Conversions(const Program& program) {
    for (const wchar_t key : {L'2', L'0', L'0'}) {
        program.Stroke(program.Box(Scale::HV), key);
    }
    const Texts typed200{u"200", u"190,0", u"", u"91,8", u"", u"", u"650,0"};
    Check(program.BoxTexts() == typed200, "typing 2, 0, 0 in HV converts 200");
    PostMessageW(program.Box(Scale::HV), WM_KEYDOWN, VK_TAB, 1);
    Check(WaitFor([&] { return program.Focus() == program.Box(Scale::HB); }), "Tab moves to Text2");
    Send(program.Box(Scale::HB), WM_KEYUP, VK_TAB, 1 | (LPARAM{3} << 30));
    Check(program.BoxTexts() == typed200, "Tab rewrites nothing");
}

// Each row of the shared file that converts, typed after "300" in HV, its
// decimal commas written with the locale's separator.
void SharedRows(const Program& program, const std::vector<ConversionRow>& rows, char16_t decimal) {
    const auto local = [decimal](const std::string& text) {
        std::u16string wide(text.begin(), text.end());  // the rows that convert are ASCII
        std::ranges::replace(wide, u',', decimal);
        return wide;
    };
    for (const ConversionRow& row : rows) {
        if (!row.Failed()) {
            program.Type(Scale::HV, u"300");
            program.Type(row.source, local(row.typed));
            std::u16string shown;
            for (const std::u16string& text : program.BoxTexts()) {
                shown += text + u"|";
            }
            Check(shown == local(row.boxes + "|"),
                  std::string(BoxName(row.source)) + " " + row.typed);
        }
    }
}

// The model's reasons and copies after HV 645, gone once the boxes are emptied.
void LabNotes(const Program& program) {
    program.Type(Scale::HV, u"645");
    const BoxNotes notes = ModelNotes(program, Scale::HV);
    bool tips = true;
    for (const Scale scale : kAllScales) {
        tips = tips && program.Tip(scale) == notes.reasons[ColumnOf(scale)];
    }
    Check(tips && !notes.reasons[ColumnOf(Scale::HRC)].empty(),
          "each box's tooltip gives its reason");
    // Ctrl+Shift+C through the real input, in HV with "645" selected, which
    // the EDIT's own Ctrl+C would copy instead.
    HWND hv = program.Box(Scale::HV);
    AttachThreadInput(GetCurrentThreadId(), program.process.dwThreadId, TRUE);
    SetFocus(hv);
    AttachThreadInput(GetCurrentThreadId(), program.process.dwThreadId, FALSE);
    Send(hv, EM_SETSEL, 0, -1);
    TakeClipboard();
    SetForegroundWindow(program.main);
    for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        for (const BYTE key : {BYTE{VK_CONTROL}, BYTE{VK_SHIFT}, BYTE{'C'}}) {
            keybd_event(key, 0, up, 0);
        }
    }
    const std::u16string values = Crlf(SevenValues(program.BoxTexts()));
    Check(WaitFor([&] { return TakeClipboard() == values; }),
          "Ctrl+Shift+C copies the seven values, in CRLF lines");
    // The report through HRC's own context menu, the entry before the last,
    // while another program holds the clipboard for a moment.
    OpenClipboard(nullptr);
    HWND menu = program.MenuEntry(Scale::HRC, 2);
    Sleep(100);
    CloseClipboard();
    std::u16string report;
    WaitFor([&] { return !(report = TakeClipboard()).empty(); });
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);  // still open if the entry was greyed
    Check(report == Crlf(notes.report), "Copier pour un rapport copies the report, in CRLF lines");

    // Emptied by hand with Delete, the boxes still have a report behind them:
    // neither copy gives it.
    for (const Scale scale : kAllScales) {
        Send(program.Box(scale), EM_SETSEL, 0, -1);
        Send(program.Box(scale), WM_KEYDOWN, VK_DELETE, 1);
        Send(program.Box(scale), WM_KEYUP, VK_DELETE, 1 | (LPARAM{3} << 30), 300);
    }
    Send(program.main, WM_COMMAND, kCopySevenValuesCommand);
    Send(program.main, WM_COMMAND, kCopyForReportCommand);
    Check(TakeClipboard().empty(), "seven empty boxes copy nothing");
    program.Click("Command1");
    Check(program.BoxTexts() == Texts{} && program.Tip(Scale::HRC).empty(),
          "Effacer tout empties the boxes and their tooltips");
}

std::vector<int> SelectedRows(HWND grid) {
    std::vector<int> rows;
    for (LRESULT item = -1; rows.size() <= ConversionTable::kFilledRows &&
                            (item = Send(grid, LVM_GETNEXTITEM, item, LVNI_SELECTED)) >= 0;) {
        rows.push_back(static_cast<int>(item) + 1);
    }
    return rows;
}

// The table window, from the menu and from F8, follows the runs, a header
// click and Right as the shared model does, and never touches the boxes.
void TableView(const Program& program) {
    const WindowDescription& described = TableWindowDescription();
    std::optional<TableWindowModel> model;
    BoxNotes notes;
    Texts shown;
    HWND table = nullptr;
    HWND grid = nullptr;
    const auto run = [&](const std::u16string& typed) {
        program.Type(Scale::HV, typed);
        notes = ModelNotes(program, Scale::HV);
        shown = program.BoxTexts();
    };
    const auto shows = [&](const std::string& what, HWND focus) {
        model->Follow(notes);  // again after a choice, which it keeps
        const TableRunView& view = model->View();
        std::vector<int> rows(view.firstRow > 0 ? view.lastRow - view.firstRow + 1 : 0);
        std::iota(rows.begin(), rows.end(), view.firstRow);
        Check(WaitFor([&] {
                  table = Window(described);
                  grid = Control(table, described, "Grid1");
                  return IsWindowVisible(table) && SelectedRows(grid) == rows &&
                         TextOf(Control(table, described, "Label1")) == view.status &&
                         TextOf(Control(table, described, "Picture1")) == view.plot.title &&
                         (focus == nullptr || program.Focus() == focus);
              }) &&
                  program.BoxTexts() == shown,
              what);
    };
    HWND hv = program.Box(Scale::HV);
    run(u"645");
    program.MenuEntry(Scale::HV, 1);
    model.emplace(NumberText(kComma));
    shows("opened from the menu at the last run, it leaves the focus in HV", hv);
    HWND header = reinterpret_cast<HWND>(Send(grid, LVM_GETHEADER));
    bool filled = Send(grid, LVM_GETITEMCOUNT) == std::ssize(model->Rows()) &&
                  Send(header, HDM_GETITEMCOUNT) == kTableColumns;
    for (int column = 0; column < kTableColumns; ++column) {
        filled = filled && program.Cell(grid, 78, column) == model->Rows()[78][column];
    }
    Check(filled, "it shows every row of the table under its columns");
    Check(AccessibleName(grid) == described.Control("Grid1").accessibleName &&
              AccessibleName(Control(table, described, "Picture1")) == model->View().plot.title,
          "the table and the plot are named for screen readers");
    run(u"200");
    shows("it follows the next run", hv);
    // A real click in the middle of the HRC header.
    const int hrc = ColumnShowing(Scale::HRC);
    int middle = 0;
    for (int column = 0; column <= hrc; ++column) {
        middle += static_cast<int>(Send(grid, LVM_GETCOLUMNWIDTH, column)) / (column < hrc ? 1 : 2);
    }
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle, 4));
    PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(middle, 4));
    model->Choose(hrc);
    shows("a click on a header plots its scale", hv);
    PostMessageW(grid, WM_KEYDOWN, VK_RIGHT, 1);
    model->ChooseNext(1);
    shows("Right plots the next scale", hv);
    PostMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    Check(WaitFor([&] { return !IsWindow(table); }) && program.Focus() == hv, "Escape closes it");
    const WPARAM f8 = VK_F1 + kShowInTableFunctionKey - 1;
    PostMessageW(hv, WM_KEYDOWN, f8, 1);
    model.emplace(NumberText(kComma));
    shows("F8 in HV opens it again at the last run, the focus left in HV", hv);
    PostMessageW(hv, WM_KEYDOWN, f8, 1);
    shows("F8 again brings it forward with the focus in its table", grid);
    program.Click("Command1");
    notes = {};
    shown = {};
    shows("after Effacer tout nothing is highlighted", nullptr);
    PostMessageW(table, WM_SYSCOMMAND, SC_CLOSE, 0);
    Check(WaitFor([&] { return !IsWindow(table); }), "its close box closes it");
}

// The box menu's Coller and Couper (WM_PASTE and WM_CUT, as the menu sends
// them to the box) and an input method's text (its keys come as
// VK_PROCESSKEY) change it with no key to release: the six other boxes follow
// at once, and with the text gone they are emptied too. Coller is chosen by
// its access letter in the menu opened while the menu key is down.
void ChangesWithNoKey(const Program& program) {
    HWND hv = program.Box(Scale::HV);
    program.Type(Scale::HV, u"200");
    const Texts typed200 = program.BoxTexts();
    const std::u16string_view paste =
        std::ranges::find(BoxEditEntries(), EditCommand::Paste, &EditEntry::command)->text;
    struct Change {
        const char* what;
        const char16_t* clipboard;
        UINT message;  // 0: Coller from the menu; WM_CHAR: the input method's 200
        Texts boxes;
    };
    for (const auto& [what, clipboard, message, boxes] :
         {Change{"Coller in the menu opened by the menu key", u"200", 0, typed200},
          Change{"WM_CUT", u"", WM_CUT, Texts{}},
          Change{"an input method's 200", u"", WM_CHAR, typed200}}) {
        program.Type(Scale::HV, u"645");
        Send(hv, EM_SETSEL, 0, -1);
        PutOnClipboard(clipboard);
        if (message == 0) {
            Send(hv, WM_KEYDOWN, VK_APPS, 1);
            program.MenuEntry(Scale::HV, 0, paste[paste.find(u'&') + 1]);
        } else if (message == WM_CHAR) {
            for (const wchar_t digit : {L'2', L'0', L'0'}) {
                Send(hv, WM_KEYDOWN, VK_PROCESSKEY, 1);
                Send(hv, WM_CHAR, digit, 1);
            }
        } else {
            Send(hv, message);
        }
        Check(WaitFor([&] { return program.BoxTexts() == boxes; }),
              std::string(what) + " converts at once");
    }
}

std::vector<std::u16string> g_heard;  // the live region's texts, as it said them

void CALLBACK Heard(HWINEVENTHOOK, DWORD, HWND live, LONG, LONG, DWORD, DWORD) {
    g_heard.push_back(TextOf(live));
}

// What a screen reader is told through the main window's live region (what
// Narrator or NVDA then say, only a real Windows shows): once the typing of
// 645 pauses, its result as the boxes show it, once; nothing more when a caret
// key runs it again; then Backspace's; then that "Effacer tout" emptied the boxes.
void ScreenReaderHears(const Program& program) {
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        &Heard, program.process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    HWND hv = program.Box(Scale::HV);
    g_heard.clear();
    program.Type(Scale::HV, u"645");
    const std::u16string said645 = RunAnnouncement(Scale::HV, program.BoxTexts());
    Check(WaitFor([] { return !g_heard.empty(); }) && g_heard == std::vector{said645},
          "once the typing of 645 pauses, its result is said once");
    Send(hv, WM_KEYDOWN, VK_LEFT, 1);
    Send(hv, WM_KEYUP, VK_LEFT, 1 | (LPARAM{3} << 30), 300);
    WaitFor([] { return g_heard.size() > 1; }, 1500);  // what it would say has settled
    program.Stroke(hv, L'\b');
    const std::u16string said64 = RunAnnouncement(Scale::HV, program.BoxTexts());
    WaitFor([] { return g_heard.size() > 1; });
    program.Click("Command1");
    Check(WaitFor([] { return g_heard.size() > 2; }) &&
              g_heard == std::vector{said645, said64, EmptiedAnnouncement()},
          "a caret key says nothing more, Backspace 64's result, Effacer tout that the boxes "
          "are empty");
    UnhookWinEvent(hook);
}

// Windows High Contrast, which Wine can neither turn on nor report: the
// colours kestal.exe would choose under it, with a theme of test colours set
// as the system's, and the plot drawn in them. The running program is told of
// the new colours too: the checks after this one find it still answering.
void HighContrast() {
    constexpr std::array elements{COLOR_WINDOW,        COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                                  COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT,   COLOR_BTNFACE,
                                  COLOR_BTNTEXT};
    constexpr std::array<COLORREF, elements.size()> theme{
        RGB(20, 20, 20),   RGB(250, 250, 250), RGB(30, 220, 250), RGB(20, 20, 20),
        RGB(250, 250, 30), RGB(20, 20, 20),    RGB(250, 250, 250)};
    SetSysColors(elements.size(), elements.data(), theme.data());
    const WindowColours colours(true);
    const auto cell = [&colours](bool run, CellColumn column) {
        return colours.Cell({.runRow = run, .column = column});
    };
    // The plot's colours are checked in its drawing below.
    const InkOnPaper label = colours.Label(*Form1Description().Control("Label4").colour);
    std::vector<COLORREF> chosen{label.text, label.back};
    for (const CellColumn column : {CellColumn::Other, CellColumn::Source, CellColumn::Target}) {
        for (const InkOnPaper ink : {cell(false, column), cell(true, column)}) {
            chosen.insert(chosen.end(), {ink.text, ink.back});
        }
    }
    Check(std::ranges::all_of(
              chosen, [&theme](COLORREF c) { return std::ranges::find(theme, c) != theme.end(); }),
          "under High Contrast the labels and the grid take the theme's colours");
    Check(cell(true, CellColumn::Other).back != cell(false, CellColumn::Other).back &&
              cell(false, CellColumn::Target).text != cell(false, CellColumn::Other).text &&
              colours.Curve() != colours.Ink() && colours.Mark() != colours.Curve(),
          "the run's rows, the plotted figures, the curve and the mark still stand out");

    const TwipsRect& area = TableWindowDescription().Control("Picture1").rect;
    const int width = Pixels(area.width);
    const int height = Pixels(area.height);
    const PlotView plot =
        PlotOf(Scale::HV, Scale::HRC, PlotMark{645, 57.6f}, ConversionTable::BuiltIn(),
               NumberText(kComma), area.width, area.height);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC context = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(context, bitmap);
    HFONT font = NewFont(TableWindowDescription().font);
    PaintPlot(context, RECT{0, 0, width, height}, plot, font, colours);
    GdiFlush();
    // A DIB's pixel holds blue in its low byte, a COLORREF red.
    std::vector<COLORREF> pixels;
    for (const DWORD pixel : std::span(static_cast<const DWORD*>(bits), width * height)) {
        pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
    SelectObject(context, old);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(context);
    const auto painted = [&pixels](COLORREF colour) {
        return std::ranges::find(pixels, colour) != pixels.end();
    };
    Check(pixels.front() == colours.Paper() && painted(colours.Curve()) &&
              painted(colours.Mark()) && !painted(RGB(255, 255, 255)) && !painted(RGB(0, 0, 0)) &&
              !painted(RGB(kCurveColour.red, kCurveColour.green, kCurveColour.blue)) &&
              !painted(RGB(kMarkColour.red, kMarkColour.green, kMarkColour.blue)),
          "under High Contrast the plot is drawn in the theme's colours only");
}

// 200a typed in HV, or pasted there over 645 with the box menu's Coller.
void NotANumber(const Program& program, bool pasted) {
    const std::string how = pasted ? "a letter pasted" : "a letter typed";
    if (pasted) {
        program.Type(Scale::HV, u"645");
        PutOnClipboard(u"200a");
        Send(program.Box(Scale::HV), EM_SETSEL, 0, -1);
        PostMessageW(program.Box(Scale::HV), WM_PASTE, 0, 0);  // the message keeps it
    } else {
        program.Type(Scale::HV, u"200a");
    }
    HWND message = nullptr;
    const std::wstring title = Wide(kApplicationTitle);
    Check(WaitFor([&] { return (message = FindWindowW(L"#32770", title.c_str())) != nullptr; }),
          how + " opens the message, captioned Kestal");
    // The icon's place, 20 on Windows and 0x440 under Wine, holds none.
    const auto noIcon = [&message](int id) {
        HWND place = GetDlgItem(message, id);
        return place == nullptr || Send(place, STM_GETICON) == 0;
    };
    Check(TextOf(GetDlgItem(message, 0xFFFF)) == kNotANumberMessage &&
              GetDlgItem(message, IDOK) != nullptr && GetDlgItem(message, IDCANCEL) == nullptr &&
              noIcon(20) && noIcon(0x440),
          "the message says the value is not a number, with OK only and no icon");
    PostMessageW(message, WM_COMMAND, IDOK, 0);
    Check(WaitFor([&] { return !IsWindow(message) && program.BoxTexts() == Texts{}; }),
          "closing it leaves seven empty boxes after " + how);
}

void Quit(const Program& program) {
    program.Click("Command2");
    DWORD exitCode = 1;
    Check(WaitForSingleObject(program.process.hProcess, 5000) == WAIT_OBJECT_0 &&
              GetExitCodeProcess(program.process.hProcess, &exitCode) && exitCode == 0,
          "Terminé ends the program");
}

void Commands(const Program& program) {
    // Alt+A and Alt+R, through the dialog manager as access letters.
    program.Type(Scale::HV, u"200");
    const Texts typed = program.BoxTexts();
    PostMessageW(program.Box(Scale::HV), WM_SYSCHAR, L'a', LPARAM{1} << 29);
    HWND help = nullptr;
    Check(WaitFor([&] { return (help = Window(Form2Description())) != nullptr; }) &&
              !IsWindowEnabled(program.main),
          "Alt+A shows the help window and disables the main one");
    // "Retour" has the focus, but it is no default button: Enter leaves it alone.
    PostMessageW(Control(help, Form2Description(), "Command1"), WM_KEYDOWN, VK_RETURN, 1);
    Sleep(300);
    Check(IsWindow(help), "Enter presses no button");
    PostMessageW(Control(help, Form2Description(), "Command1"), WM_SYSCHAR, L'r', LPARAM{1} << 29);
    Check(WaitFor([&] { return !IsWindow(help) && IsWindowEnabled(program.main); }) &&
              program.BoxTexts() == typed,
          "Alt+R destroys it and the main window works again, as it was");

    Quit(program);
}

bool Start(Program& program, const wchar_t* exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = std::wstring(L"\"") + exe + L"\"";
    // Shown once its controls are made and loaded: found before, it has none.
    return CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &program.process) &&
           WaitFor([&] {
               program.main = Window(Form1Description());
               return program.main != nullptr && IsWindowVisible(program.main);
           });
}

// A second program under a decimal point, the user's own setting: the hint
// turns round and the rows convert with points.
void PointLocale(const wchar_t* exe, const std::vector<ConversionRow>& rows) {
    const wchar_t* key = L"Control Panel\\International";
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"sDecimal", REG_SZ, L".", 2 * sizeof(wchar_t));
    Program program;
    Check(Start(program, exe) &&
              TextOf(program.Named("Label4")) == HintText({u".", u"-", u"+", u"e"}),
          "under a decimal point the hint asks for a point");
    SharedRows(program, rows, u'.');
    Quit(program);
    // Back to the prefix's own comma.
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"sDecimal", REG_SZ, L",", 2 * sizeof(wchar_t));
}

}  // namespace
}  // namespace kestal

int wmain(int argc, wchar_t* argv[]) {
    using namespace kestal;
    const std::wstring mode = argc >= 3 ? argv[1] : L"";
    const bool withFile = mode == L"test" || mode == L"pose";
    if (!(withFile ? argc == 4 : mode == L"installed" && argc == 3)) {
        std::fprintf(stderr,
                     "usage: driver.exe test KESTAL.EXE CONVERSIONS | pose KESTAL.EXE "
                     "TEXT | installed KESTAL.EXE\n");
        return 2;
    }
    Program program;
    if (!Start(program, argv[2])) {
        std::printf("FAIL: %ls shows no main window\n", argv[2]);
        return 1;
    }
    if (mode == L"installed") {
        StartUp(program);
        Conversions(program);
        Quit(program);
        return g_failures == 0 ? 0 : 1;
    }
    if (mode == L"pose") {
        for (const wchar_t* c = argv[3]; *c != 0; ++c) {
            program.Stroke(program.Box(Scale::HV), *c);
        }
        // Painted before the caller takes its picture.
        RedrawWindow(program.main, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Send(program.main, WM_NULL);
        RECT frame{};
        GetWindowRect(program.main, &frame);
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                    frame.bottom - frame.top);
        return 0;
    }
    // An ASCII path, as winepath gives the source tree's.
    const std::vector<ConversionRow> rows =
        ConversionRows(std::string(argv[3], argv[3] + std::wcslen(argv[3])).c_str());
    StartUp(program);
    ScreenReaderNames(program);
    Conversions(program);
    SharedRows(program, rows, u',');
    LabNotes(program);
    TableView(program);
    ChangesWithNoKey(program);
    ScreenReaderHears(program);
    HighContrast();
    NotANumber(program, false);
    NotANumber(program, true);
    Commands(program);
    PointLocale(argv[2], rows);
    // A program still running after a failure ends with the test's Wine session.
    return g_failures == 0 ? 0 : 1;
}
