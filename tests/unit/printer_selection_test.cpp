#include "printer/printer_selection.h"

#include "fake_spooler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

using test::FakeSpooler;
using Calls = std::vector<std::string>;

const OsVersionInfo kNt{2, 10, 0};
const OsVersionInfo kOlderFamily{1, 4, 10};
const std::string kDriver = "VYR Quillstrike 480ZQ9";

struct Shown {
    std::string text;
    std::string caption;
    unsigned style;
    bool operator==(const Shown&) const = default;
};

class RecordingPrompter : public Prompter {
public:
    Answer ShowMessage(std::string_view text, std::string_view caption, unsigned style) override {
        shown.push_back({std::string(text), std::string(caption), style});
        return Answer::Ok;
    }
    std::vector<Shown> shown;
};

const Shown kNoUsablePrinter{
    "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直してください。\n\n"
    "Switchboardを終了します。",
    "Switchboard", 0x30};
const Shown kAllOnFile{
    "インストールされているプリンタの接続先がFILEのため設定値を送信できません。\n"
    "プリンタ設定を確認してやり直してください。\n\nSwitchboardを終了します。",
    "Switchboard", 0x30};
const Shown kOnlyRowOnFile{
    "接続先がFILEのため設定値を送信できません。\n"
    "プリンタ設定を確認してやり直してください。\n\nSwitchboardを終了します。",
    "Switchboard", 0x30};
const Shown kRowOnFile{"接続先がFILEのため設定値を送信できません。\n"
                       "プリンタ設定を変更するか、他のプリンタに変更してください。",
                       "Switchboard", 0x40};
const Shown kNoneSelected{"プリンタが選択されていません。\nプリンタを選択してください。",
                          "Switchboard", 0x30};

std::vector<PrinterRow> RowsOf(std::initializer_list<std::pair<const char*, const char*>> rows) {
    std::vector<PrinterRow> out;
    for (const auto& [name, connection] : rows) {
        out.push_back({name, connection});
    }
    return out;
}

class SelectionTest : public ::testing::Test {
protected:
    SelectOutcome Init(const OsVersionInfo& os = kNt) {
        selection.FindRows(spooler, os);
        return selection.OnInit(prompter);
    }

    FakeSpooler spooler;
    RecordingPrompter prompter;
    CPrinterSelection selection;
};

// --- which queues are offered, NT family ---

TEST_F(SelectionTest, NtLooksUpEachQueueOnItsOwnServerAndTestsItOpen) {
    spooler.AddLocal("Local", kDriver, "LPT1:");
    spooler.AddConnection("\\\\srv", "\\\\srv\\Shared", kDriver, "NE01:");
    selection.m_bStartupDone = true;
    EXPECT_EQ(Init(), SelectOutcome::Stay);
    EXPECT_EQ(spooler.calls,
              (Calls{"EnumPrinters4 flags=6", "EnumPrinters2 flags=8 name=(null)",
                     "Open Local access=8", "Close Local", "EnumPrinters2 flags=8 name=\\\\srv",
                     "Open \\\\srv\\Shared access=8", "Close \\\\srv\\Shared"}));
    EXPECT_EQ(selection.Rows(), RowsOf({{"\\\\srv\\Shared", "\\\\srv"}, {"Local", "LPT1:"}}));
    EXPECT_EQ(selection.m_nPrinterCount, 2u);
}

TEST_F(SelectionTest, DriverNameMustMatchExactly) {
    spooler.AddLocal("Lower", "VYR Quillstrike 480zq9", "LPT1:");
    spooler.AddLocal("Spaced", "VYR  Quillstrike 480ZQ9", "LPT1:");
    spooler.AddLocal("Trailing", "VYR Quillstrike 480ZQ9 ", "LPT1:");
    spooler.AddLocal("Other", "Generic / Text Only", "LPT1:");
    spooler.AddLocal("Right", kDriver, "LPT2:");
    EXPECT_EQ(Init(kNt), SelectOutcome::EndOk);
    EXPECT_EQ(selection.Rows(), RowsOf({{"Right", "LPT2:"}}));

    EXPECT_EQ(Init(kOlderFamily), SelectOutcome::EndOk);
    EXPECT_EQ(selection.Rows(), RowsOf({{"Right", "LPT2:"}}));
}

