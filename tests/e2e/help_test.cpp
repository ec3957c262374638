// The help with swbz48.chm beside the program, as the build puts it: the item enabled, F1
// opening the HTML Help viewer, and keys typed in the viewer kept from the panel's commands.
#include "tests/e2e/scenario.h"

#include <commctrl.h>

namespace sb::e2e {
namespace {

constexpr int kTabControl = 1000;
constexpr int kTabParam = 1;
// Long enough for the printer selection to have come up, had a key opened it.
constexpr DWORD kSelectionMs = 2000;
// The HTML Help viewer's frame.
constexpr wchar_t kViewerClass[] = L"HH Parent";

class Help : public Scenario {
protected:
    // The main window, once the printer selection at start has taken the first queue.
    HWND StartWithTwoPrinters() {
        AddCapturedQueue(L"A Quillstrike");
        AddCapturedQueue(L"B Quillstrike");
        m_app = Start();
        const HWND selection = WaitDialog(Pid(), L"プリンタの選択", kStartMs);
        if (!selection) {
            ADD_FAILURE() << "no printer selection; open: " << Narrow(DescribeDialogs(Pid()));
            return nullptr;
        }
        Press(selection, IDOK);
        const HWND panel = WaitDialog(Pid(), kPanelTitle);
        EXPECT_TRUE(panel && OnlyPanel(Pid(), panel)) << Narrow(DescribeDialogs(Pid()));
        return panel;
    }

    // The viewer that has just opened, with no message box beside it.
    HWND Viewer(HWND panel) const {
        const HWND viewer = WaitWindowOfClass(Pid(), kViewerClass);
        EXPECT_NE(viewer, nullptr) << "no help viewer; open: " << Narrow(DescribeDialogs(Pid()));
        EXPECT_TRUE(OnlyPanel(Pid(), panel));
        return viewer;
    }

    void CloseViewerAndPanel(HWND viewer, HWND panel) {
        ::PostMessageW(viewer, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitGone(viewer));
        Panel(panel).Close();
        EXPECT_EQ(m_app->WaitExit(), 0u) << Narrow(DescribeDialogs(Pid()));
    }

    DWORD Pid() const { return m_app->Pid(); }

private:
    std::unique_ptr<AppProcess> m_app;
};

LRESULT SelectedTab(HWND panel) {
    return ::SendMessageW(ChildById(panel, kTabControl), TCM_GETCURSEL, 0, 0);
}

bool WaitTab(HWND panel, LRESULT tab) {
    const ULONGLONG deadline = ::GetTickCount64() + kWaitMs;
    while (SelectedTab(panel) != tab && ::GetTickCount64() < deadline) {
        ::Sleep(20);
    }
    return SelectedTab(panel) == tab;
}

TEST_F(Help, TheEnabledItemAndF1OpenTheViewer) {
    const HWND panel = StartWithTwoPrinters();
    ASSERT_NE(panel, nullptr);
    // A grayed item cannot be chosen: Alt+H opens the popup on its first item.
    ASSERT_TRUE(TypeKey(panel, 'H', VK_MENU));
    ASSERT_TRUE(TypeKey(panel, VK_RETURN));
    HWND viewer = Viewer(panel);
    ASSERT_NE(viewer, nullptr);
    ::PostMessageW(viewer, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(viewer));

    ASSERT_TRUE(TypeKey(panel, VK_F1));
    viewer = Viewer(panel);
    ASSERT_NE(viewer, nullptr);
    CloseViewerAndPanel(viewer, panel);
}

TEST_F(Help, KeysTypedInTheViewerStayOutOfThePanel) {
    const HWND panel = StartWithTwoPrinters();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(TypeKey(panel, VK_F1));
    const HWND viewer = Viewer(panel);
    ASSERT_NE(viewer, nullptr);

    // The panel's keys for the parameter tab and the printer selection, which takes a while
    // to come up.
    EXPECT_TRUE(TypeKey(viewer, 'P', VK_CONTROL));
    EXPECT_TRUE(TypeKey(viewer, 'C', VK_CONTROL));
    EXPECT_EQ(WaitDialog(Pid(), L"プリンタの選択", kSelectionMs), nullptr);
    EXPECT_EQ(SelectedTab(panel), 0);
    // The same key still reaches the panel when it is in front.
    EXPECT_TRUE(TypeKey(panel, 'P', VK_CONTROL));
    EXPECT_TRUE(WaitTab(panel, kTabParam));
    EXPECT_TRUE(OnlyPanel(Pid(), panel));
    CloseViewerAndPanel(viewer, panel);
}

} // namespace
} // namespace sb::e2e
