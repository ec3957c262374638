// What every scenario shares: its own folder, its print queues, the capture behind them,
// the program's start, and the checks that read like the user's side of the screen.
#pragma once

#include "tests/e2e/capture.h"
#include "tests/e2e/driver.h"
#include "tools/queue_admin.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sb::e2e {

inline constexpr wchar_t kDriver[] = L"VYR Quillstrike 480ZQ9";

// Command ids as the menu sends them.
enum Command : int {
    kShowMsw1 = 32773,
    kShowMsw2 = 32778,
    kShowMsw3 = 32779,
    kShowMsw4 = 32780,
    kLoad = 32781,
    kSave = 32782,
    kExit = 32783,
    kSend = 32784,
    kFactory = 32785,
    kSelectPrinter = 32798,
    kShowParam = 32801,
};

inline constexpr int kToolBarId = 2016;
inline constexpr int kStatusBarId = 2015;
inline constexpr int kSendButton = 2002;
inline constexpr int kPrinterButton = 2004;
// The printer selection's list of queues.
inline constexpr int kPrinterList = 1069;

// "1C 6F 30 ..." as bytes.
Bytes HexBytes(std::string_view hex);
// The factory record, spelled out as the printer must receive it.
Bytes FactoryRecord();
// The settings-file header, spelled out.
Bytes FileHeader();

// The bytes of `to` that differ from `from`, as (offset, new value).
using Changes = std::vector<std::pair<std::size_t, std::uint8_t>>;
Changes ChangesBetween(const Bytes& from, const Bytes& to);

// The emulator's reading of the jobs, where it runs: each line is in its log.
void ExpectLogLines(const JobCapture& capture, const std::vector<std::string>& lines);

class Scenario : public ::testing::Test {
protected:
    void SetUp() override;

    // Queue names carry this process's id; a label starting with "A" sorts first.
    std::wstring QueueName(std::wstring_view label) const;
    // A queue with the printer's driver on the capture's pipe port.
    std::wstring AddCapturedQueue(std::wstring_view label);
    std::wstring AddQueue(std::wstring_view label, std::wstring_view driver,
                          std::wstring_view port);

    std::unique_ptr<AppProcess> Start() const;
    // Starts the program and waits for its main window; null (with a failure recorded)
    // when something else came up.
    HWND StartPanel(std::unique_ptr<AppProcess>& app) const;

    const WorkDir& Dir() const { return *m_dir; }
    JobCapture& Capture() { return *m_capture; }

private:
    std::unique_ptr<WorkDir> m_dir;
    std::unique_ptr<JobCapture> m_capture;
    std::vector<std::unique_ptr<ScopedQueue>> m_queues;
    std::wstring m_app;
};

// Waits for the next message box of the process, checks its caption "Switchboard", text and
// buttons, and presses `answer`.
::testing::AssertionResult Answer(DWORD pid, std::string_view text, std::vector<int> buttons,
                                  int answer);
// The same for a message box with a caption of its own.
::testing::AssertionResult AnswerBox(DWORD pid, std::string_view caption, std::string_view text,
                                     std::vector<int> buttons, int answer);
// The exit procedure's questions about unsent and unsaved settings, and their buttons.
inline constexpr std::string_view kSendQuestion =
    "Switchboard を終了する前に、設定値をプリンタへ送信しますか？";
inline constexpr std::string_view kSaveQuestion =
    "Switchboard を終了する前に、設定ファイルへ保存しますか？";
inline const std::vector<int> kYesNoCancel{IDCANCEL, IDYES, IDNO};
// Nothing but the main window is open, and it answers.
::testing::AssertionResult OnlyPanel(DWORD pid, HWND panel);
// Waits for the file dialog, types the path and presses OK (or Cancel for an empty path).
::testing::AssertionResult AnswerFileDialog(DWORD pid, const std::wstring& path);
// Control ids of the pages that several scenarios work.
inline constexpr int kCountry = 1010;       // MSW1, combo box
inline constexpr int kQuietModeOn = 1009;   // MSW2, second button of MSW2-4
inline constexpr int kIdleStrikeOn = 1031;  // MSW4, first button of MSW4-1
inline constexpr int kIdleStrikeOff = 1237; // MSW4, second button of MSW4-1
inline constexpr int kFormSelection = 1056; // function selection, combo box
inline constexpr int kFormButton = 1002;    // function selection, form settings

// The state of a tool-bar button of the main window.
bool ButtonEnabled(HWND panel, int button);

} // namespace sb::e2e