TEST_F(SelectionTest, NtTakesTheFirstDetailEntryWithTheNameAndTheDriver) {
    spooler.level4.push_back({"Twin", std::nullopt, 0x40});
    spooler.level2[std::nullopt] = {{std::nullopt, "Twin", "COM1:", "Other driver", 0},
                                    {std::nullopt, "Twin", "LPT1:", kDriver, 0},
                                    {std::nullopt, "Twin", "LPT2:", kDriver, 0}};
    EXPECT_EQ(Init(), SelectOutcome::EndOk);
    EXPECT_EQ(selection.Rows(), RowsOf({{"Twin", "LPT1:"}}));
}

TEST_F(SelectionTest, NtLeavesOutAQueueMissingFromItsServersList) {
    spooler.level4.push_back({"\\\\srv\\Gone", "\\\\srv", 0x10});
    spooler.AddLocal("Here", kDriver, "LPT1:");
    EXPECT_EQ(Init(), SelectOutcome::EndOk);
    EXPECT_EQ(selection.Rows(), RowsOf({{"Here", "LPT1:"}}));
}

TEST_F(SelectionTest, NtLeavesOutAPrinterThatCannotBeOpened) {
    spooler.AddLocal("Denied", kDriver, "LPT1:");
    spooler.AddLocal("Allowed", kDriver, "LPT2:");
    spooler.unopenable.insert("Denied");
    EXPECT_EQ(Init(), SelectOutcome::EndOk);
    EXPECT_EQ(selection.Rows(), RowsOf({{"Allowed", "LPT2:"}}));
    EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "Close Denied"), 0);
}

TEST_F(SelectionTest, ServerNameOnlyForAttributesExactlyNetwork) {
    spooler.AddConnection("\\\\a", "\\\\a\\Net", kDriver, "FILE:", 0x10);
    spooler.AddConnection("\\\\b", "\\\\b\\NetLocal", kDriver, "NE02:", 0x10 | 0x40);
    spooler.AddConnection("\\\\c", "\\\\c\\Plain", kDriver, "NE03:", 0);
    selection.m_bStartupDone = true;
    // The FILE: port stays hidden behind the server, so the row is never refused.
    EXPECT_EQ(Init(), SelectOutcome::Stay);
    EXPECT_EQ(
        selection.Rows(),
        RowsOf({{"\\\\a\\Net", "\\\\a"}, {"\\\\b\\NetLocal", "NE02:"}, {"\\\\c\\Plain", "NE03:"}}));
    EXPECT_EQ(selection.OnOk(0, prompter), SelectOutcome::EndOk);
    EXPECT_EQ(selection.m_strPort, "\\\\a");
}

TEST_F(SelectionTest, NetworkConnectionWithoutServerNameShowsItsPort) {
    spooler.AddConnection("\\\\srv", "\\\\srv\\P", kDriver, "NE01:").server = std::nullopt;
    EXPECT_EQ(Init(), SelectOutcome::EndOk);
    EXPECT_EQ(selection.m_strPort, "NE01:");
}

// --- which queues are offered, older family ---

TEST_F(SelectionTest, OlderFamilyUsesLocalDetailsAndStatusWithoutOpening) {
    spooler.AddLocal("Ready", kDriver, "LPT1:", 0x10, 0x1);
    spooler.AddLocal("Waiting", kDriver, "LPT2:", 0x40, 0x00100000);
    spooler.AddConnection("\\\\srv", "\\\\srv\\Remote", kDriver, "NE01:");
    EXPECT_EQ(Init(kOlderFamily), SelectOutcome::EndOk);
    EXPECT_EQ(spooler.calls, (Calls{"EnumPrinters2 flags=2 name=(null)"}));
    // Attributes mean nothing here: the port is the connection.
    EXPECT_EQ(selection.Rows(), RowsOf({{"Ready", "LPT1:"}}));
}

// --- order and preselection ---

// The order a sorted list view gave these names under the platform.
TEST_F(SelectionTest, RowsSortAsTheListViewSortsThem) {
    for (const char* name :
         {"Zeta", "printer", "PRINTER", "Printer", "a-b", "ab", "1abc", "_x", "\\\\srv\\Shared",
          "Local", "beta", "Beta3", "co-op", "Coop", "coop", "プリンタ", "a b"}) {
        spooler.AddLocal(name, kDriver, "LPT1:");
    }
    selection.m_bStartupDone = true;
    EXPECT_EQ(Init(), SelectOutcome::Stay);
    std::vector<std::string> names;
    for (const PrinterRow& row : selection.Rows()) {
        names.push_back(row.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"\\\\srv\\Shared", "_x", "1abc", "a b", "ab", "a-b", "beta",
                                        "Beta3", "coop", "co-op", "Coop", "Local", "printer",
                                        "Printer", "PRINTER", "Zeta", "プリンタ"}));
}

