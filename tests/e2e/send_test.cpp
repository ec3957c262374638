// Sending as the user meets it: the job that reaches the printer, byte for byte, after the
// user has changed settings on the pages.
#include "tests/e2e/scenario.h"

namespace sb::e2e {
namespace {

constexpr int kReduction = 1057;
constexpr int kFont1 = 1058;
constexpr int kFrontTractorCentering = 1062;
constexpr int kSlashedZero2 = 1026;
constexpr int kIdleStrikeOn = 1031;
constexpr int kFormFrontTractor = 1060;

using Send = Scenario;

TEST_F(Send, TheFactoryRecordReachesTheOnlyPrinterByteForByte) {
    const std::wstring queue = AddCapturedQueue(L"Quillstrike 480ZQ9 (テスト)");
    std::unique_ptr<AppProcess> app;
    const HWND panel = StartPanel(app);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(StatusText(ChildById(panel, kStatusBarId), 0), L"プリンタ名： " + queue);
    // With one printer there is nothing to switch to.
    EXPECT_FALSE(ButtonEnabled(panel, kPrinterButton));
    EXPECT_TRUE(ButtonEnabled(panel, kSendButton));

    Panel(panel).Command(kSend);
    EXPECT_TRUE(Answer(app->Pid(), "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    const auto job = Capture().WaitJob(kWaitMs);
    ASSERT_TRUE(job) << "no job reached the printer";
    EXPECT_EQ(job->size(), 270u);
    EXPECT_EQ(ChangesBetween(FactoryRecord(), *job), Changes{});
    EXPECT_FALSE(ButtonEnabled(panel, kSendButton));
    ExpectLogLines(Capture(),
                   {"frame: ok", "msw1-country: 日本", "select.form: 書式０", "repairs: none"});

    // Sent and never changed: the close box ends the program without a question.
    Panel(panel).Close();
    EXPECT_EQ(app->WaitExit(), 0u);
}

TEST_F(Send, OneChangeOnEveryPageChangesExactlyItsBytes) {
    AddCapturedQueue(L"Quillstrike");
    std::unique_ptr<AppProcess> app;
    const HWND panel = StartPanel(app);
    ASSERT_NE(panel, nullptr);
    const DWORD pid = app->Pid();
    const Panel main(panel);

    const HWND select = main.Page(L"機能選択");
    ASSERT_TRUE(select && ::IsWindowVisible(select));
    ASSERT_TRUE(Choose(select, kReduction, L"４／５縮小"));
    ::PostMessageW(::GetDlgItem(select, kFormButton), BM_CLICK, 0, 0);
    const HWND form = WaitDialog(pid, L"書式の設定： 書式０");
    ASSERT_NE(form, nullptr) << Narrow(DescribeDialogs(pid));
    Type(form, kFormFrontTractor, L"100");
    Press(form, IDOK);
    ASSERT_TRUE(WaitGone(form)) << Narrow(DescribeDialogs(pid));

    const HWND param = main.ShowPage(kShowParam, L"パラメータ設定");
    ASSERT_NE(param, nullptr);
    ASSERT_TRUE(Choose(param, kFont1, L"OCR-B"));
    const HWND msw1 = main.ShowPage(kShowMsw1, L"MSW1");
    ASSERT_NE(msw1, nullptr);
    ASSERT_TRUE(Choose(msw1, kCountry, L"ドイツ"));
    const HWND msw2 = main.ShowPage(kShowMsw2, L"MSW2");
    ASSERT_NE(msw2, nullptr);
    Click(msw2, kQuietModeOn);
    const HWND msw3 = main.ShowPage(kShowMsw3, L"MSW3");
    ASSERT_NE(msw3, nullptr);
    Click(msw3, kSlashedZero2);
    const HWND msw4 = main.ShowPage(kShowMsw4, L"MSW4");
    ASSERT_NE(msw4, nullptr);
    Click(msw4, kIdleStrikeOff);
    EXPECT_FALSE(::IsWindowVisible(select));

    main.Command(kSend);
    EXPECT_TRUE(Answer(pid, "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    const auto job = Capture().WaitJob(kWaitMs);
    ASSERT_TRUE(job) << "no job reached the printer";
    EXPECT_EQ(
        ChangesBetween(FactoryRecord(), *job),
        (Changes{{4, 0x04}, {7, 0x0A}, {11, 0x04}, {13, 0x0D}, {16, '4'}, {42, '0'}, {72, '5'}}));
    ExpectLogLines(Capture(), {"msw1-country: ドイツ", "msw2-4: 有効(Q)", "msw3-7: on",
                               "msw4-1: 無効(N)", "param.font1: OCR-B",
                               "select.reduction: ４／５縮小", "form0.load-front-tractor: 100"});

    // A change after the send makes the send available again.
    Click(msw4, kIdleStrikeOn);
    EXPECT_TRUE(ButtonEnabled(panel, kSendButton));
}

TEST_F(Send, AnUncorrectedCentringShowsTheParameterPageAndSendsNothing) {
    AddCapturedQueue(L"Quillstrike");
    std::unique_ptr<AppProcess> app;
    const HWND panel = StartPanel(app);
    ASSERT_NE(panel, nullptr);
    const DWORD pid = app->Pid();
    const Panel main(panel);
    const HWND param = main.ShowPage(kShowParam, L"パラメータ設定");
    ASSERT_NE(param, nullptr);
    // 5 may still grow into 50: its correction waits for the send.
    Type(param, kFrontTractorCentering, L"5");
    EXPECT_EQ(TextOf(::GetDlgItem(param, kFrontTractorCentering)), L"5");
    ASSERT_NE(main.ShowPage(kShowMsw1, L"MSW1"), nullptr);

    main.Command(kSend);
    EXPECT_TRUE(AnswerBox(pid, "パラメータ設定－用紙吸入時ヘッドセンタリング位置",
                          "用紙吸入時ヘッドセンタリング位置の値が設定範囲を超えています。\n適正値"
                          "に変更します。",
                          {IDOK}, IDOK));
    EXPECT_TRUE(::IsWindowVisible(param));
    EXPECT_EQ(TextOf(::GetDlgItem(param, kFrontTractorCentering)), L"10");
    EXPECT_TRUE(OnlyPanel(pid, panel));
    EXPECT_TRUE(Capture().NoJob(500));

    main.Command(kSend);
    EXPECT_TRUE(Answer(pid, "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    const auto job = Capture().WaitJob(kWaitMs);
    ASSERT_TRUE(job) << "no job reached the printer";
    EXPECT_EQ(ChangesBetween(FactoryRecord(), *job), (Changes{{31, '1'}, {32, '0'}}));
}

} // namespace
} // namespace sb::e2e
