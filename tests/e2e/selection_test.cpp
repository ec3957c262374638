// Choosing another printer while the program runs: the questions about unsent and unsaved
// settings first, the printer in use preselected, and the factory values afterwards.
#include "tests/e2e/scenario.h"

#include <commctrl.h>

namespace sb::e2e {
namespace {

using Selection = Scenario;

LRESULT SelectedRow(HWND selection) {
    return ::SendMessageW(ChildById(selection, kPrinterList), LVM_GETNEXTITEM,
                          static_cast<WPARAM>(-1), LVNI_SELECTED);
}

void PressKey(HWND selection, WPARAM key) {
    const HWND list = ChildById(selection, kPrinterList);
    ::PostMessageW(list, WM_KEYDOWN, key, 0);
    ::PostMessageW(list, WM_KEYUP, key, 0);
}

// The list sorts "é" with "e", which a byte-wise order does not: without a printer in use
// the row selected, and taken by OK, is the list's own first one.
TEST_F(Selection, WithoutAPrinterInUseTheListsFirstRowIsTaken) {
    AddCapturedQueue(L"gamma");
    const std::wstring accented = AddCapturedQueue(L"éclair");
    auto app = Start();
    const DWORD pid = app->Pid();
    const HWND selection = WaitDialog(pid, L"プリンタの選択", kStartMs);
    ASSERT_NE(selection, nullptr) << Narrow(DescribeDialogs(pid));
    EXPECT_EQ(ListViewText(ChildById(selection, kPrinterList), 0, 0), accented);
    EXPECT_EQ(SelectedRow(selection), 0);
    Press(selection, IDOK);
    const HWND panel = WaitDialog(pid, kPanelTitle);
    ASSERT_NE(panel, nullptr) << Narrow(DescribeDialogs(pid));
    EXPECT_EQ(StatusText(ChildById(panel, kStatusBarId), 0), L"プリンタ名： " + accented);
}

TEST_F(Selection, SwitchingAsksFirstKeepsTheChoiceAndShowsTheFactoryValues) {
    const std::wstring first = AddCapturedQueue(L"A Quillstrike");
    const std::wstring second = AddCapturedQueue(L"B Quillstrike");
    auto app = Start();
    const DWORD pid = app->Pid();
    HWND selection = WaitDialog(pid, L"プリンタの選択", kStartMs);
    ASSERT_NE(selection, nullptr) << Narrow(DescribeDialogs(pid));
    PressKey(selection, VK_DOWN);
    Press(selection, IDOK);
    const HWND panel = WaitDialog(pid, kPanelTitle);
    ASSERT_NE(panel, nullptr) << Narrow(DescribeDialogs(pid));
    const HWND status = ChildById(panel, kStatusBarId);
    EXPECT_EQ(StatusText(status, 0), L"プリンタ名： " + second);

    const Panel main(panel);
    const HWND msw2 = main.ShowPage(kShowMsw2, L"MSW2");
    ASSERT_NE(msw2, nullptr);
    Click(msw2, kQuietModeOn);
    main.Command(kSelectPrinter);
    EXPECT_TRUE(Answer(pid,
                       "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送"
                       "信しますか？",
                       {IDCANCEL, IDYES, IDNO}, IDNO));
    EXPECT_TRUE(Answer(pid,
                       "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存し"
                       "ますか？",
                       {IDCANCEL, IDYES, IDNO}, IDNO));
    selection = WaitDialog(pid, L"プリンタの選択");
    ASSERT_NE(selection, nullptr) << Narrow(DescribeDialogs(pid));
    // The printer in use, although it is not the first row.
    EXPECT_EQ(SelectedRow(selection), 1);
    PressKey(selection, VK_UP);
    Press(selection, IDOK);
    EXPECT_TRUE(Answer(pid, "工場出荷設定値を表示しました。", {IDOK}, IDOK));
    EXPECT_TRUE(OnlyPanel(pid, panel));
    EXPECT_EQ(StatusText(status, 0), L"プリンタ名： " + first);
    EXPECT_FALSE(IsChecked(msw2, kQuietModeOn));
    EXPECT_TRUE(::IsWindowVisible(main.Page(L"機能選択")));

    main.Command(kSend);
    EXPECT_TRUE(Answer(pid, "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    EXPECT_EQ(Capture().WaitJob(kWaitMs), FactoryRecord());
}

TEST_F(Selection, APrinterGoneSinceItWasChosenIsReportedAndAnotherChosen) {
    const std::wstring gone = AddCapturedQueue(L"A Quillstrike");
    const std::wstring left = AddCapturedQueue(L"B Quillstrike");
    auto app = Start();
    const DWORD pid = app->Pid();
    HWND selection = WaitDialog(pid, L"プリンタの選択", kStartMs);
    ASSERT_NE(selection, nullptr) << Narrow(DescribeDialogs(pid));
    Press(selection, IDOK);
    const HWND panel = WaitDialog(pid, kPanelTitle);
    ASSERT_NE(panel, nullptr) << Narrow(DescribeDialogs(pid));
    ASSERT_EQ(RemoveQueue(gone), static_cast<DWORD>(ERROR_SUCCESS));

    const Panel main(panel);
    main.Command(kSend);
    EXPECT_TRUE(Answer(pid,
                       "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により"
                       "使用できません。",
                       {IDOK}, IDOK));
    // After start-up a single printer is still offered in the dialog.
    selection = WaitDialog(pid, L"プリンタの選択");
    ASSERT_NE(selection, nullptr) << Narrow(DescribeDialogs(pid));
    EXPECT_EQ(::SendMessageW(ChildById(selection, kPrinterList), LVM_GETITEMCOUNT, 0, 0), 1);
    Press(selection, IDOK);
    EXPECT_TRUE(Answer(pid, "工場出荷設定値を表示しました。", {IDOK}, IDOK));
    EXPECT_TRUE(OnlyPanel(pid, panel));
    EXPECT_TRUE(Capture().NoJob(0));
    EXPECT_EQ(StatusText(ChildById(panel, kStatusBarId), 0), L"プリンタ名： " + left);
    EXPECT_FALSE(ButtonEnabled(panel, kPrinterButton));

    main.Command(kSend);
    EXPECT_TRUE(Answer(pid, "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    EXPECT_EQ(Capture().WaitJob(kWaitMs), FactoryRecord());
}

} // namespace
} // namespace sb::e2e
