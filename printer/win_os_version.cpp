#include "printer/win_os_version.h"

#include <windows.h>

namespace sb {
namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);

} // namespace

// GetVersionExW reports an old version to a program without a compatibility manifest;
// ntdll's RtlGetVersion always tells the truth.
OsVersionInfo WinOsVersion::Get() const {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    const FARPROC proc = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    // The detour through void(*)() is the sanctioned way to convert a FARPROC.
    const auto rtlGetVersion =
        reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void (*)()>(proc));
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        info.dwOSVersionInfoSize = sizeof(info);
        ::GetVersionExW(&info);
    }
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

} // namespace sb
