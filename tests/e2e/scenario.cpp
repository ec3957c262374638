#include "tests/e2e/scenario.h"

#include <commctrl.h>

#include <algorithm>

namespace sb::e2e {
namespace {

// Long enough for a question that is coming to be on the screen.
constexpr DWORD kSettleMs = 300;

constexpr std::string_view kFactoryHex = "1C 6F 30 2C 00 00 2C 02 00 2C 00 00 2C 0C 00 2C"
                                         "30 2C 30 2C 30 2C 00 2C 30 2C 30 2C 34 30 2C 33"
                                         "36 2C 30 39 36 2C 36 36 2C 31 32 30 2C 31 32 30"
                                         "2C 30 34 36 2C 30 34 36 2C 30 35 34 2C 30 30 2C"
                                         "30 30 2C 30 39 2C 30 2C 30 2C 30 30 2C 30 30 2C"
                                         "30 30 2C 30 2C 30 2C 36 36 2C 30 30 30 2C 31 33"
                                         "36 2C 31 32 30 2C 31 32 30 2C 30 34 36 2C 30 34"
                                         "36 2C 30 35 34 2C 30 30 2C 30 30 2C 00 2C 36 36"
                                         "2C 30 30 30 2C 31 33 36 2C 31 32 30 2C 31 32 30"
                                         "2C 30 34 36 2C 30 34 36 2C 30 35 34 2C 30 30 2C"
                                         "30 30 2C 00 2C 36 36 2C 30 30 30 2C 31 33 36 2C"
                                         "31 32 30 2C 31 32 30 2C 30 34 36 2C 30 34 36 2C"
                                         "30 35 34 2C 30 30 2C 30 30 2C 00 2C 36 36 2C 30"
                                         "30 30 2C 31 33 36 2C 31 32 30 2C 31 32 30 2C 30"
                                         "34 36 2C 30 34 36 2C 30 35 34 2C 30 30 2C 30 30"
                                         "2C 00 2C 31 35 2C 30 32 2C 30 32 2C 30 30 2C 30"
                                         "30 2C 30 30 2C 30 30 2E 00 00 00 00 00 00";

// "Quillstrike 480ZQ9", a line feed and a zero byte.
constexpr std::string_view kHeaderHex =
    "51 75 69 6C 6C 73 74 72 69 6B 65 20 34 38 30 5A 51 39 0A 00";

bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ButtonList(const std::vector<int>& buttons) {
    std::string text;
    for (int id : buttons) {
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    }
    return "{" + text + "}";
}

} // namespace

Bytes HexBytes(std::string_view hex) {
    Bytes bytes;
    const auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    for (std::size_t i = 0; i + 1 < hex.size(); ++i) {
        if (hex[i] != ' ') {
            bytes.push_back(static_cast<std::uint8_t>(digit(hex[i]) * 16 + digit(hex[i + 1])));
            ++i;
        }
    }
    return bytes;
}

Bytes FactoryRecord() {
    return HexBytes(kFactoryHex);
}

Bytes FileHeader() {
    return HexBytes(kHeaderHex);
}

Changes ChangesBetween(const Bytes& from, const Bytes& to) {
    Changes changes;
    for (std::size_t i = 0; i < std::min(from.size(), to.size()); ++i) {
        if (from[i] != to[i]) {
            changes.emplace_back(i, to[i]);
        }
    }
    return changes;
}

void ExpectLogLines(const JobCapture& capture, const std::vector<std::string>& lines) {
    if (!capture.Emulated()) {
        return;
    }
    const std::string log = capture.Log();
    for (const std::string& line : lines) {
        EXPECT_NE(log.find("\n" + line + "\n"), std::string::npos) << line << " not in:\n" << log;
    }
}

void Scenario::SetUp() {
    const std::string app = EnvVar("SB_E2E_APP");
    const std::string work = EnvVar("SB_E2E_WORK");
    ASSERT_FALSE(app.empty() || work.empty()) << "SB_E2E_APP and SB_E2E_WORK must be set";
    m_app = DosPath(app);
    ASSERT_TRUE(FileExists(m_app)) << app;

    // A scenario that was killed leaves its queues; they would be offered to this one.
    for (const QueueInfo& queue : ListQueues()) {
        if (queue.name.find(L"[e2e ") != std::wstring::npos) {
            RemoveQueue(queue.name);
        }
    }
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir =
        std::make_unique<WorkDir>(work, std::string(test->test_suite_name()) + "." + test->name());
    std::string sbemu = EnvVar("SB_SBEMU");
    if (!sbemu.empty() && !FileExists(DosPath(sbemu))) {
        sbemu.clear();
    }
    m_capture = std::make_unique<JobCapture>(*m_dir, sbemu);
}

std::wstring Scenario::QueueName(std::wstring_view label) const {
    return std::wstring(label) + L" [e2e " + std::to_wstring(::GetCurrentProcessId()) + L"]";
}

std::wstring Scenario::AddCapturedQueue(std::wstring_view label) {
    return AddQueue(label, kDriver, m_capture->Port());
}

std::wstring Scenario::AddQueue(std::wstring_view label, std::wstring_view driver,
                                std::wstring_view port) {
    const std::wstring name = QueueName(label);
    m_queues.push_back(
        std::make_unique<ScopedQueue>(QueueInfo{name, std::wstring(driver), std::wstring(port)}));
    EXPECT_EQ(m_queues.back()->Error(), static_cast<DWORD>(ERROR_SUCCESS)) << Narrow(name);
    return name;
}

std::unique_ptr<AppProcess> Scenario::Start() const {
    auto app = std::make_unique<AppProcess>(m_app);
    EXPECT_NE(app->Pid(), 0u) << "switchboard.exe did not start";
    return app;
}

HWND Scenario::StartPanel(std::unique_ptr<AppProcess>& app) const {
    app = Start();
    const DWORD pid = app->Pid();
    const ULONGLONG deadline = ::GetTickCount64() + kStartMs;
    while (pid != 0 && app->Running() && ::GetTickCount64() < deadline) {
        const std::vector<HWND> dialogs = DialogsOf(pid);
        if (dialogs.size() == 1 && TextOf(dialogs.front()) == kPanelTitle) {
            return dialogs.front();
        }
        // Anything else on the screen first is the failure itself.
        if (!dialogs.empty()) {
            break;
        }
        ::Sleep(20);
    }
    ADD_FAILURE() << "no main window alone; open: " << Narrow(DescribeDialogs(pid))
                  << (app->Running() ? "" : " (the program ended)");
    return nullptr;
}

::testing::AssertionResult Answer(DWORD pid, std::string_view text, std::vector<int> buttons,
                                  int answer) {
    return AnswerBox(pid, "Switchboard", text, std::move(buttons), answer);
}

::testing::AssertionResult AnswerBox(DWORD pid, std::string_view caption, std::string_view text,
                                     std::vector<int> buttons, int answer) {
    const auto box = WaitMessageBox(pid);
    if (!box) {
        return ::testing::AssertionFailure()
               << "no message box \"" << text << "\"; open: " << Narrow(DescribeDialogs(pid));
    }
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    if (Narrow(box->caption) != caption || Narrow(box->text) != text || box->buttons != buttons) {
        result = ::testing::AssertionFailure()
                 << "message box \"" << Narrow(box->caption) << "\" \"" << Narrow(box->text)
                 << "\" " << ButtonList(box->buttons) << ", expected \"" << caption << "\" \""
                 << text << "\" " << ButtonList(buttons);
    }
    // Answered even when it is the wrong box, so the scenario ends instead of hanging.
    const int press = std::count(box->buttons.begin(), box->buttons.end(), answer) != 0
                          ? answer
                          : (box->buttons.empty() ? IDOK : box->buttons.front());
    if (!Press(box->hwnd, press) || !WaitGone(box->hwnd)) {
        return ::testing::AssertionFailure() << "the message box \"" << Narrow(box->text)
                                             << "\" did not close on button " << press;
    }
    return result;
}

::testing::AssertionResult OnlyPanel(DWORD pid, HWND panel) {
    ::Sleep(kSettleMs);
    const std::vector<HWND> dialogs = DialogsOf(pid);
    if (dialogs.size() != 1 || dialogs.front() != panel) {
        return ::testing::AssertionFailure()
               << "expected the main window alone; open: " << Narrow(DescribeDialogs(pid));
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult AnswerFileDialog(DWORD pid, const std::wstring& path) {
    const HWND dialog = WaitFileDialog(pid);
    if (!dialog) {
        return ::testing::AssertionFailure()
               << "no file dialog; open: " << Narrow(DescribeDialogs(pid));
    }
    const bool answered = path.empty() ? Press(dialog, IDCANCEL) : ChooseFile(dialog, path);
    if (!answered || !WaitGone(dialog)) {
        return ::testing::AssertionFailure() << "the file dialog did not take \"" << Narrow(path)
                                             << "\"; open: " << Narrow(DescribeDialogs(pid));
    }
    return ::testing::AssertionSuccess();
}

bool ButtonEnabled(HWND panel, int button) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(ChildById(panel, kToolBarId), TB_ISBUTTONENABLED,
                          static_cast<WPARAM>(button), 0, SMTO_ABORTIFHUNG, 2000, &result);
    return result != 0;
}

} // namespace sb::e2e
