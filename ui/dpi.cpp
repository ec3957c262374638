#include "ui/dpi.h"

#include "base/dpi_scale.h"

#include <commctrl.h>

#include <initializer_list>

namespace sb {
namespace {

template <class Function> Function* Lookup(const wchar_t* module, const char* name) {
    const HMODULE loaded = ::GetModuleHandleW(module);
    if (loaded == nullptr) {
        return nullptr;
    }
    // Through the generic function type, which any function pointer may be cast to and from.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(::GetProcAddress(loaded, name)));
}

// Both DLLs are imported by the program, so they are loaded already: nothing is looked up on
// the search path.
struct NewerCalls {
    decltype(::GetDpiForWindow)* getDpiForWindow =
        Lookup<decltype(::GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    decltype(::GetDpiForSystem)* getDpiForSystem =
        Lookup<decltype(::GetDpiForSystem)>(L"user32.dll", "GetDpiForSystem");
    decltype(::GetSystemMetricsForDpi)* getSystemMetricsForDpi =
        Lookup<decltype(::GetSystemMetricsForDpi)>(L"user32.dll", "GetSystemMetricsForDpi");
    decltype(::SystemParametersInfoForDpi)* systemParametersInfoForDpi =
        Lookup<decltype(::SystemParametersInfoForDpi)>(L"user32.dll", "SystemParametersInfoForDpi");
    decltype(::SetDialogDpiChangeBehavior)* setDialogDpiChangeBehavior =
        Lookup<decltype(::SetDialogDpiChangeBehavior)>(L"user32.dll", "SetDialogDpiChangeBehavior");
    decltype(::SetDialogControlDpiChangeBehavior)* setDialogControlDpiChangeBehavior =
        Lookup<decltype(::SetDialogControlDpiChangeBehavior)>(L"user32.dll",
                                                              "SetDialogControlDpiChangeBehavior");
    decltype(::LoadIconWithScaleDown)* loadIconWithScaleDown =
        Lookup<decltype(::LoadIconWithScaleDown)>(L"comctl32.dll", "LoadIconWithScaleDown");
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
        if (Calls().getDpiForSystem != nullptr) {
            return Calls().getDpiForSystem();
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
    const UINT dpi = Calls().getDpiForWindow != nullptr ? Calls().getDpiForWindow(hwnd) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

int SystemMetric(int index, UINT dpi) {
    if (dpi == SystemDpi()) {
        return ::GetSystemMetrics(index);
    }
    if (Calls().getSystemMetricsForDpi != nullptr) {
        return Calls().getSystemMetricsForDpi(index, dpi);
    }
    return ScaleBetween(::GetSystemMetrics(index), static_cast<int>(dpi),
                        static_cast<int>(SystemDpi()));
}

bool NonClientMetrics(NONCLIENTMETRICSW& metrics, UINT dpi) {
    metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (dpi != SystemDpi() && Calls().systemParametersInfoForDpi != nullptr) {
        return Calls().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics),
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
    if (Calls().loadIconWithScaleDown != nullptr &&
        SUCCEEDED(Calls().loadIconWithScaleDown(program, MAKEINTRESOURCEW(resourceId), size, size,
                                                &icon))) {
        return icon;
    }
    return static_cast<HICON>(
        ::LoadImageW(program, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, 0));
}

void KeepChildPlacement(HWND child) {
    if (Calls().setDialogControlDpiChangeBehavior != nullptr) {
        Calls().setDialogControlDpiChangeBehavior(child, DCDC_DISABLE_RELAYOUT,
                                                  DCDC_DISABLE_RELAYOUT);
    }
}

void KeepDialogSize(HWND dialog) {
    if (Calls().setDialogDpiChangeBehavior != nullptr) {
        Calls().setDialogDpiChangeBehavior(dialog, DDC_DISABLE_RESIZE, DDC_DISABLE_RESIZE);
    }
}

} // namespace sb
