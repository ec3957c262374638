// Program entry: one instance at a time, the main dialog, and the end of the program when the
// dialog ends.
#include "app/module_path.h"
#include "app/panel_dlg.h"
#include "app/start_up.h"
#include "res/resource.h"
#include "ui/handle.h"
#include "ui/system_dll.h"
#include "ui/wide_text.h"

#include <windows.h>
#include <commctrl.h>

namespace sb {
namespace {

constexpr const wchar_t* kPanelTitle = L"" SB_PANEL_TITLE;

class CPanelApp {
public:
    // The process's exit code. The printer selection may end the process before this returns.
    int Run();

private:
    // True when this is the only instance; it then holds the mutex until the panel ends.
    bool TakeInstance();
    static void BringRunningPanelToFront();

    CKernelObject m_mutex;
};

int CPanelApp::Run() {
    if (HasComponentServerSwitch(Narrow(::GetCommandLineW()))) {
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!TakeInstance()) {
        BringRunningPanelToFront();
        return 0;
    }
    CPanelDlg panel;
    panel.Run(::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_PANEL_MENU)));
    return 0;
}

bool CPanelApp::TakeInstance() {
    const std::wstring name = Widen(ApplicationName(ModulePath()));
    if (CKernelObject running(::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name.c_str())); running) {
        return false;
    }
    // Two instances started at the same moment both find no mutex above; only one of them
    // creates it, the other opens it here and must end as well.
    const HANDLE mutex = ::CreateMutexW(nullptr, TRUE, name.c_str());
    const DWORD error = ::GetLastError();
    m_mutex = CKernelObject(mutex);
    return error != ERROR_ALREADY_EXISTS;
}

void CPanelApp::BringRunningPanelToFront() {
    // Nothing to show yet while the other instance is still starting.
    const HWND panel = ::FindWindowW(L"#32770", kPanelTitle);
    if (panel == nullptr) {
        return;
    }
    if (::IsIconic(panel)) {
        ::ShowWindow(panel, SW_RESTORE);
    }
    ::SetForegroundWindow(panel);
}

} // namespace
} // namespace sb

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    sb::RestrictDllSearch();
    sb::CPanelApp app;
    return app.Run();
}
