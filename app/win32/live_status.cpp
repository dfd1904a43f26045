#include "app/win32/live_status.hpp"

// The GUIDs oleacc.h declares are defined here, so that only COM, never
// oleacc.dll, is linked: Windows loads it when the live setting is made.
// clang-format off
#include <initguid.h>
#include <oleacc.h>
// clang-format on

#include "app/win32/control_ids.hpp"

namespace kestal {

namespace {

// UI Automation's LiveSetting property, which MSAA annotations carry; its
// value 1 is Polite: said once the screen reader is done with what it says.
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d,
            0x58, 0xeb);
constexpr LONG kPolite = 1;
constexpr UINT_PTR kSettleTimer = 1;

// A window without live regions (before Windows 8) still has its text, which
// a screen reader reads on request.
void MarkPolite(HWND control) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        return;
    }
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                          kLiveSettingProperty, polite);
    services->Release();
}

void Unmark(HWND control) {
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 &kLiveSettingProperty, 1);
        services->Release();
    }
}

}  // namespace

LiveStatus::LiveStatus(HWND window)
    : m_window(window),
      m_static(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                               window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLiveStatusId)),
                               GetModuleHandleW(nullptr), nullptr)),
      m_com(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    // Last in the z-order: MSAA names an edit box after the static text before
    // it, and this one must name none.
    SetWindowPos(m_static, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MarkPolite(m_static);
}

LiveStatus::~LiveStatus() {
    if (IsWindow(m_static)) {
        Unmark(m_static);
    }
    if (m_com) {
        CoUninitialize();
    }
}

void LiveStatus::Say(const Announcement& announcement) {
    m_pending = announcement.text;
    if (announcement.pace == Pace::Settled) {
        SetTimer(m_window, kSettleTimer, kSettleMilliseconds, nullptr);
        return;
    }
    KillTimer(m_window, kSettleTimer);
    Show();
}

bool LiveStatus::Settled(WPARAM timer) {
    if (timer != kSettleTimer) {
        return false;
    }
    KillTimer(m_window, kSettleTimer);
    Show();
    return true;
}

void LiveStatus::Show() {
    const std::wstring text(m_pending.begin(), m_pending.end());
    SetWindowTextW(m_static, text.c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, m_static, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace kestal
