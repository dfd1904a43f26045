#include <windows.h>

#include <cstdio>
#include <string>

#include "app/source_revision.hpp"
#include "app/text/text_encoding.hpp"
#include "conversion/version.hpp"
#include "record_context.hpp"

namespace kestal {

namespace {

// The version Windows really is: GetVersionEx tells programs without a
// manifest that they run on Windows 8.
std::u16string WindowsVersion() {
    using RtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    const auto get = reinterpret_cast<RtlGetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (get == nullptr || get(&version) != 0) {
        return u"Windows";
    }
    return u"Windows " + Utf16(std::to_string(version.dwMajorVersion)) + u"." +
           Utf16(std::to_string(version.dwMinorVersion)) + u"." +
           Utf16(std::to_string(version.dwBuildNumber));
}

std::u16string Processor() {
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    switch (system.wProcessorArchitecture) {
        case PROCESSOR_ARCHITECTURE_AMD64:
            return u"x64";
        case PROCESSOR_ARCHITECTURE_ARM64:
            return u"ARM64";
        case PROCESSOR_ARCHITECTURE_INTEL:
            return u"x86";
        default:
            return u"processeur inconnu";
    }
}

}  // namespace

RecordContext ToolRecordContext(std::u16string_view numbers) {
    RecordContext context;
    context.program = u"kestal-convert.exe " + Utf16(kVersion);
    context.revision = Utf16(kSourceRevision);
    context.system = WindowsVersion() + u", " + Processor();
    context.numbers = numbers;
    SYSTEMTIME local{};
    GetLocalTime(&local);
    TIME_ZONE_INFORMATION zone{};
    const DWORD daylight = GetTimeZoneInformation(&zone);
    const long bias = zone.Bias + (daylight == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : 0);
    context.when = RecordTime({.year = local.wYear,
                               .month = local.wMonth,
                               .day = local.wDay,
                               .hour = local.wHour,
                               .minute = local.wMinute,
                               .second = local.wSecond,
                               .utcOffsetMinutes = static_cast<int>(-bias)});
    wchar_t name[256] = {};
    DWORD size = 256;
    if (GetComputerNameExW(ComputerNameDnsHostname, name, &size)) {
        context.machine.assign(name, name + size);
    }
    size = 256;
    if (GetUserNameW(name, &size) && size > 0) {
        context.user.assign(name, name + size - 1);
    }
    return context;
}

}  // namespace kestal
