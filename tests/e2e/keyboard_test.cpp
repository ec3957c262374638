// The panel under a keyboard user's hands, from the start-up choice to Alt+F4: nothing of
// the test brings a window to the front after the choice, the keys go where the system
// gives them.
#include "tests/e2e/scenario.h"

#include <commctrl.h>

#include <array>
#include <cstdlib>
#include <utility>

namespace sb::e2e {
namespace {

constexpr int kTab = 1000;
constexpr int kPageCount = 6;
constexpr int kCutSheet = 1061; // parameter page, "カット紙(&C)", at least 10
// The form dialog's load positions: each label's access key and the number field it names.
constexpr std::array<std::pair<WORD, int>, 5> kFormAccessKeys = {
    {{'F', 1060}, {'B', 1200}, {'G', 1062}, {'S', 1066}, {'P', 1064}}};

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool FocusReaches(HWND control) {
    return Poll(kWaitMs, [&] { return FocusOf(control) == control; });
}

int TabOf(HWND panel) {
    return static_cast<int>(::SendMessageW(ChildById(panel, kTab), TCM_GETCURSEL, 0, 0));
}

bool TabReaches(HWND panel, int tab) {
    return Poll(kWaitMs, [&] { return TabOf(panel) == tab; });
}

// The window's middle is the middle of `over`, to the pixel the halves round to.
void ExpectCentredOver(HWND window, const RECT& over) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    EXPECT_LE(std::abs((rect.left + rect.right) - (over.left + over.right)), 1);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (over.top + over.bottom)), 1);
}

using Keyboard = Scenario;

TEST_F(Keyboard, FromTheStartUpChoiceToAltF4) {
    AddCapturedQueue(L"A Quillstrike");
    AddCapturedQueue(L"B Quillstrike");
    const auto app = Start();
    const DWORD pid = app->Pid();

    // With no panel yet, the choice stands in the middle of the work area.
    const HWND startChoice = WaitDialog(pid, L"プリンタの選択", kStartMs);
    ASSERT_NE(startChoice, nullptr) << Narrow(DescribeDialogs(pid));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(startChoice, MONITOR_DEFAULTTONEAREST), &monitor);
    ExpectCentredOver(startChoice, monitor.rcWork);
    ASSERT_TRUE(TypeKey(startChoice, VK_DOWN));
    ASSERT_TRUE(InputKey(VK_RETURN));

    // The panel takes over the keys, with its focus on a control.
    const HWND panel = WaitDialog(pid, kPanelTitle);
    ASSERT_NE(panel, nullptr) << Narrow(DescribeDialogs(pid));
    EXPECT_TRUE(Poll(kWaitMs, [&] { return ::GetForegroundWindow() == panel; }));
    EXPECT_TRUE(Poll(kWaitMs, [&] { return ::IsChild(panel, FocusOf(panel)) != FALSE; }));

    // The system's keys for the tabs, beside the program's own, round the row both ways.
    ASSERT_TRUE(InputKey('K', VK_CONTROL));
    ASSERT_TRUE(TabReaches(panel, 0));
    ASSERT_TRUE(InputKey(VK_TAB, VK_CONTROL));
    EXPECT_TRUE(TabReaches(panel, 1));
    ASSERT_TRUE(InputKey(VK_NEXT, VK_CONTROL));
    EXPECT_TRUE(TabReaches(panel, 2));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(InputKey(VK_PRIOR, VK_CONTROL));
    }
    EXPECT_TRUE(TabReaches(panel, kPageCount - 1));

    // Over the panel, the choice stands in the panel's middle.
    ASSERT_TRUE(InputKey('C', VK_CONTROL));
    const HWND choice = WaitDialog(pid, L"プリンタの選択");
    ASSERT_NE(choice, nullptr) << Narrow(DescribeDialogs(pid));
    RECT panelRect{};
    ::GetWindowRect(panel, &panelRect);
    ExpectCentredOver(choice, panelRect);
    ASSERT_TRUE(InputKey(VK_ESCAPE));
    ASSERT_TRUE(WaitGone(choice));

    // An emptied field jumps to its least value, selected, so that the next keys replace it.
    ASSERT_TRUE(InputKey('P', VK_CONTROL));
    const HWND cutSheet = ChildById(Panel(panel).Page(L"パラメータ設定"), kCutSheet);
    ASSERT_TRUE(InputKey('C', VK_MENU));
    ASSERT_TRUE(FocusReaches(cutSheet));
    for (const WORD key : {VK_END, VK_BACK, VK_BACK}) {
        ASSERT_TRUE(InputKey(key));
    }
    EXPECT_TRUE(Poll(kWaitMs, [&] { return TextOf(cutSheet) == L"10"; }))
        << Narrow(TextOf(cutSheet));
    DWORD start = 9;
    DWORD end = 9;
    ::SendMessageW(cutSheet, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);
    ASSERT_TRUE(InputKey('5'));
    ASSERT_TRUE(InputKey('5'));
    EXPECT_TRUE(Poll(kWaitMs, [&] { return TextOf(cutSheet) == L"55"; }))
        << Narrow(TextOf(cutSheet));

    // The form's access keys reach the number fields, not the track bars beside them.
    ASSERT_TRUE(InputKey('K', VK_CONTROL));
    ASSERT_TRUE(TabReaches(panel, 0));
    ASSERT_TRUE(InputKey('D', VK_MENU));
    const HWND form = WaitDialog(pid, L"書式の設定： 書式０");
    ASSERT_NE(form, nullptr) << Narrow(DescribeDialogs(pid));
    for (const auto& [key, edit] : kFormAccessKeys) {
        ASSERT_TRUE(InputKey(key, VK_MENU));
        EXPECT_TRUE(FocusReaches(ChildById(form, edit))) << static_cast<char>(key);
    }
    ASSERT_TRUE(InputKey(VK_ESCAPE));
    ASSERT_TRUE(WaitGone(form));

    // Alt+F4 runs the exit procedure, which asks about the changed field.
    ASSERT_TRUE(InputKey(VK_F4, VK_MENU));
    EXPECT_TRUE(Answer(pid, kSendQuestion, kYesNoCancel, IDNO));
    EXPECT_TRUE(Answer(pid, kSaveQuestion, kYesNoCancel, IDNO));
    EXPECT_EQ(app->WaitExit(), 0u) << Narrow(DescribeDialogs(pid));
}

} // namespace
} // namespace sb::e2e
