// Start-up as the user meets it: which print queues lead to the main window, which end the
// program with a message and exit code 1, and a second start while one runs.
#include "tests/e2e/scenario.h"

#include <commctrl.h>

namespace sb::e2e {
namespace {

using Startup = Scenario;

TEST_F(Startup, WithoutAQueueOfThePrintersDriverEndsWithCode1) {
    AddQueue(L"Quillstrike 480ZQ8", L"VYR Quillstrike 480ZQ8", Capture().Port());
    auto app = Start();
    EXPECT_TRUE(
        Answer(app->Pid(),
               "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直し"
               "てください。\n\nSwitchboardを終了します。",
               {IDOK}, IDOK));
    EXPECT_EQ(app->WaitExit(), 1u);
}

TEST_F(Startup, TheOnlyQueueOnFileEndsWithCode1) {
    AddQueue(L"Quillstrike ファイル", kDriver, L"FILE:");
    auto app = Start();
    EXPECT_TRUE(Answer(app->Pid(),
                       "接続先がFILEのため設定値を送信できません。\nプリンタ設定を確認してやり直"
                       "してください。\n\nSwitchboardを終了します。",
                       {IDOK}, IDOK));
    EXPECT_EQ(app->WaitExit(), 1u);
}

TEST_F(Startup, EveryQueueOnFileEndsWithCode1) {
    AddQueue(L"A Quillstrike", kDriver, L"FILE:");
    AddQueue(L"B Quillstrike", kDriver, L"FILE:");
    auto app = Start();
    EXPECT_TRUE(Answer(app->Pid(),
                       "インストールされているプリンタの接続先がFILEのため設定値を送信できません。"
                       "\nプリンタ設定を確認してやり直してください。\n\nSwitchboardを終了します。",
                       {IDOK}, IDOK));
    EXPECT_EQ(app->WaitExit(), 1u);
}

// The queue on FILE: sorts first, so it is the row preselected.
TEST_F(Startup, SelectionOffersTheDriversQueuesAndRefusesTheFilePort) {
    const std::wstring onFile = AddQueue(L"A ファイル出力", kDriver, L"FILE:");
    const std::wstring captured = AddCapturedQueue(L"B Quillstrike (テスト)");
    AddQueue(L"C Quillstrike 480ZQ8", L"VYR Quillstrike 480ZQ8", Capture().Port());
    auto app = Start();
    const DWORD pid = app->Pid();
    const HWND selection = WaitDialog(pid, L"プリンタの選択", kStartMs);
    ASSERT_NE(selection, nullptr) << Narrow(DescribeDialogs(pid));
    const HWND list = ChildById(selection, kPrinterList);
    ASSERT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ListViewText(list, 0, 0), onFile);
    EXPECT_EQ(ListViewText(list, 0, 1), L"FILE:");
    EXPECT_EQ(ListViewText(list, 1, 0), captured);
    EXPECT_EQ(ListViewText(list, 1, 1), Capture().Port());
    EXPECT_EQ(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);

    Press(selection, IDOK);
    EXPECT_TRUE(Answer(pid,
                       "接続先がFILEのため設定値を送信できません。\nプリンタ設定を変更するか、他の"
                       "プリンタに変更してください。",
                       {IDOK}, IDOK));
    ASSERT_TRUE(::IsWindowVisible(selection));
    ::PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(list, WM_KEYUP, VK_DOWN, 0);
    Press(selection, IDOK);

    const HWND panel = WaitDialog(pid, kPanelTitle);
    ASSERT_NE(panel, nullptr) << Narrow(DescribeDialogs(pid));
    ASSERT_TRUE(OnlyPanel(pid, panel));
    const HWND status = ChildById(panel, kStatusBarId);
    EXPECT_EQ(StatusText(status, 0), L"プリンタ名： " + captured);
    EXPECT_EQ(StatusText(status, 1), L"接続先： " + Capture().Port());
    EXPECT_TRUE(ButtonEnabled(panel, kPrinterButton));

    Panel(panel).Command(kSend);
    EXPECT_TRUE(Answer(pid, "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    EXPECT_EQ(Capture().WaitJob(kWaitMs), FactoryRecord());
}

// The hidden pages are made once the window waits for the user; being made shows their
// values and is no change of the user's, so a send made before stays the last word.
TEST_F(Startup, HiddenPagesAreMadeWhenIdleWithTheirValuesAndNoChange) {
    AddCapturedQueue(L"Quillstrike");
    std::unique_ptr<AppProcess> app;
    const HWND panel = StartPanel(app);
    ASSERT_NE(panel, nullptr);
    const Panel main(panel);
    main.Command(kSend);
    EXPECT_TRUE(Answer(app->Pid(), "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    const HWND msw4 = main.Page(L"MSW4");
    ASSERT_NE(msw4, nullptr);
    for (const wchar_t* page : {L"パラメータ設定", L"MSW1", L"MSW2", L"MSW3"}) {
        EXPECT_NE(main.Page(page), nullptr) << Narrow(page);
    }
    EXPECT_FALSE(::IsWindowVisible(msw4));
    EXPECT_TRUE(IsChecked(msw4, kIdleStrikeOn));
    EXPECT_FALSE(ButtonEnabled(panel, kSendButton));
    EXPECT_EQ(Capture().WaitJob(kWaitMs), FactoryRecord());
}

TEST_F(Startup, CancellingTheSelectionEndsTheProgram) {
    AddCapturedQueue(L"A Quillstrike");
    AddCapturedQueue(L"B Quillstrike");
    auto app = Start();
    const HWND selection = WaitDialog(app->Pid(), L"プリンタの選択", kStartMs);
    ASSERT_NE(selection, nullptr) << Narrow(DescribeDialogs(app->Pid()));
    Press(selection, IDCANCEL);
    EXPECT_EQ(app->WaitExit(), 0u);
}

TEST_F(Startup, ASecondInstanceEndsAtOnceAndLeavesTheFirstRunning) {
    AddCapturedQueue(L"Quillstrike");
    std::unique_ptr<AppProcess> first;
    const HWND panel = StartPanel(first);
    ASSERT_NE(panel, nullptr);

    auto second = Start();
    EXPECT_EQ(second->WaitExit(), 0u);
    EXPECT_TRUE(first->Running());
    EXPECT_TRUE(OnlyPanel(first->Pid(), panel));

    Panel(panel).Close();
    EXPECT_EQ(first->WaitExit(), 0u);
}

} // namespace
} // namespace sb::e2e
