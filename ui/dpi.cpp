#include "ui/dpi.h"

#include "base/dpi_scale.h"
#include "ui/system_dll.h"

#include <commctrl.h>

#include <initializer_list>

namespace sb {
namespace {

// Both DLLs are imported by the program, so they are loaded already: nothing is looked up on
// the search path.
struct NewerCalls {
    CLoadedDll user32{L"user32.dll"};
    CLoadedDll comctl32{L"comctl32.dll"};
    SB_SYSTEM_FUNCTION(user32, GetDpiForWindow);
    SB_SYSTEM_FUNCTION(user32, GetDpiForSystem);
    SB_SYSTEM_FUNCTION(user32, GetSystemMetricsForDpi);
    SB_SYSTEM_FUNCTION(user32, SystemParametersInfoForDpi);
    SB_SYSTEM_FUNCTION(user32, SetDialogDpiChangeBehavior);
    SB_SYSTEM_FUNCTION(user32, SetDialogControlDpiChangeBehavior);
    SB_SYSTEM_FUNCTION(comctl32, LoadIconWithScaleDown);
};

const NewerCalls& Calls() {
    static const NewerCalls calls;
    return calls;
}

void ScaleFont(LOGFONTW& font, UINT dpi, UINT fromDpi) {
    font.lfHeight = ScaleBetween(font.lfHeight, static_cast<int>(dpi), static_cast<int>(fromDpi));
}

} // namespace

UINT SystemDpi() {
    static const UINT dpi = [] {
        if (Calls().GetDpiForSystem) {
            return Calls().GetDpiForSystem();
        }
        const HDC screen = ::GetDC(nullptr);
        const int pixels = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
        if (screen != nullptr) {
            ::ReleaseDC(nullptr, screen);
        }
        return static_cast<UINT>(pixels > 0 ? pixels : kBaseDpi);
    }();
    return dpi;
}

UINT WindowDpi(HWND hwnd) {
    // Zero where the system lacks the call, as for a window it does not know.
    const UINT dpi = Calls().GetDpiForWindow(hwnd);
    return dpi != 0 ? dpi : SystemDpi();
}

int SystemMetric(int index, UINT dpi) {
    if (dpi == SystemDpi()) {
        return ::GetSystemMetrics(index);
    }
    if (Calls().GetSystemMetricsForDpi) {
        return Calls().GetSystemMetricsForDpi(index, dpi);
    }
    return ScaleBetween(::GetSystemMetrics(index), static_cast<int>(dpi),
                        static_cast<int>(SystemDpi()));
}

bool NonClientMetrics(NONCLIENTMETRICSW& metrics, UINT dpi) {
    metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (dpi != SystemDpi() && Calls().SystemParametersInfoForDpi) {
        return Calls().SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics),
                                                  &metrics, 0, dpi) != FALSE;
    }
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return false;
    }
    if (dpi != SystemDpi()) {
        for (LOGFONTW* font :
             {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
              &metrics.lfStatusFont, &metrics.lfMessageFont}) {
            ScaleFont(*font, dpi, SystemDpi());
        }
    }
    return true;
}

HICON LoadIconOfSize(int resourceId, int size) {
    const HINSTANCE program = ::GetModuleHandleW(nullptr);
    HICON icon = nullptr;
    // Asked first: a missing call's zero result would read as success.
    if (Calls().LoadIconWithScaleDown &&
        SUCCEEDED(Calls().LoadIconWithScaleDown(program, MAKEINTRESOURCEW(resourceId), size, size,
                                                &icon))) {
        return icon;
    }
    return static_cast<HICON>(
        ::LoadImageW(program, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, 0));
}

void KeepChildPlacement(HWND child) {
    // Where the system lacks the call, its dialog manager does no relayout either.
    Calls().SetDialogControlDpiChangeBehavior(child, DCDC_DISABLE_RELAYOUT, DCDC_DISABLE_RELAYOUT);
}

void KeepDialogSize(HWND dialog) {
    Calls().SetDialogDpiChangeBehavior(dialog, DDC_DISABLE_RESIZE, DDC_DISABLE_RESIZE);
}

} // namespace sb
