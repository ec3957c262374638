// sbbench: the two timings the program is held to, under the same Wine as its users'.
//
//   sbbench SWITCHBOARD.exe MINIMAL.exe [RUNS]
//
// Paths are Linux paths (the script's); RUNS start-ups of each program, taken in turns
// after one unmeasured start of each. Prints medians and the ratio.
//   - Start-up: from CreateProcess to the main window on the screen and answering, for the
//     panel (with one print queue, so no selection dialog) and for a minimal dialog program.
//   - Data check: EncodeAllPages over the six real pages, in this process.
#include "pages/msw_page.h"
#include "pages/param_page.h"
#include "pages/select_page.h"
#include "record/settings_state.h"
#include "tests/e2e/driver.h"
#include "tools/queue_admin.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace sb {
namespace {

using namespace e2e;

constexpr wchar_t kMinimalTitle[] = L"Switchboard bench: minimal dialog";
constexpr int kEncodeCalls = 2000;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER count;
    ::QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / frequency;
}

// Milliseconds until the program's window with that title is visible and answers a message,
// or a negative value when it did not come.
double TimeStartUp(const std::wstring& exe, const wchar_t* title) {
    const double start = Now();
    AppProcess app(exe);
    double shown = -1;
    const double deadline = start + kStartMs;
    HWND window = nullptr;
    while (app.Pid() != 0 && Now() < deadline && !window) {
        for (HWND dialog : DialogsOf(app.Pid())) {
            if (TextOf(dialog) != title) {
                std::fprintf(stderr, "sbbench: %s came up instead\n",
                             e2e::Narrow(TextOf(dialog)).c_str());
                return -1;
            }
            DWORD_PTR ignored = 0;
            if (::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored)) {
                window = dialog;
                shown = Now() - start;
            }
        }
        ::Sleep(1);
    }
    if (window) {
        Panel(window).Close();
        if (!app.WaitExit()) {
            std::fprintf(stderr, "sbbench: the program did not end on the close box\n");
        }
    }
    return shown;
}

// Stands in for the main window around the pages: nothing to show, nothing to ask.
class QuietView final : public SettingsView {
public:
    void EnableSendCommand(bool) override {}
    void ShowTab(int) override {}
    void RefreshFormButtonCaption() override {}
};

class QuietPrompter final : public Prompter {
public:
    Answer ShowMessage(std::string_view, std::string_view, unsigned) override { return Answer::Ok; }
};

struct EncodeTimes {
    std::vector<double> all;                  // per EncodeAllPages call
    std::vector<std::vector<double>> perPage; // per EncodeRecord call, in page order
};

// Milliseconds per EncodeAllPages over the six real pages, and per page alone.
EncodeTimes TimeEncodeAll() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HWND host = ::CreateWindowExW(0, L"STATIC", L"sbbench pages", WS_OVERLAPPEDWINDOW, 0, 0,
                                        500, 500, nullptr, nullptr, nullptr, nullptr);
    EncodeTimes times;
    {
        CPage_Select select;
        CPage_Param param;
        CPage_MSW1 msw1;
        CPage_MSW2 msw2;
        CPage_MSW3 msw3;
        CPage_MSW4 msw4;
        CPage* pages[] = {&select, &param, &msw1, &msw2, &msw3, &msw4};
        IRecordPage* records[] = {&select, &param, &msw1, &msw2, &msw3, &msw4};
        for (CPage* page : pages) {
            if (!page->CreatePage(host, page == &select)) {
                std::fprintf(stderr, "sbbench: a page could not be created\n");
                ::DestroyWindow(host);
                return times;
            }
        }
        QuietView view;
        QuietPrompter prompter;
        const bool startupDone = true;
        CSettingsState state({&select, &param, &msw1, &msw2, &msw3, &msw4}, view, prompter,
                             startupDone);
        state.InitCopies();
        state.DecodeAllPages();
        for (int i = 0; i < kEncodeCalls; ++i) {
            const double start = Now();
            state.EncodeAllPages();
            times.all.push_back(Now() - start);
        }
        for (IRecordPage* page : records) {
            std::vector<double>& perPage = times.perPage.emplace_back();
            for (int i = 0; i < kEncodeCalls / 4; ++i) {
                const double start = Now();
                page->EncodeRecord(state.Current());
                perPage.push_back(Now() - start);
            }
        }
        if (state.IsUnsent()) {
            std::fprintf(stderr, "sbbench: encoding the factory record changed it\n");
        }
    }
    ::DestroyWindow(host);
    return times;
}

int Run(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fputs("usage: sbbench SWITCHBOARD.exe MINIMAL.exe [RUNS]\n", stderr);
        return 2;
    }
    const std::wstring panelExe = DosPath(argv[1]);
    const std::wstring minimalExe = DosPath(argv[2]);
    const int runs = argc == 4 ? std::max(1, std::atoi(argv[3])) : 15;

    ScopedQueue queue(
        {L"Quillstrike 480ZQ9 (bench " + std::to_wstring(::GetCurrentProcessId()) + L")",
         L"VYR Quillstrike 480ZQ9", L"|cat > /dev/null"});
    if (queue.Error() != ERROR_SUCCESS) {
        std::fprintf(stderr, "sbbench: cannot make the print queue (error %lu)\n", queue.Error());
        return 1;
    }
    // The first start of each warms Wine's caches; it is not counted.
    if (TimeStartUp(minimalExe, kMinimalTitle) < 0 || TimeStartUp(panelExe, kPanelTitle) < 0) {
        std::fputs("sbbench: a program did not show its window\n", stderr);
        return 1;
    }
    std::vector<double> minimal;
    std::vector<double> panel;
    for (int i = 0; i < runs; ++i) {
        minimal.push_back(TimeStartUp(minimalExe, kMinimalTitle));
        panel.push_back(TimeStartUp(panelExe, kPanelTitle));
    }
    if (*std::min_element(minimal.begin(), minimal.end()) < 0 ||
        *std::min_element(panel.begin(), panel.end()) < 0) {
        std::fputs("sbbench: a program did not show its window\n", stderr);
        return 1;
    }
    const double minimalMs = Median(minimal);
    const double panelMs = Median(panel);
    std::printf("start-up to an idle main window, median of %d runs each:\n", runs);
    std::printf("  switchboard.exe     %8.1f ms\n", panelMs);
    std::printf("  minimal dialog      %8.1f ms\n", minimalMs);
    std::printf("  ratio               %8.2f (goal: at most 1.5)\n", panelMs / minimalMs);

    const EncodeTimes encode = TimeEncodeAll();
    if (encode.all.empty()) {
        return 1;
    }
    std::vector<double> sorted = encode.all;
    std::sort(sorted.begin(), sorted.end());
    std::printf("EncodeAllPages over the six pages, %d calls:\n", kEncodeCalls);
    std::printf("  median              %8.4f ms (goal: well under 0.5 ms)\n", Median(encode.all));
    std::printf("  90th percentile     %8.4f ms\n", sorted[sorted.size() * 9 / 10]);
    const char* names[] = {"function selection", "parameters", "MSW1", "MSW2", "MSW3", "MSW4"};
    std::printf("  EncodeRecord alone, median of %d calls each:\n", kEncodeCalls / 4);
    for (std::size_t i = 0; i < encode.perPage.size(); ++i) {
        std::printf("    %-18s %8.4f ms\n", names[i], Median(encode.perPage[i]));
    }
    return 0;
}

} // namespace
} // namespace sb

int main(int argc, char** argv) {
    return sb::Run(argc, argv);
}
