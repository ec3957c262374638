// sbdrive: one user step on a running switchboard.exe, for the screenshot and demo scripts.
//
//   sbdrive wait WINDOW        waits until the window is on the screen
//   sbdrive rect WINDOW        prints its rectangle as WxH+X+Y (for cropping a screenshot)
//   sbdrive press WINDOW ID    presses its button ID and waits until it closes
//   sbdrive tab N              shows tab N (0-5) through its menu command
//   sbdrive form               opens the form settings from the function selection page
//   sbdrive command ID         posts a menu command to the main window
//   sbdrive menu LETTER        opens the menu-bar popup of that mnemonic (f, m or h)
//   sbdrive endmenu            closes an open menu
//
// WINDOW is main, selection, form, about or box (a message box). Arguments are ASCII on purpose:
// Japanese titles would not survive a command line in a non-UTF-8 locale. Exit status 0 on
// success, 1 when the window or page did not come, 2 on a bad command line.
#include "tests/e2e/driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace sb::e2e;

constexpr DWORD kWindowMs = 15000;
constexpr int kFormButton = 1002;

struct Tab {
    int command;
    const wchar_t* page;
};
constexpr Tab kTabs[] = {{32771, L"機能選択"}, {32801, L"パラメータ設定"}, {32773, L"MSW1"},
                         {32778, L"MSW2"},     {32779, L"MSW3"},           {32780, L"MSW4"}};

// The window on the screen now, or null.
HWND WindowNamed(std::string_view name) {
    if (name == "main") {
        return WaitDialog(0, kPanelTitle, 0);
    }
    if (name == "selection") {
        return WaitDialog(0, L"プリンタの選択", 0);
    }
    if (name == "form") {
        for (const wchar_t* form : {L"書式０", L"書式１", L"書式２", L"書式３", L"書式４"}) {
            if (HWND found = WaitDialog(0, std::wstring(L"書式の設定： ") + form, 0)) {
                return found;
            }
        }
        return nullptr;
    }
    if (name == "about") {
        return WaitDialog(0, L"バージョン情報", 0);
    }
    if (name == "box") {
        const auto box = WaitMessageBox(0, 0);
        return box ? box->hwnd : nullptr;
    }
    return nullptr;
}

HWND WaitWindowNamed(std::string_view name) {
    const ULONGLONG deadline = ::GetTickCount64() + kWindowMs;
    HWND found = WindowNamed(name);
    while (!found && ::GetTickCount64() < deadline) {
        ::Sleep(50);
        found = WindowNamed(name);
    }
    return found;
}

int Fail(const std::string& what) {
    std::fprintf(stderr, "sbdrive: %s\n", what.c_str());
    return 1;
}

int Usage() {
    std::fputs("usage: sbdrive wait|rect WINDOW | press WINDOW ID | tab N | form | command ID |\n"
               "       menu LETTER | endmenu\n"
               "       WINDOW: main, selection, form, box\n",
               stderr);
    return 2;
}

bool ParseInt(const char* text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    value = static_cast<int>(parsed);
    return end != text && *end == '\0';
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    // Rectangles in the screen's pixels, as the shots cut them: to a program unaware of the
    // scale, the system gives the panel's scaled to 96 dpi.
    SetProcessDPIAware();
    const std::string_view command = argv[1];
    int number = 0;
    if ((command == "wait" || command == "rect") && argc == 3) {
        const HWND window = WaitWindowNamed(argv[2]);
        if (!window) {
            return Fail(std::string("no window ") + argv[2]);
        }
        if (command == "rect") {
            RECT rect{};
            ::GetWindowRect(window, &rect);
            std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top,
                        rect.left, rect.top);
        }
        return 0;
    }
    if (command == "press" && argc == 4 && ParseInt(argv[3], number)) {
        const HWND window = WaitWindowNamed(argv[2]);
        if (!window || !Press(window, number) || !WaitGone(window)) {
            return Fail(std::string("could not press ") + argv[3] + " in " + argv[2]);
        }
        return 0;
    }
    const HWND main = WaitWindowNamed("main");
    if (!main) {
        return Fail("no main window");
    }
    const Panel panel(main);
    if (command == "tab" && argc == 3 && ParseInt(argv[2], number) && number >= 0 &&
        number < static_cast<int>(std::size(kTabs))) {
        const Tab& tab = kTabs[number];
        return panel.ShowPage(tab.command, tab.page) ? 0 : Fail("the tab did not show");
    }
    if (command == "form" && argc == 2) {
        const HWND select = panel.ShowPage(kTabs[0].command, kTabs[0].page);
        if (!select) {
            return Fail("no function selection page");
        }
        ::PostMessageW(::GetDlgItem(select, kFormButton), BM_CLICK, 0, 0);
        return WaitWindowNamed("form") ? 0 : Fail("no form dialog");
    }
    if (command == "command" && argc == 3 && ParseInt(argv[2], number)) {
        panel.Command(number);
        return 0;
    }
    if (command == "menu" && argc == 3 && std::strlen(argv[2]) == 1) {
        // As Alt and the letter would: the system opens the popup in the program's thread.
        ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, static_cast<unsigned char>(argv[2][0]));
        return 0;
    }
    if (command == "endmenu" && argc == 2) {
        ::PostMessageW(main, WM_CANCELMODE, 0, 0);
        return 0;
    }
    return Usage();
}

} // namespace

int main(int argc, char** argv) {
    return Run(argc, argv);
}
