// Shows the printer selection dialog over three queues of its own, for a screenshot.
#include "printer/printer_select_dlg.h"
#include "printer/win_os_version.h"
#include "printer/win_spooler.h"
#include "tools/queue_admin.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

const wchar_t kPrefix[] = L"Shot ";
const wchar_t kDriver[] = L"VYR Quillstrike 480ZQ9";

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    // The screenshot ends this program by force, so its queues outlive it: clear them first.
    for (const sb::QueueInfo& queue : sb::ListQueues()) {
        if (queue.name.rfind(kPrefix, 0) == 0) {
            sb::RemoveQueue(queue.name);
        }
    }
    sb::ScopedQueue office({std::wstring(kPrefix) + L"経理部 Quillstrike", kDriver, L"LPT1:"});
    sb::ScopedQueue floor({std::wstring(kPrefix) + L"Quillstrike 2F", kDriver, L"LPT2:"});
    sb::ScopedQueue file({std::wstring(kPrefix) + L"帳票テスト", kDriver, L"FILE:"});

    sb::CPrinterSelection selection;
    selection.m_bStartupDone = true;
    selection.m_strPrinterName = sb::Narrow(std::wstring(kPrefix) + L"経理部 Quillstrike");
    sb::WinSpooler spooler;
    sb::WinOsVersion os;
    sb::CPrinterSelectDlg dialog(selection, spooler, os);
    return dialog.Run(nullptr) == IDOK ? 0 : 1;
}