TEST_F(SelectionTest, PrinterInUseIsPreselectedEvenWhenNotFirst) {
    spooler.AddLocal("Zeta", kDriver, "LPT1:");
    spooler.AddLocal("Alpha", kDriver, "LPT2:");
    spooler.AddLocal("Mid", kDriver, "LPT3:");
    selection.m_bStartupDone = true;
    selection.m_strPrinterName = "Zeta";
    selection.m_strPort = "LPT1:";
    EXPECT_EQ(Init(), SelectOutcome::Stay);
    EXPECT_EQ(selection.PreselectedRow(), std::optional<std::size_t>(2));
    EXPECT_EQ(selection.m_strPrinterName, "Zeta"); // nothing taken yet
}

// Which row the list shows first is the list's to say.
TEST_F(SelectionTest, WithoutThePrinterInUseTheListChoosesTheRow) {
    spooler.AddLocal("Zeta", kDriver, "LPT1:");
    spooler.AddLocal("Alpha", kDriver, "LPT2:");
    selection.m_bStartupDone = true;
    for (const char* inUse : {"", "zeta", "Removed"}) {
        selection.m_strPrinterName = inUse;
        EXPECT_EQ(Init(), SelectOutcome::Stay);
        EXPECT_FALSE(selection.PreselectedRow().has_value()) << inUse;
    }
}

TEST_F(SelectionTest, EveryRunRebuildsTheRows) {
    spooler.AddLocal("A", kDriver, "LPT1:");
    spooler.AddLocal("B", kDriver, "LPT2:");
    selection.m_bStartupDone = true;
    EXPECT_EQ(Init(), SelectOutcome::Stay);
    spooler.unopenable.insert("B");
    EXPECT_EQ(Init(), SelectOutcome::Stay);
    EXPECT_EQ(selection.Rows(), RowsOf({{"A", "LPT1:"}}));
    EXPECT_EQ(selection.m_nPrinterCount, 1u);
}

// --- what opening the selection leads to ---

TEST_F(SelectionTest, NoUsablePrinterEndsTheProcess) {
    spooler.AddLocal("Other", "Generic / Text Only", "LPT1:");
    for (bool startupDone : {false, true}) {
        selection.m_bStartupDone = startupDone;
        prompter.shown.clear();
        EXPECT_EQ(Init(), SelectOutcome::ExitProcess);
        EXPECT_EQ(prompter.shown, std::vector<Shown>{kNoUsablePrinter});
        EXPECT_EQ(selection.m_nPrinterCount, 0u);
    }
    EXPECT_EQ(kNoPrinterExitCode, 1);
}

// Nothing to choose and nothing to say: no window is needed, at start-up only.
TEST_F(SelectionTest, OnePrinterAtStartupIsTakenWithoutTheDialog) {
    spooler.AddLocal("Only", kDriver, "LPT1:");
    selection.FindRows(spooler, kNt);
    selection.m_bStartupDone = true;
    EXPECT_FALSE(selection.TakeOnlyPrinter());
    selection.m_bStartupDone = false;
    EXPECT_TRUE(selection.TakeOnlyPrinter());
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(selection.m_strPrinterName, "Only");
    EXPECT_EQ(selection.m_strPort, "LPT1:");
    EXPECT_EQ(selection.m_nPrinterCount, 1u);
    spooler.AddLocal("Other", kDriver, "LPT2:");
    selection.FindRows(spooler, kNt);
    EXPECT_FALSE(selection.TakeOnlyPrinter());
}

TEST_F(SelectionTest, OnePrinterOnFileAtStartupEndsTheProcess) {
    spooler.AddLocal("Only", kDriver, "FILE:");
    selection.FindRows(spooler, kNt);
    EXPECT_FALSE(selection.TakeOnlyPrinter());
    EXPECT_EQ(Init(), SelectOutcome::ExitProcess);
    EXPECT_EQ(prompter.shown, std::vector<Shown>{kOnlyRowOnFile});
}

