#include "panel_fixture.h"

#include "res/resource.h"

namespace sb::test {
namespace {

constexpr const char* kAskSendBeforeSwitch =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
constexpr const char* kAskSaveBeforeSwitch =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";
constexpr const char* kAskSendBeforeExit =
    "Switchboard を終了する前に、設定値をプリンタへ送信しますか？";
constexpr const char* kAskSaveBeforeExit =
    "Switchboard を終了する前に、設定ファイルへ保存しますか？";
constexpr const char* kSent = "プリンタに設定値を送信しました。";
constexpr const char* kNotUsable =
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";

// --- Initialisation ---

TEST_F(PanelTest, InitialisationRunsItsStepsInOrder) {
    WriteBytes(dir.File("swbz48.chm"), {});
    view.selections.push_back({kDialogOk, "Quill", "LPT1:", 2});
    core.OnInitDialog();
    EXPECT_EQ(log,
              Seq({{"init menu", "init icons and bars", "send command on", "init tabs and pages"},
                   kDecodeAll,
                   {"select printer [|] at start-up", "printer command on",
                    "status プリンタ名： Quill | 接続先： LPT1:", "refresh form caption"}}));
    EXPECT_EQ(core.State().Current(), FactoryRecord());
    EXPECT_EQ(core.State().Saved(), FactoryRecord());
    EXPECT_EQ(core.State().Sent(), FactoryRecord());
    EXPECT_EQ(core.PrinterName(), "Quill");
    EXPECT_EQ(core.Connection(), "LPT1:");
    EXPECT_EQ(msw4.value, 0x0C); // the pages show the factory record

    // Start-up is over: a data check now brings the pages in.
    log.clear();
    core.OnDataCheck();
    EXPECT_EQ(log, Seq({kEncodeAll, {"send command on"}}));
}

TEST_F(PanelTest, DataCheckRaisedWhileDecodingAtStartUpEncodesNothing) {
    // Were the pages encoded mid-decode, the MSW pages' old values would overwrite the record.
    param.onDecode = [this] { core.OnDataCheck(); };
    msw3.value = 0x77;
    StartUp();
    EXPECT_EQ(core.State().Current(), FactoryRecord());
    EXPECT_EQ(msw3.value, 0x00);
}

TEST_F(PanelTest, CancelledSelectionAtStartUpEndsThePanel) {
    view.selections.push_back({kDialogCancel, std::nullopt, std::nullopt, 2});
    core.OnInitDialog();
    EXPECT_TRUE(Contains(log, "end panel"));
    EXPECT_FALSE(Contains(log, "printer command on"));
    EXPECT_EQ(core.PrinterName(), "");
}

TEST_F(PanelTest, CancelAfterARefusedFilePortAtStartUpEndsThePanel) {
    // The dialog leaves the refused row in its model; only FILE: during start-up ends.
    view.selections.push_back({kDialogCancel, "Filer", "FILE:", 2});
    core.OnInitDialog();
    EXPECT_TRUE(Contains(log, "end panel"));
}

TEST_F(PanelTest, OnePrinterDisablesTheSelectionCommandUntilMoreAreListed) {
    StartUp("Quill", "LPT1:", 1);
    view.selections.push_back({kDialogOk, "Quill", "LPT1:", 1});
    ExpectFactoryShown();
    core.OnSelectPrinter();
    EXPECT_TRUE(Contains(log, "printer command off"));
    log.clear();
    view.selections.push_back({kDialogOk, "Quill", "LPT1:", 3});
    ExpectFactoryShown();
    core.OnSelectPrinter();
    EXPECT_TRUE(Contains(log, "printer command on"));
}

// --- Help ---

TEST_F(PanelTest, MissingHelpFileGraysTheItemAndTheCommandDoesNothing) {
    view.selections.push_back({kDialogOk, "Quill", "LPT1:", 2});
    core.OnInitDialog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[1], "help command off");
    log.clear();
    EXPECT_TRUE(core.OnCommand(ID_HELP_CONTENTS));
    EXPECT_TRUE(log.empty());
}

TEST_F(PanelTest, HelpOpensTheChosenFileFromTheProgramDirectory) {
    WriteBytes(dir.File("swbz48.chm"), {});
    StartUp();
    core.OnHelpContents();
    EXPECT_EQ(log, Log{"html help " + dir.Path() + "swbz48.chm"});
    EXPECT_EQ(core.HelpPath(), dir.Path() + "swbz48.chm");
}

TEST_F(PanelTest, OldPlatformLooksForTheOldHelpFileOnly) {
    os.info = {kPlatformWindows, 4, 0};
    WriteBytes(dir.File("swbz48.chm"), {});
    view.selections.push_back({kDialogOk, "Quill", "LPT1:", 2});
    core.OnInitDialog();
    EXPECT_TRUE(Contains(log, "help command off"));

    WriteBytes(dir.File("swbz48.hlp"), {});
    log.clear();
    view.selections.push_back({kDialogOk, "Quill", "LPT1:", 2});
    core.OnInitDialog();
    EXPECT_FALSE(Contains(log, "help command off"));
    log.clear();
    core.OnHelpContents();
    EXPECT_EQ(log, Log{"winhelp " + dir.Path() + "swbz48.hlp"});
    EXPECT_EQ(core.HelpViewerKind(), HelpViewer::Hlp);
}

TEST_F(PanelTest, FailingHelpViewerSaysTheFileIsMissing) {
    WriteBytes(dir.File("swbz48.chm"), {});
    StartUp();
    view.helpShows = false;
    prompter.Expect("ヘルプファイルが見つかりません。", kOkExclamation);
    core.OnHelpContents();
}

// --- Printer selection after start-up ---

TEST_F(PanelTest, SwitchWithoutChangesAsksNothingAndShowsFactoryValues) {
    StartUp();
    view.selections.push_back({kDialogOk, "Beta", "COM2:", 2});
    ExpectFactoryShown();
    core.OnSelectPrinter();
    EXPECT_EQ(log, Seq({kEncodeAll,
                        {"select printer [Quill|LPT1:]", "printer command on",
                         "status プリンタ名： Beta | 接続先： COM2:"},
                        FactoryShown()}));
    EXPECT_EQ(core.PrinterName(), "Beta");
    EXPECT_EQ(core.Connection(), "COM2:");
}

TEST_F(PanelTest, SwitchAsksAboutSendingThenSavingAndEndsWithFactoryValues) {
    StartUp();
    Change(msw2, 0x05);
    prompter.Expect(kAskSendBeforeSwitch, kQuestionStyle, Answer::No);
    prompter.Expect(kAskSaveBeforeSwitch, kQuestionStyle, Answer::No);
    view.selections.push_back({kDialogOk, "Quill", "LPT1:", 2});
    ExpectFactoryShown();
    core.OnSelectPrinter();
    EXPECT_EQ(msw2.value, 0x02);
    EXPECT_EQ(core.State().Current(), FactoryRecord());
}

TEST_F(PanelTest, CancelAtEitherSwitchQuestionAbandonsTheSwitch) {
    StartUp();
    Change(msw2, 0x05);
    prompter.Expect(kAskSendBeforeSwitch, kQuestionStyle, Answer::Cancel);
    core.OnSelectPrinter();
    prompter.Expect(kAskSendBeforeSwitch, kQuestionStyle, Answer::No);
    prompter.Expect(kAskSaveBeforeSwitch, kQuestionStyle, Answer::Cancel);
    core.OnSelectPrinter();
    EXPECT_FALSE(Contains(log, "select printer [Quill|LPT1:]"));
    EXPECT_EQ(core.State().Current()[7], 0x05);
}

TEST_F(PanelTest, YesAtTheSwitchQuestionsSendsAndSavesBeforeSwitching) {
    StartUp();
    Change(msw2, 0x05);
    log.clear();
    prompter.Expect(kAskSendBeforeSwitch, kQuestionStyle, Answer::Yes);
    sender.results.push_back(true);
    prompter.Expect(kSent, kOkInformation);
    prompter.Expect(kAskSaveBeforeSwitch, kQuestionStyle, Answer::Yes);
    dialogs.choices.push_back(std::nullopt);
    view.selections.push_back({kDialogOk, "Quill", "LPT1:", 2});
    ExpectFactoryShown();
    core.OnSelectPrinter();
    EXPECT_EQ(log, Seq({kEncodeAll,
                        {"box " + std::string(kAskSendBeforeSwitch)},
                        kEncodeAll,
                        {"spool to Quill", "box " + std::string(kSent), "send command off",
                         "box " + std::string(kAskSaveBeforeSwitch)},
                        kEncodeAll,
                        {"save dialog", "select printer [Quill|LPT1:]", "printer command on",
                         "status プリンタ名： Quill | 接続先： LPT1:"},
                        FactoryShown()}));
    EXPECT_EQ(core.State().Sent()[7], 0x05);
}

TEST_F(PanelTest, UncorrectedValueTurnsYesAtASwitchQuestionIntoTheWarning) {
    StartUp();
    Change(msw2, 0x05);
    view.uncorrected = true;
    view.selectedTab = 3;
    log.clear();
    prompter.Expect(kAskSendBeforeSwitch, kQuestionStyle, Answer::Yes);
    core.OnSelectPrinter();
    EXPECT_EQ(log, Seq({kEncodeAll,
                        {"box " + std::string(kAskSendBeforeSwitch), "show tab 1",
                         "correct head centering"}}));

    // Sent but not saved: only the save question, and the page already shown.
    sender.results.push_back(true);
    prompter.Expect(kSent, kOkInformation);
    core.OnSendToPrinter();
    view.uncorrected = true;
    log.clear();
    prompter.Expect(kAskSaveBeforeSwitch, kQuestionStyle, Answer::Yes);
    core.OnSelectPrinter();
    EXPECT_EQ(log, Seq({kEncodeAll,
                        {"box " + std::string(kAskSaveBeforeSwitch), "correct head centering"}}));
    EXPECT_EQ(core.PrinterName(), "Quill");
}

TEST_F(PanelTest, CancelledSwitchAfterStartUpKeepsThePrinter) {
    StartUp();
    view.selections.push_back({kDialogCancel, std::nullopt, std::nullopt, 2});
    core.OnSelectPrinter();
    view.selections.push_back({kDialogCancel, "Filer", "FILE:", 2});
    core.OnSelectPrinter();
    EXPECT_EQ(log, Seq({kEncodeAll,
                        {"select printer [Quill|LPT1:]"},
                        kEncodeAll,
                        {"select printer [Quill|LPT1:]"}}));
    EXPECT_EQ(core.PrinterName(), "Quill");
    EXPECT_EQ(core.Connection(), "LPT1:");
}

// --- Factory command ---

TEST_F(PanelTest, FactoryCommandAsksEvenWithoutChanges) {
    StartUp();
    prompter.Expect("現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？", 0x31,
                    Answer::Cancel);
    core.OnFactorySettings();
    EXPECT_EQ(log, Log{"box 現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？"});
}

TEST_F(PanelTest, FactoryResetLeavesSavedAndSentCopiesAndExitThenAsksBoth) {
    StartUp();
    Change(msw1, 0x11);
    sender.results.push_back(true);
    prompter.Expect(kSent, kOkInformation);
    core.OnSendToPrinter();
    Change(msw3, 0x03);
    dialogs.choices.push_back(dir.File("a.dat"));
    core.OnSaveSettingsFile();
    log.clear();

    prompter.Expect("現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？", 0x31,
                    Answer::Ok);
    ExpectFactoryShown();
    core.OnFactorySettings();
    EXPECT_EQ(log, Seq({{"box 現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？"},
                        FactoryShown()}));
    EXPECT_EQ(core.State().Current(), FactoryRecord());
    EXPECT_EQ(core.State().Sent(), FactoryWith({{4, 0x11}}));
    EXPECT_EQ(core.State().Saved(), FactoryWith({{4, 0x11}, {10, 0x03}}));

    prompter.Expect(kAskSendBeforeExit, kQuestionStyle, Answer::No);
    prompter.Expect(kAskSaveBeforeExit, kQuestionStyle, Answer::No);
    core.OnExitPanel();
    EXPECT_EQ(log.back(), "end panel");
}

// --- Exit ---

TEST_F(PanelTest, ExitWithoutChangesEndsAtOnce) {
    StartUp();
    core.OnExitPanel();
    EXPECT_EQ(log, Seq({kEncodeAll, {"end panel"}}));
}

TEST_F(PanelTest, ExitAsksSendThenSaveAndCancelAtEitherStays) {
    StartUp();
    Change(msw2, 0x05);
    prompter.Expect(kAskSendBeforeExit, kQuestionStyle, Answer::Cancel);
    core.OnExitPanel();
    prompter.Expect(kAskSendBeforeExit, kQuestionStyle, Answer::No);
    prompter.Expect(kAskSaveBeforeExit, kQuestionStyle, Answer::Cancel);
    core.OnExitPanel();
    EXPECT_FALSE(Contains(log, "end panel"));
    prompter.Expect(kAskSendBeforeExit, kQuestionStyle, Answer::No);
    prompter.Expect(kAskSaveBeforeExit, kQuestionStyle, Answer::No);
    core.OnExitPanel();
    EXPECT_EQ(log.back(), "end panel");
}

TEST_F(PanelTest, ExitGoesOnAfterAFailedSend) {
    StartUp();
    Change(msw2, 0x05);
    log.clear();
    prompter.Expect(kAskSendBeforeExit, kQuestionStyle, Answer::Yes);
    sender.results.push_back(false);
    prompter.Expect(kNotUsable, kOkExclamation);
    // The failed send offers another printer, whose own questions come first.
    prompter.Expect(kAskSendBeforeSwitch, kQuestionStyle, Answer::Cancel);
    prompter.Expect(kAskSaveBeforeExit, kQuestionStyle, Answer::No);
    core.OnExitPanel();
    EXPECT_EQ(log.back(), "end panel");
    EXPECT_EQ(sender.sent.size(), 1u);
}

TEST_F(PanelTest, YesAtTheExitSaveQuestionEndsEvenWhenTheDialogIsCancelled) {
    StartUp();
    Change(msw2, 0x05);
    prompter.Expect(kAskSendBeforeExit, kQuestionStyle, Answer::No);
    prompter.Expect(kAskSaveBeforeExit, kQuestionStyle, Answer::Yes);
    dialogs.choices.push_back(std::nullopt);
    core.OnExitPanel();
    EXPECT_EQ(log.back(), "end panel");
    EXPECT_EQ(core.State().Saved(), FactoryRecord());
}

TEST_F(PanelTest, UncorrectedValueTurnsYesAtAnExitQuestionIntoTheWarningAndStays) {
    StartUp();
    Change(msw2, 0x05);
    view.uncorrected = true;
    prompter.Expect(kAskSendBeforeExit, kQuestionStyle, Answer::Yes);
    core.OnExitPanel();
    view.uncorrected = true;
    prompter.Expect(kAskSendBeforeExit, kQuestionStyle, Answer::No);
    prompter.Expect(kAskSaveBeforeExit, kQuestionStyle, Answer::Yes);
    core.OnExitPanel();
    EXPECT_FALSE(Contains(log, "end panel"));
    EXPECT_FALSE(Contains(log, "save dialog"));
    EXPECT_TRUE(sender.sent.empty());
}

TEST_F(PanelTest, ChangedBackValuesKeepSendEnabledButExitAsksNothing) {
    StartUp();
    Change(msw2, 0x05);
    log.clear();
    Change(msw2, 0x02);
    EXPECT_EQ(log, Seq({kEncodeAll, {"send command on"}}));
    core.OnExitPanel();
    EXPECT_EQ(log.back(), "end panel");
}

TEST_F(PanelTest, AfterASendExitAsksOnlyAboutSaving) {
    StartUp();
    Change(msw2, 0x05);
    sender.results.push_back(true);
    prompter.Expect(kSent, kOkInformation);
    core.OnSendToPrinter();
    prompter.Expect(kAskSaveBeforeExit, kQuestionStyle, Answer::No);
    core.OnExitPanel();
    EXPECT_EQ(log.back(), "end panel");
}

// --- Sending ---

TEST_F(PanelTest, SuccessfulSendSpoolsTheEncodedPagesAndDisablesSending) {
    StartUp();
    msw4.value = 0x44;
    sender.results.push_back(true);
    prompter.Expect(kSent, kOkInformation);
    core.OnSendToPrinter();
    EXPECT_EQ(log, Seq({kEncodeAll,
                        {"spool to Quill", "box " + std::string(kSent), "send command off"}}));
    ASSERT_EQ(sender.sent.size(), 1u);
    EXPECT_EQ(sender.sent[0], FactoryWith({{13, 0x44}}));
    EXPECT_EQ(core.State().Sent(), sender.sent[0]);
    EXPECT_FALSE(core.State().IsUnsent());
}

TEST_F(PanelTest, UncorrectedValueComesBeforeTheMissingPrinter) {
    StartUp("Quill", "");
    view.uncorrected = true;
    view.selectedTab = 1;
    core.OnSendToPrinter();
    EXPECT_EQ(log, Log{"correct head centering"});

    view.uncorrected = true;
    view.selectedTab = 4;
    log.clear();
    core.OnSendToPrinter();
    EXPECT_EQ(log, (Log{"show tab 1", "correct head centering"}));
}

TEST_F(PanelTest, MissingPrinterIsChosenThenTheSendGoesOn) {
    StartUp("Quill", "");
    prompter.Expect("プリンタが選択されていません。\nプリンタを選択してください。", kOkExclamation);
    view.selections.push_back({kDialogOk, "Beta", "COM1:", 2});
    ExpectFactoryShown();
    sender.results.push_back(true);
    prompter.Expect(kSent, kOkInformation);
    core.OnSendToPrinter();
    EXPECT_TRUE(Contains(log, "select printer [Quill|]"));
    EXPECT_EQ(log.back(), "send command off");
    EXPECT_TRUE(Contains(log, "spool to Beta"));
}

TEST_F(PanelTest, FilePortStopsTheSendBeforeEncoding) {
    StartUp("Filer", "FILE:");
    msw1.value = 0x77;
    prompter.Expect("接続先がFILEのため設定値を送信できません。", kOkInformation);
    core.OnSendToPrinter();
    EXPECT_EQ(log, Log{"box 接続先がFILEのため設定値を送信できません。"});
    EXPECT_EQ(core.State().Current(), FactoryRecord());
}

TEST_F(PanelTest, FilePortInAnotherLetterCaseIsSentTo) {
    StartUp("Filer", "file:");
    sender.results.push_back(true);
    prompter.Expect(kSent, kOkInformation);
    core.OnSendToPrinter();
    EXPECT_TRUE(Contains(log, "spool to Filer"));
}

TEST_F(PanelTest, FailedSendOffersAnotherPrinterWithoutRetrying) {
    StartUp();
    Change(msw1, 0x21);
    log.clear();
    sender.results.push_back(false);
    prompter.Expect(kNotUsable, kOkExclamation);
    prompter.Expect(kAskSendBeforeSwitch, kQuestionStyle, Answer::No);
    prompter.Expect(kAskSaveBeforeSwitch, kQuestionStyle, Answer::No);
    view.selections.push_back({kDialogCancel, std::nullopt, std::nullopt, 2});
    core.OnSendToPrinter();
    EXPECT_EQ(sender.sent.size(), 1u);
    EXPECT_FALSE(Contains(log, "send command off"));
    EXPECT_EQ(core.State().Sent(), FactoryRecord());
    EXPECT_EQ(core.State().Current(), FactoryWith({{4, 0x21}}));
}

// --- Commands ---

TEST_F(PanelTest, MenuAndToolBarCommandsReachTheirFlows) {
    StartUp();
    const std::pair<unsigned, int> shows[] = {{ID_SHOW_SELECT, 0}, {ID_SHOW_PARAM, 1},
                                              {ID_SHOW_MSW1, 2},   {ID_SHOW_MSW2, 3},
                                              {ID_SHOW_MSW3, 4},   {ID_SHOW_MSW4, 5}};
    for (const auto& [id, tab] : shows) {
        log.clear();
        EXPECT_TRUE(core.OnCommand(id));
        EXPECT_EQ(log, Log{"show tab " + std::to_string(tab)}) << id;
    }
    for (unsigned id : {ID_FACTORY_SETTINGS, ID_TB_FACTORY}) {
        prompter.Expect("現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？", 0x31,
                        Answer::Cancel);
        EXPECT_TRUE(core.OnCommand(id));
    }
    for (unsigned id : {ID_LOAD_SETTINGS, ID_TB_LOAD}) {
        dialogs.choices.push_back(std::nullopt);
        EXPECT_TRUE(core.OnCommand(id));
    }
    for (unsigned id : {ID_SAVE_SETTINGS, ID_TB_SAVE}) {
        dialogs.choices.push_back(std::nullopt);
        EXPECT_TRUE(core.OnCommand(id));
    }
    for (unsigned id : {ID_SEND_TO_PRINTER, ID_TB_SEND}) {
        sender.results.push_back(true);
        prompter.Expect(kSent, kOkInformation);
        EXPECT_TRUE(core.OnCommand(id));
    }
    for (unsigned id : {ID_SELECT_PRINTER, ID_TB_PRINTER}) {
        view.selections.push_back({kDialogCancel, std::nullopt, std::nullopt, 2});
        EXPECT_TRUE(core.OnCommand(id));
    }
    log.clear();
    EXPECT_TRUE(core.OnCommand(ID_DATA_CHECK));
    EXPECT_EQ(log, Seq({kEncodeAll, {"send command on"}}));
    EXPECT_TRUE(core.OnCommand(ID_EXIT_PANEL));
    EXPECT_EQ(log.back(), "end panel");
    EXPECT_FALSE(core.OnCommand(ID_APP_ABOUT));
}

} // namespace
} // namespace sb::test
