// The end of the program as the user meets it: the close box and the menu's exit ask about
// unsent, then unsaved settings; Cancel at either question keeps the program running.
#include "tests/e2e/scenario.h"

namespace sb::e2e {
namespace {

constexpr int kQuietModeOff = 1023; // MSW2, first button of MSW2-4

class Exit : public Scenario {
protected:
    // The program with quiet mode switched on: unsent and unsaved.
    HWND StartChanged() {
        AddCapturedQueue(L"Quillstrike");
        const HWND panel = StartPanel(m_app);
        if (!panel) {
            return nullptr;
        }
        const HWND msw2 = Panel(panel).ShowPage(kShowMsw2, L"MSW2");
        if (!msw2) {
            ADD_FAILURE() << "no MSW2 page";
            return nullptr;
        }
        Click(msw2, kQuietModeOn);
        return panel;
    }
    DWORD Pid() const { return m_app->Pid(); }
    static Bytes Changed() {
        Bytes record = FactoryRecord();
        record[7] = 0x0A;
        return record;
    }

    std::unique_ptr<AppProcess> m_app;
};

TEST_F(Exit, WithoutChangesTheCloseBoxEndsAtOnce) {
    AddCapturedQueue(L"Quillstrike");
    const HWND panel = StartPanel(m_app);
    ASSERT_NE(panel, nullptr);
    Panel(panel).Close();
    EXPECT_EQ(m_app->WaitExit(), 0u) << Narrow(DescribeDialogs(Pid()));
}

TEST_F(Exit, AChangeTakenBackLeavesNothingToAsk) {
    const HWND panel = StartChanged();
    ASSERT_NE(panel, nullptr);
    Click(Panel(panel).Page(L"MSW2"), kQuietModeOff);
    // The send stays available: the data check does not compare.
    EXPECT_TRUE(ButtonEnabled(panel, kSendButton));
    Panel(panel).Close();
    EXPECT_EQ(m_app->WaitExit(), 0u) << Narrow(DescribeDialogs(Pid()));
}

TEST_F(Exit, EnterAndEscapeNeverClose) {
    const HWND panel = StartChanged();
    ASSERT_NE(panel, nullptr);
    // What Enter and Escape become in a dialog, on the main window and on a page.
    for (HWND target : {panel, Panel(panel).Page(L"MSW2")}) {
        for (int id : {IDOK, IDCANCEL}) {
            ::PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        }
    }
    EXPECT_TRUE(OnlyPanel(Pid(), panel));
    EXPECT_TRUE(m_app->Running());
    EXPECT_TRUE(IsChecked(Panel(panel).Page(L"MSW2"), kQuietModeOn));
}

// The form button reached as the Tab key reaches it, which makes it the default button.
TEST_F(Exit, EnterOnAPagesFocusedButtonClicksItAndClosesNothing) {
    AddCapturedQueue(L"Quillstrike");
    const HWND panel = StartPanel(m_app);
    ASSERT_NE(panel, nullptr);
    const HWND button = ChildById(Panel(panel).Page(L"機能選択"), kFormButton);
    ::PostMessageW(panel, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
    ::PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessageW(button, WM_KEYUP, VK_RETURN, 0);
    const HWND form = WaitDialog(Pid(), L"書式の設定： 書式０");
    ASSERT_NE(form, nullptr) << Narrow(DescribeDialogs(Pid()));
    Press(form, IDCANCEL);
    EXPECT_TRUE(OnlyPanel(Pid(), panel));
    EXPECT_TRUE(m_app->Running());
}

TEST_F(Exit, CancelAtEitherQuestionKeepsTheProgramRunning) {
    const HWND panel = StartChanged();
    ASSERT_NE(panel, nullptr);
    const Panel main(panel);

    main.Close();
    EXPECT_TRUE(Answer(Pid(), kSendQuestion, kYesNoCancel, IDCANCEL));
    EXPECT_TRUE(OnlyPanel(Pid(), panel));

    main.Close();
    EXPECT_TRUE(Answer(Pid(), kSendQuestion, kYesNoCancel, IDNO));
    EXPECT_TRUE(Answer(Pid(), kSaveQuestion, kYesNoCancel, IDCANCEL));
    EXPECT_TRUE(OnlyPanel(Pid(), panel));

    main.Close();
    EXPECT_TRUE(Answer(Pid(), kSendQuestion, kYesNoCancel, IDNO));
    EXPECT_TRUE(Answer(Pid(), kSaveQuestion, kYesNoCancel, IDNO));
    EXPECT_EQ(m_app->WaitExit(), 0u);
    EXPECT_TRUE(Capture().NoJob(0));
}

TEST_F(Exit, YesSendsThenYesSavesAndTheProgramEnds) {
    const HWND panel = StartChanged();
    ASSERT_NE(panel, nullptr);
    const std::wstring path = Dir().Dos("at-exit.dat");

    Panel(panel).Close();
    EXPECT_TRUE(Answer(Pid(), kSendQuestion, kYesNoCancel, IDYES));
    EXPECT_TRUE(Answer(Pid(), "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    EXPECT_TRUE(Answer(Pid(), kSaveQuestion, kYesNoCancel, IDYES));
    ASSERT_TRUE(AnswerFileDialog(Pid(), path));
    EXPECT_EQ(m_app->WaitExit(), 0u);

    EXPECT_EQ(Capture().WaitJob(kWaitMs), Changed());
    const Bytes record = Changed();
    Bytes file = FileHeader();
    file.insert(file.end(), record.begin(), record.end());
    EXPECT_EQ(ReadFileBytes(path), file);
}

TEST_F(Exit, CancelInTheSaveDialogStillEndsWithoutAFile) {
    const HWND panel = StartChanged();
    ASSERT_NE(panel, nullptr);

    Panel(panel).Close();
    EXPECT_TRUE(Answer(Pid(), kSendQuestion, kYesNoCancel, IDNO));
    EXPECT_TRUE(Answer(Pid(), kSaveQuestion, kYesNoCancel, IDYES));
    ASSERT_TRUE(AnswerFileDialog(Pid(), L""));
    EXPECT_EQ(m_app->WaitExit(), 0u);
    EXPECT_TRUE(Capture().NoJob(0));
}

TEST_F(Exit, AfterASendTheMenusExitAsksOnlyAboutSaving) {
    const HWND panel = StartChanged();
    ASSERT_NE(panel, nullptr);
    const Panel main(panel);
    main.Command(kSend);
    EXPECT_TRUE(Answer(Pid(), "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    EXPECT_EQ(Capture().WaitJob(kWaitMs), Changed());

    main.Command(kExit);
    EXPECT_TRUE(Answer(Pid(), kSaveQuestion, kYesNoCancel, IDNO));
    EXPECT_EQ(m_app->WaitExit(), 0u);
}

} // namespace
} // namespace sb::e2e