TEST_F(SelectionTest, OnePrinterAfterStartupShowsTheDialogWithItSelected) {
    spooler.AddLocal("Only", kDriver, "LPT1:");
    selection.m_bStartupDone = true;
    EXPECT_EQ(Init(), SelectOutcome::Stay);
    EXPECT_FALSE(selection.PreselectedRow().has_value());
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(selection.m_strPrinterName.empty());
}

TEST_F(SelectionTest, OnePrinterOnFileAfterStartupEndsTheProcess) {
    spooler.AddLocal("Only", kDriver, "FILE:");
    selection.m_bStartupDone = true;
    EXPECT_EQ(Init(), SelectOutcome::ExitProcess);
    EXPECT_EQ(prompter.shown, std::vector<Shown>{kAllOnFile});
}

TEST_F(SelectionTest, EveryPrinterOnFileEndsTheProcessEvenAtStartup) {
    spooler.AddLocal("One", kDriver, "FILE:");
    spooler.AddLocal("Two", kDriver, "FILE:");
    EXPECT_EQ(Init(), SelectOutcome::ExitProcess);
    EXPECT_EQ(prompter.shown, std::vector<Shown>{kAllOnFile});
}

TEST_F(SelectionTest, FilePortComparesCaseSensitively) {
    spooler.AddLocal("One", kDriver, "file:");
    spooler.AddLocal("Two", kDriver, "FILE:");
    EXPECT_EQ(Init(), SelectOutcome::Stay);
    EXPECT_EQ(selection.OnOk(0, prompter), SelectOutcome::EndOk);
    EXPECT_TRUE(prompter.shown.empty());
}

// --- taking the choice ---

TEST_F(SelectionTest, TwoPrintersOneOnFile) {
    spooler.AddLocal("Disk", kDriver, "FILE:");
    spooler.AddLocal("Real", kDriver, "LPT1:");
    selection.m_strPrinterName = "Before";
    selection.m_strPort = "LPT9:";
    ASSERT_EQ(Init(), SelectOutcome::Stay);

    EXPECT_EQ(selection.OnOk(0, prompter), SelectOutcome::Stay);
    EXPECT_EQ(prompter.shown, std::vector<Shown>{kRowOnFile});
    // A Cancel now leaves the refused row's values, as the dialog took them.
    EXPECT_EQ(selection.m_strPrinterName, "Disk");
    EXPECT_EQ(selection.m_strPort, "FILE:");

    EXPECT_EQ(selection.OnOk(1, prompter), SelectOutcome::EndOk);
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(selection.m_strPrinterName, "Real");
    EXPECT_EQ(selection.m_strPort, "LPT1:");
}

TEST_F(SelectionTest, OkWithoutASelectedRowKeepsTheDialogAndTheValues) {
    spooler.AddLocal("A", kDriver, "LPT1:");
    spooler.AddLocal("B", kDriver, "LPT2:");
    selection.m_strPrinterName = "Before";
    selection.m_strPort = "LPT9:";
    ASSERT_EQ(Init(), SelectOutcome::Stay);
    EXPECT_EQ(selection.OnOk(std::nullopt, prompter), SelectOutcome::Stay);
    EXPECT_EQ(selection.OnOk(2, prompter), SelectOutcome::Stay);
    EXPECT_EQ(prompter.shown, (std::vector<Shown>{kNoneSelected, kNoneSelected}));
    EXPECT_EQ(selection.m_strPrinterName, "Before");
    EXPECT_EQ(selection.m_strPort, "LPT9:");
}

TEST_F(SelectionTest, DoubleClickCountsOnlyOnARow) {
    spooler.AddLocal("Disk", kDriver, "FILE:");
    spooler.AddLocal("Real", kDriver, "LPT1:");
    ASSERT_EQ(Init(), SelectOutcome::Stay);
    EXPECT_EQ(selection.OnDoubleClick(std::nullopt, prompter), SelectOutcome::Stay);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(selection.OnDoubleClick(0, prompter), SelectOutcome::Stay);
    EXPECT_EQ(prompter.shown, std::vector<Shown>{kRowOnFile});
    EXPECT_EQ(selection.OnDoubleClick(1, prompter), SelectOutcome::EndOk);
    EXPECT_EQ(selection.m_strPrinterName, "Real");
}

} // namespace
} // namespace sb
