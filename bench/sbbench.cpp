// sbbench: the two timings the program is held to, under the same Wine as its users'.
//
//   sbbench SWITCHBOARD.exe BASELINE.exe [RUNS] [--start-up-only]
//
// Paths are Linux paths (the script's); RUNS start-ups of each program, taken in turns
// after one unmeasured start of each, at the display scale of the prefix. Prints medians,
// their ratio and its spread.
//   - Start-up: from CreateProcess until the main window is on the screen and the process
//     waits for input, for the panel (with one print queue, so no selection dialog) and for
//     the baseline, an empty dialog with the main window's title, font and tab control.
//   - Data check: EncodeAllPages over the six real pages in this process, with the pages'
//     windows made and with none made yet.
#include "pages/msw_page.h"
#include "pages/param_page.h"
#include "pages/select_page.h"
#include "record/settings_state.h"
#include "tests/e2e/driver.h"
#include "tools/queue_admin.h"
#include "ui/dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace sb {
namespace {

using namespace e2e;

constexpr int kEncodeCalls = 2000;
constexpr wchar_t kDriver[] = L"VYR Quillstrike 480ZQ9";

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The value below which that share of the values lies (nearest rank).
double Quantile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[rank];
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

// Milliseconds until the program's window with the panel's title is visible and the program
// waits for input, or a negative value when that did not come.
double TimeStartUp(const std::wstring& exe) {
    const double start = Now();
    AppProcess app(exe);
    const double deadline = start + kStartMs;
    HWND window = nullptr;
    while (app.Pid() != 0 && Now() < deadline && !window) {
        for (HWND dialog : DialogsOf(app.Pid())) {
            if (TextOf(dialog) != kPanelTitle) {
                std::fprintf(stderr, "sbbench: %s came up instead\n",
                             e2e::Narrow(TextOf(dialog)).c_str());
                return -1;
            }
            window = dialog;
        }
        if (!window) {
            ::Sleep(1);
        }
    }
    if (!window) {
        return -1;
    }
    const auto left = static_cast<DWORD>(std::max(1.0, deadline - Now()));
    if (::WaitForInputIdle(app.Process(), left) != 0) {
        std::fputs("sbbench: the program never waited for input\n", stderr);
        return -1;
    }
    const double idle = Now() - start;
    Panel(window).Close();
    if (!app.WaitExit()) {
        std::fprintf(stderr, "sbbench: the program did not end on the close box\n");
    }
    return idle;
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

// Milliseconds per EncodeAllPages over the six real pages, and per page alone; the pages'
// windows made first, or left for later as the panel leaves the hidden ones.
EncodeTimes TimeEncodeAll(bool makeWindows) {
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
        const std::array<CPage*, kPageCount> pages = {&select, &param, &msw1, &msw2, &msw3, &msw4};
        const PageList records = {&select, &param, &msw1, &msw2, &msw3, &msw4};
        QuietView view;
        QuietPrompter prompter;
        const bool startupDone = true;
        CSettingsState state(records, view, prompter, startupDone);
        state.InitCopies();
        state.DecodeAllPages();
        for (CPage* page : pages) {
            if (makeWindows && !page->CreatePage(host, page == &select)) {
                std::fprintf(stderr, "sbbench: a page could not be created\n");
                ::DestroyWindow(host);
                return {};
            }
        }
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

bool ReportEncode(const char* what, const EncodeTimes& encode) {
    if (encode.all.empty()) {
        return false;
    }
    std::printf("EncodeAllPages over the six pages, %s, %d calls:\n", what, kEncodeCalls);
    std::printf("  median              %8.4f ms (goal: under 0.2 ms)\n", Median(encode.all));
    std::printf("  90th percentile     %8.4f ms\n", Quantile(encode.all, 0.9));
    const char* names[] = {"function selection", "parameters", "MSW1", "MSW2", "MSW3", "MSW4"};
    std::printf("  EncodeRecord alone, median of %d calls each:\n", kEncodeCalls / 4);
    for (std::size_t i = 0; i < encode.perPage.size(); ++i) {
        std::printf("    %-18s %8.4f ms\n", names[i], Median(encode.perPage[i]));
    }
    return true;
}

int Run(int argc, char** argv) {
    const bool startUpOnly = argc > 1 && std::string_view(argv[argc - 1]) == "--start-up-only";
    if (startUpOnly) {
        --argc;
    }
    if (argc < 3 || argc > 4) {
        std::fputs("usage: sbbench SWITCHBOARD.exe BASELINE.exe [RUNS] [--start-up-only]\n",
                   stderr);
        return 2;
    }
    const std::wstring panelExe = DosPath(argv[1]);
    const std::wstring baselineExe = DosPath(argv[2]);
    const int runs = argc == 4 ? std::max(1, std::atoi(argv[3])) : 15;

    // The panel must find exactly one queue of its driver, or it would ask which to take; a
    // bench that was stopped halfway leaves its queue behind.
    for (const QueueInfo& left : ListQueues()) {
        if (left.driver == kDriver) {
            RemoveQueue(left.name);
        }
    }
    ScopedQueue queue(
        {L"Quillstrike 480ZQ9 (bench " + std::to_wstring(::GetCurrentProcessId()) + L")", kDriver,
         L"|cat > /dev/null"});
    if (queue.Error() != ERROR_SUCCESS) {
        std::fprintf(stderr, "sbbench: cannot make the print queue (error %lu)\n", queue.Error());
        return 1;
    }
    // The first start of each warms Wine's caches; it is not counted.
    if (TimeStartUp(baselineExe) < 0 || TimeStartUp(panelExe) < 0) {
        std::fputs("sbbench: a program did not show its window\n", stderr);
        return 1;
    }
    std::vector<double> baseline;
    std::vector<double> panel;
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) {
        baseline.push_back(TimeStartUp(baselineExe));
        panel.push_back(TimeStartUp(panelExe));
        if (baseline.back() < 0 || panel.back() < 0) {
            std::fputs("sbbench: a program did not show its window\n", stderr);
            return 1;
        }
        ratios.push_back(panel.back() / baseline.back());
    }
    std::printf("start-up until idle with the main window shown, at %u dpi, median of %d runs "
                "each:\n",
                SystemDpi(), runs);
    std::printf("  switchboard.exe     %8.1f ms\n", Median(panel));
    std::printf("  empty dialog        %8.1f ms\n", Median(baseline));
    std::printf("  ratio               %8.2f (goal: at most 2.5)\n",
                Median(panel) / Median(baseline));
    std::printf("  ratio of each pair  %8.2f min, %.2f to %.2f middle half, %.2f max\n",
                Quantile(ratios, 0), Quantile(ratios, 0.25), Quantile(ratios, 0.75),
                Quantile(ratios, 1));
    if (startUpOnly) {
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    return ReportEncode("windows made", TimeEncodeAll(true)) &&
                   ReportEncode("no window made", TimeEncodeAll(false))
               ? 0
               : 1;
}

} // namespace
} // namespace sb

int main(int argc, char** argv) {
    return sb::Run(argc, argv);
}
