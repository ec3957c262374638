// The printer selection dialog over real queues of this Wine prefix, driven from inside its
// modal loop, with scripted message boxes and a stand-in for the process end.
#include "printer/printer_select_dlg.h"
#include "printer/printer_select_ids.h"
#include "printer/win_os_version.h"
#include "printer/win_spooler.h"
#include "res/resource.h"
#include "tools/queue_admin.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace sb {
namespace {

const wchar_t kDriver[] = L"VYR Quillstrike 480ZQ9";
const wchar_t kPipePort[] = L"|cat > /dev/null";
const wchar_t kPathPort[] = L"/tmp/sb-select-test.bin";
const wchar_t kOtherPathPort[] = L"/tmp/sb-select-test-2.bin";

// Test processes may share the prefix: every queue name carries this process's id.
std::wstring Tag() {
    return L"sbsel" + std::to_wstring(::GetCurrentProcessId()) + L" ";
}

struct Shown {
    std::string text;
    std::string caption;
    unsigned style;
    bool operator==(const Shown&) const = default;
    friend void PrintTo(const Shown& shown, std::ostream* out) {
        *out << '"' << shown.text << "\" \"" << shown.caption << "\" 0x" << std::hex << shown.style;
    }
};

class ScriptedPrompter final : public Prompter {
public:
    Answer ShowMessage(std::string_view text, std::string_view caption, unsigned style) override {
        m_shown.push_back({std::string(text), std::string(caption), style});
        return Answer::Ok;
    }
    std::vector<Shown> m_shown;
};

using Step = std::function<void(HWND dialog)>;

// One run of the dialog as the hooks see it. Steps run one per timer tick, once the dialog
// is on screen; a dialog that outstays its steps is ended and the test fails.
struct ModalRun {
    const CDialog* dialog = nullptr;
    std::vector<Step> steps;
    std::size_t next = 0;
    int waited = 0;
    bool everVisible = false;
};
ModalRun* g_run = nullptr;

LRESULT CALLBACK WatchShown(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && g_run && g_run->dialog->Handle() &&
        message->hwnd == g_run->dialog->Handle() && ::IsWindowVisible(message->hwnd)) {
        g_run->everVisible = true;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    const HWND dialog = g_run->dialog->Handle();
    if (!dialog) {
        return;
    }
    if (::IsWindowVisible(dialog) && g_run->next < g_run->steps.size()) {
        g_run->waited = 0;
        g_run->steps[g_run->next++](dialog);
        return;
    }
    if (++g_run->waited > 100) {
        ADD_FAILURE() << "the dialog is still open after step " << g_run->next;
        ::EndDialog(dialog, -1);
    }
}

class ScopedHook {
public:
    ScopedHook()
        : m_hook(::SetWindowsHookExW(WH_CALLWNDPROCRET, WatchShown, nullptr,
                                     ::GetCurrentThreadId())) {}
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;
    ~ScopedHook() { ::UnhookWindowsHookEx(m_hook); }

private:
    HHOOK m_hook;
};

class ScopedThreadTimer {
public:
    ScopedThreadTimer() : m_id(::SetTimer(nullptr, 0, 20, Tick)) {}
    ScopedThreadTimer(const ScopedThreadTimer&) = delete;
    ScopedThreadTimer& operator=(const ScopedThreadTimer&) = delete;
    ~ScopedThreadTimer() { ::KillTimer(nullptr, m_id); }

private:
    UINT_PTR m_id;
};

std::string ItemText(HWND list, int index, int subItem) {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = 512;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

struct ListedRow {
    std::string name;
    std::string connection;
    bool operator==(const ListedRow&) const = default;
    friend void PrintTo(const ListedRow& row, std::ostream* out) {
        *out << '"' << row.name << "\" \"" << row.connection << '"';
    }
};

std::vector<ListedRow> ListedRows(HWND dialog) {
    const HWND list = ::GetDlgItem(dialog, IDC_PRINTER_LIST);
    std::vector<ListedRow> rows;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        rows.push_back({ItemText(list, i, 0), ItemText(list, i, 1)});
    }
    return rows;
}

int RowOf(HWND dialog, const std::wstring& name) {
    const std::vector<ListedRow> rows = ListedRows(dialog);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == Narrow(name)) {
            return static_cast<int>(i);
        }
    }
    ADD_FAILURE() << "no row " << Narrow(name);
    return -1;
}

void SetState(HWND dialog, int index, UINT state) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = state;
    ::SendDlgItemMessageW(dialog, IDC_PRINTER_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(&item));
}

// As a click on the row would leave it: that row alone selected and focused.
void Select(HWND dialog, const std::wstring& name) {
    SetState(dialog, -1, 0);
    SetState(dialog, RowOf(dialog, name), LVIS_SELECTED | LVIS_FOCUSED);
}

void SelectNothing(HWND dialog) {
    SetState(dialog, -1, 0);
}

int SelectedRow(HWND dialog) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_PRINTER_LIST, LVM_GETNEXTITEM,
                                                  static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool IsFocusedRow(HWND dialog, int index) {
    return ::SendDlgItemMessageW(dialog, IDC_PRINTER_LIST, LVM_GETITEMSTATE,
                                 static_cast<WPARAM>(index), LVIS_FOCUSED) == LVIS_FOCUSED;
}

void Press(HWND dialog, int button) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
}

// The list itself turns the double click into NM_DBLCLK for the dialog.
void DoubleClickAt(HWND dialog, POINT point) {
    ::SendDlgItemMessageW(dialog, IDC_PRINTER_LIST, WM_LBUTTONDBLCLK, MK_LBUTTON,
                          MAKELPARAM(point.x, point.y));
}

POINT CentreOfRow(HWND dialog, int index) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ::SendDlgItemMessageW(dialog, IDC_PRINTER_LIST, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(&rect));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The list's bottom left corner, below every row of a short list.
POINT BelowTheRows(HWND dialog) {
    RECT client{};
    ::GetClientRect(::GetDlgItem(dialog, IDC_PRINTER_LIST), &client);
    return {10, client.bottom - 4};
}

int RowAt(HWND dialog, POINT point) {
    LVHITTESTINFO hit{};
    hit.pt = point;
    return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_PRINTER_LIST, LVM_HITTEST, 0,
                                                  reinterpret_cast<LPARAM>(&hit)));
}

class PrinterSelectDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    void SetUp() override {
        // Which rows appear, and whether there is just one, depends on every queue of the
        // prefix: another test's queues with the printer's driver would spoil the counts.
        for (const QueueInfo& queue : ListQueues()) {
            ASSERT_FALSE(queue.driver == kDriver && queue.name.rfind(Tag(), 0) != 0)
                << "a queue of someone else's uses the printer's driver: " << Narrow(queue.name);
        }
        m_dlg.SetPrompter(&m_prompter);
        m_dlg.SetProcessExit([this](int code) { m_exitCodes.push_back(code); });
    }

    void Add(const std::wstring& name, const std::wstring& driver, const std::wstring& port) {
        m_queues.push_back(std::make_unique<ScopedQueue>(QueueInfo{Tag() + name, driver, port}));
        ASSERT_EQ(m_queues.back()->Error(), static_cast<DWORD>(ERROR_SUCCESS)) << Narrow(name);
    }

    // Queues whose drivers only nearly match are never offered.
    void AddNearMisses() {
        Add(L"alpha", L"VYR Quillstrike 480zq9", kPipePort);
        Add(L"delta", L"VYR  Quillstrike 480ZQ9", kPipePort);
        Add(L"epsilon", L"VYR Quillstrike480ZQ9", kPipePort);
    }

    // Four rows, the one on FILE: first in sorted order. The list sorts an accented letter
    // with its base letter, which the selection's own order does not: rows must be mapped
    // by their tags, not by position.
    void AddFourPrinters() {
        Add(L"gamma", kDriver, kPipePort);
        Add(L"Beta", kDriver, L"FILE:");
        Add(L"プリンタ", kDriver, kPathPort);
        Add(L"éclair", kDriver, kOtherPathPort);
        AddNearMisses();
    }

    INT_PTR RunDialog(std::vector<Step> steps) {
        ModalRun run{&m_dlg, std::move(steps)};
        g_run = &run;
        INT_PTR result = 0;
        {
            ScopedHook hook;
            ScopedThreadTimer timer;
            result = m_dlg.Run(nullptr);
        }
        g_run = nullptr;
        m_bEverVisible = run.everVisible;
        EXPECT_EQ(run.next, run.steps.size()) << "steps left undone";
        return result;
    }

    static std::string Name(const std::wstring& name) { return Narrow(Tag() + name); }

    CPrinterSelection m_selection;
    WinSpooler m_spooler;
    WinOsVersion m_os;
    ScriptedPrompter m_prompter;
    std::vector<int> m_exitCodes;
    bool m_bEverVisible = false;
    CPrinterSelectDlg m_dlg{m_selection, m_spooler, m_os};
    std::vector<std::unique_ptr<ScopedQueue>> m_queues;
};

const Shown kNoPrinterSelected{"プリンタが選択されていません。\nプリンタを選択してください。",
                               "Switchboard", MB_OK | MB_ICONEXCLAMATION};
const Shown kFileRowAmongOthers{"接続先がFILEのため設定値を送信できません。\n"
                                "プリンタ設定を変更するか、他のプリンタに変更してください。",
                                "Switchboard", MB_OK | MB_ICONINFORMATION};

TEST_F(PrinterSelectDlgTest, ListsTheDriversQueuesSortedWithTheirConnections) {
    AddFourPrinters();
    m_selection.m_bStartupDone = true;
    std::vector<ListedRow> rows;
    int selected = -2;
    bool focused = false;
    std::wstring headings[2];
    int widths[2] = {};
    DWORD extendedStyle = 0;
    const INT_PTR result = RunDialog({
        [&](HWND dialog) {
            rows = ListedRows(dialog);
            selected = SelectedRow(dialog);
            focused = IsFocusedRow(dialog, 0);
            const HWND list = ::GetDlgItem(dialog, IDC_PRINTER_LIST);
            for (int column = 0; column < 2; ++column) {
                wchar_t text[64] = {};
                LVCOLUMNW info{};
                info.mask = LVCF_TEXT | LVCF_WIDTH;
                info.pszText = text;
                info.cchTextMax = 64;
                ::SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                               reinterpret_cast<LPARAM>(&info));
                headings[column] = text;
                widths[column] = info.cx;
            }
            extendedStyle =
                static_cast<DWORD>(::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        },
        [](HWND dialog) { Press(dialog, IDCANCEL); },
    });

    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(m_bEverVisible);
    const std::vector<ListedRow> expected = {
        {Name(L"Beta"), "FILE:"},
        {Name(L"éclair"), "/tmp/sb-select-test-2.bin"},
        {Name(L"gamma"), "|cat > /dev/null"},
        {Name(L"プリンタ"), "/tmp/sb-select-test.bin"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(m_selection.m_nPrinterCount, 4u);
    EXPECT_EQ(selected, 0) << "without a printer in use the first row is selected";
    EXPECT_TRUE(focused);
    EXPECT_EQ(headings[0], L"プリンタ名");
    EXPECT_EQ(headings[1], L"接続先");
    EXPECT_EQ(widths[0], 200);
    EXPECT_EQ(widths[1], 90);
    EXPECT_TRUE(extendedStyle & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(extendedStyle & LVS_EX_INFOTIP);
    EXPECT_TRUE(m_prompter.m_shown.empty());
    EXPECT_TRUE(m_exitCodes.empty());
}

// The tip the list would show with the cursor over the row's cell in that column: the list
// asks for a row, and where the cursor was is the position of the last message taken.
std::string InfoTipOver(HWND dialog, int index, int column) {
    const HWND list = ::GetDlgItem(dialog, IDC_PRINTER_LIST);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    ::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&cell));
    POINT point{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ::ClientToScreen(list, &point);
    ::SetCursorPos(point.x, point.y);
    MSG msg{};
    ::PostMessageW(list, WM_NULL, 0, 0);
    ::PeekMessageW(&msg, list, WM_NULL, WM_NULL, PM_REMOVE);
    wchar_t text[INFOTIPSIZE] = L"as the list made it";
    NMLVGETINFOTIPW tip{};
    tip.hdr = {list, IDC_PRINTER_LIST, static_cast<UINT>(LVN_GETINFOTIPW)};
    tip.pszText = text;
    tip.cchTextMax = INFOTIPSIZE;
    tip.iItem = index;
    ::SendMessageW(dialog, WM_NOTIFY, IDC_PRINTER_LIST, reinterpret_cast<LPARAM>(&tip));
    return Narrow(text);
}

TEST_F(PrinterSelectDlgTest, ACutConnectionShowsWhollyInTheRowsTip) {
    AddFourPrinters();
    m_selection.m_bStartupDone = true;
    std::string cut, fitting, name;
    const INT_PTR result = RunDialog({
        [&](HWND dialog) {
            cut = InfoTipOver(dialog, RowOf(dialog, Tag() + L"éclair"), 1);
            fitting = InfoTipOver(dialog, RowOf(dialog, Tag() + L"Beta"), 1);
            name = InfoTipOver(dialog, RowOf(dialog, Tag() + L"éclair"), 0);
        },
        [](HWND dialog) { Press(dialog, IDCANCEL); },
    });

    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(cut, "/tmp/sb-select-test-2.bin");
    EXPECT_EQ(fitting, "as the list made it") << "FILE: fits its column";
    EXPECT_EQ(name, "as the list made it") << "the first column has label tips";
}

// The core cannot know the list's collation of accents, widths, kana and case: without a
// printer in use the row selected and taken is the one the list itself shows first.
TEST_F(PrinterSelectDlgTest, WithoutAPrinterInUseTheListsOwnFirstRowIsTaken) {
    for (const wchar_t* name : {L"gamma", L"éclair", L"Ｆｕｌｌ", L"かな"}) {
        Add(name, kDriver, kPipePort);
    }
    m_selection.m_bStartupDone = true;
    std::string first;
    int selected = -2;
    EXPECT_EQ(RunDialog({[&](HWND dialog) {
                  first = ListedRows(dialog).front().name;
                  selected = SelectedRow(dialog);
                  Press(dialog, IDOK);
              }}),
              IDOK);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(m_selection.m_strPrinterName, first);
    EXPECT_NE(first, m_selection.Rows().front().name) << "the orders agree: nothing was tested";
}

TEST_F(PrinterSelectDlgTest, OkTakesTheRowAndTheNextRunPreselectsIt) {
    AddFourPrinters();
    m_selection.m_bStartupDone = true;
    EXPECT_EQ(RunDialog({[](HWND dialog) {
                  Select(dialog, Tag() + L"gamma");
                  Press(dialog, IDOK);
              }}),
              IDOK);
    EXPECT_EQ(m_selection.m_strPrinterName, Name(L"gamma"));
    EXPECT_EQ(m_selection.m_strPort, "|cat > /dev/null");

    // Opened again by the same object, as the main window does: the list is built anew and
    // the printer in use is selected although it is not the first row.
    std::size_t count = 0;
    int selected = -2;
    bool focused = false;
    EXPECT_EQ(RunDialog({[&](HWND dialog) {
                  count = ListedRows(dialog).size();
                  selected = SelectedRow(dialog);
                  focused = selected >= 0 && IsFocusedRow(dialog, selected);
                  Press(dialog, IDCANCEL);
              }}),
              IDCANCEL);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(selected, 2);
    EXPECT_TRUE(focused);
    EXPECT_EQ(m_selection.m_strPrinterName, Name(L"gamma"));
    EXPECT_EQ(m_selection.m_strPort, "|cat > /dev/null");
    EXPECT_TRUE(m_prompter.m_shown.empty());
}

TEST_F(PrinterSelectDlgTest, DoubleClickTakesTheSelectedRowAndOnlyThen) {
    AddFourPrinters();
    m_selection.m_bStartupDone = true;
    int rowHit = -2;
    bool stillOpen = false;
    const INT_PTR result = RunDialog({
        [&](HWND dialog) {
            SelectNothing(dialog);
            const POINT empty = BelowTheRows(dialog);
            rowHit = RowAt(dialog, empty);
            DoubleClickAt(dialog, empty);
            stillOpen = ::IsWindowVisible(dialog) != FALSE;
        },
        [](HWND dialog) {
            Select(dialog, Tag() + L"プリンタ");
            DoubleClickAt(dialog, CentreOfRow(dialog, RowOf(dialog, Tag() + L"プリンタ")));
        },
    });
    EXPECT_EQ(rowHit, -1) << "the first double click must miss every row";
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_selection.m_strPrinterName, Name(L"プリンタ"));
    EXPECT_EQ(m_selection.m_strPort, "/tmp/sb-select-test.bin");
    EXPECT_TRUE(m_prompter.m_shown.empty()) << "a double click beside the rows says nothing";
}

TEST_F(PrinterSelectDlgTest, RefusedOkKeepsTheDialogOpenAndCancelKeepsTheRefusedRow) {
    AddFourPrinters();
    m_selection.m_bStartupDone = true;
    m_selection.m_strPrinterName = Name(L"gamma");
    m_selection.m_strPort = "|cat > /dev/null";
    std::vector<bool> open;
    const INT_PTR result = RunDialog({
        [&](HWND dialog) {
            SelectNothing(dialog);
            Press(dialog, IDOK);
            open.push_back(::IsWindowVisible(dialog) != FALSE);
        },
        [&](HWND dialog) {
            Select(dialog, Tag() + L"Beta");
            Press(dialog, IDOK);
            open.push_back(::IsWindowVisible(dialog) != FALSE);
        },
        [](HWND dialog) { Press(dialog, IDCANCEL); },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(open, (std::vector<bool>{true, true}));
    EXPECT_EQ(m_prompter.m_shown, (std::vector<Shown>{kNoPrinterSelected, kFileRowAmongOthers}));
    EXPECT_EQ(m_selection.m_strPrinterName, Name(L"Beta"));
    EXPECT_EQ(m_selection.m_strPort, "FILE:");
    EXPECT_TRUE(m_exitCodes.empty());
}

TEST_F(PrinterSelectDlgTest, AfterAFileRowIsRefusedAnotherIsTaken) {
    AddFourPrinters();
    m_selection.m_bStartupDone = true;
    const INT_PTR result = RunDialog({
        [](HWND dialog) {
            Select(dialog, Tag() + L"Beta");
            Press(dialog, IDOK);
        },
        [](HWND dialog) {
            Select(dialog, Tag() + L"gamma");
            Press(dialog, IDOK);
        },
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_prompter.m_shown, std::vector<Shown>{kFileRowAmongOthers});
    EXPECT_EQ(m_selection.m_strPrinterName, Name(L"gamma"));
    EXPECT_EQ(m_selection.m_strPort, "|cat > /dev/null");
}

TEST_F(PrinterSelectDlgTest, CancelKeepsThePresets) {
    AddFourPrinters();
    m_selection.m_bStartupDone = true;
    m_selection.m_strPrinterName = "elsewhere";
    m_selection.m_strPort = "LPT3:";
    int selected = -2;
    const INT_PTR result = RunDialog({
        [&](HWND dialog) {
            selected = SelectedRow(dialog);
            Select(dialog, Tag() + L"gamma");
        },
        [](HWND dialog) { Press(dialog, IDCANCEL); },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(selected, 0) << "a printer in use that is gone selects the first row";
    EXPECT_EQ(m_selection.m_strPrinterName, "elsewhere");
    EXPECT_EQ(m_selection.m_strPort, "LPT3:");
    EXPECT_EQ(m_selection.m_nPrinterCount, 4u);
    EXPECT_TRUE(m_prompter.m_shown.empty());
}

TEST_F(PrinterSelectDlgTest, AtStartUpTheOnlyPrinterIsTakenUnseen) {
    Add(L"gamma", kDriver, kPipePort);
    AddNearMisses();
    EXPECT_EQ(RunDialog({}), IDOK);
    EXPECT_FALSE(m_bEverVisible);
    EXPECT_EQ(m_selection.m_strPrinterName, Name(L"gamma"));
    EXPECT_EQ(m_selection.m_strPort, "|cat > /dev/null");
    EXPECT_EQ(m_selection.m_nPrinterCount, 1u);
    EXPECT_TRUE(m_prompter.m_shown.empty());
    EXPECT_TRUE(m_exitCodes.empty());
}

TEST_F(PrinterSelectDlgTest, AfterStartUpTheOnlyPrinterIsShownSelected) {
    Add(L"gamma", kDriver, kPipePort);
    m_selection.m_bStartupDone = true;
    int selected = -2;
    EXPECT_EQ(RunDialog({[&](HWND dialog) {
                  selected = SelectedRow(dialog);
                  Press(dialog, IDCANCEL);
              }}),
              IDCANCEL);
    EXPECT_TRUE(m_bEverVisible);
    EXPECT_EQ(selected, 0);
    EXPECT_TRUE(m_selection.m_strPrinterName.empty());
}

// The process ends at once, unseen, after the one message; the stand-in reports the code.
struct ProcessEnd {
    const char* name;
    bool startupDone;
    std::vector<std::pair<const wchar_t*, const wchar_t*>> queues; // name and port
    const char* message;
};

class PrinterSelectEndsTheProcess : public PrinterSelectDlgTest,
                                    public ::testing::WithParamInterface<ProcessEnd> {};

TEST_P(PrinterSelectEndsTheProcess, WithCodeOneAfterItsMessage) {
    for (const auto& [name, port] : GetParam().queues) {
        Add(name, kDriver, port);
    }
    AddNearMisses();
    m_selection.m_bStartupDone = GetParam().startupDone;
    RunDialog({});
    EXPECT_EQ(m_exitCodes, std::vector<int>{1});
    EXPECT_FALSE(m_bEverVisible);
    EXPECT_EQ(m_prompter.m_shown, (std::vector<Shown>{{GetParam().message, "Switchboard",
                                                       MB_OK | MB_ICONEXCLAMATION}}));
}

INSTANTIATE_TEST_SUITE_P(
    , PrinterSelectEndsTheProcess,
    ::testing::Values(
        ProcessEnd{"NoUsablePrinter",
                   false,
                   {},
                   "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直"
                   "してください。\n\nSwitchboardを終了します。"},
        ProcessEnd{"OnlyPrinterOnFileAtStartUp",
                   false,
                   {{L"Beta", L"FILE:"}},
                   "接続先がFILEのため設定値を送信できません。\nプリンタ設定を確認してやり直し"
                   "てください。\n\nSwitchboardを終了します。"},
        ProcessEnd{"OnlyPrinterOnFileLater",
                   true,
                   {{L"Beta", L"FILE:"}},
                   "インストールされているプリンタの接続先がFILEのため設定値を送信できません。\n"
                   "プリンタ設定を確認してやり直してください。\n\nSwitchboardを終了します。"},
        ProcessEnd{"EveryPrinterOnFile",
                   true,
                   {{L"Beta", L"FILE:"}, {L"gamma", L"FILE:"}},
                   "インストールされているプリンタの接続先がFILEのため設定値を送信できません。\n"
                   "プリンタ設定を確認してやり直してください。\n\nSwitchboardを終了します。"}),
    [](const auto& info) { return std::string(info.param.name); });

// The template as Windows builds it, without the dialog's own code.
INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[128] = {};
    ::SendMessageW(hwnd, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE));
}

class PrinterSelectTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        m_hDlg =
            ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PRINTER_SELECT),
                                 nullptr, PlainDialogProc, 0);
        ASSERT_NE(m_hDlg, nullptr);
    }
    void TearDown() override {
        if (m_hDlg) {
            ::DestroyWindow(m_hDlg);
        }
    }
    // Where the control sits, in the dialog's units as the template gives them.
    void ExpectPlace(HWND control, int x, int y, int width, int height) const {
        RECT place{};
        ::GetWindowRect(control, &place);
        ::MapWindowPoints(nullptr, m_hDlg, reinterpret_cast<POINT*>(&place), 2);
        // Origin and size are converted apart, as the dialog manager does.
        RECT expected{x, y, width, height};
        ::MapDialogRect(m_hDlg, &expected);
        EXPECT_EQ(place.left, expected.left) << Narrow(TextOf(control));
        EXPECT_EQ(place.top, expected.top) << Narrow(TextOf(control));
        EXPECT_EQ(place.right - place.left, expected.right) << Narrow(TextOf(control));
        EXPECT_EQ(place.bottom - place.top, expected.bottom) << Narrow(TextOf(control));
    }
    HWND m_hDlg = nullptr;
};

TEST_F(PrinterSelectTemplate, IsAFixedFrameWithTitleAndJapaneseFont) {
    EXPECT_EQ(TextOf(m_hDlg), L"プリンタの選択");
    const DWORD wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(StyleOf(m_hDlg) & wanted, wanted);
    EXPECT_EQ(StyleOf(m_hDlg) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0u);

    RECT client{};
    ::GetClientRect(m_hDlg, &client);
    RECT size{0, 0, 187, 127};
    ::MapDialogRect(m_hDlg, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    auto font = reinterpret_cast<HFONT>(::SendMessageW(m_hDlg, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW logFont{};
    ASSERT_NE(::GetObjectW(font, sizeof(logFont), &logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, L"ＭＳ Ｐゴシック");
    const HDC dc = ::GetDC(m_hDlg);
    const int pixels = ::MulDiv(9, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    ::ReleaseDC(m_hDlg, dc);
    EXPECT_EQ(std::abs(logFont.lfHeight), pixels);
}

TEST_F(PrinterSelectTemplate, HoldsItsFourControlsInTabOrder) {
    const HWND label = ::GetWindow(m_hDlg, GW_CHILD);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(ClassOf(label), L"Static");
    EXPECT_EQ(TextOf(label), L"プリンタを選択してください。");
    EXPECT_EQ(StyleOf(label) & (SS_TYPEMASK | WS_GROUP), static_cast<DWORD>(SS_LEFT | WS_GROUP));
    ExpectPlace(label, 5, 5, 87, 8);

    const HWND list = ::GetWindow(label, GW_HWNDNEXT);
    ASSERT_EQ(list, ::GetDlgItem(m_hDlg, IDC_PRINTER_LIST));
    EXPECT_EQ(ClassOf(list), L"SysListView32");
    const DWORD listStyle =
        LVS_REPORT | LVS_SINGLESEL | LVS_SORTASCENDING | LVS_AUTOARRANGE | WS_TABSTOP;
    EXPECT_EQ(StyleOf(list) & listStyle, listStyle);
    // The dialog manager turns a control's plain border into a sunken client edge.
    EXPECT_TRUE((StyleOf(list) & WS_BORDER) ||
                (::GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    EXPECT_EQ(StyleOf(list) & (LVS_OWNERDATA | LVS_EDITLABELS), 0u);
    ExpectPlace(list, 7, 19, 173, 81);

    const HWND ok = ::GetWindow(list, GW_HWNDNEXT);
    ASSERT_EQ(ok, ::GetDlgItem(m_hDlg, IDOK));
    EXPECT_EQ(TextOf(ok), L"OK");
    EXPECT_EQ(StyleOf(ok) & (BS_TYPEMASK | WS_TABSTOP),
              static_cast<DWORD>(BS_DEFPUSHBUTTON | WS_TABSTOP));
    ExpectPlace(ok, 30, 106, 50, 14);

    const HWND cancel = ::GetWindow(ok, GW_HWNDNEXT);
    ASSERT_EQ(cancel, ::GetDlgItem(m_hDlg, IDCANCEL));
    EXPECT_EQ(TextOf(cancel), L"キャンセル");
    EXPECT_EQ(StyleOf(cancel) & (BS_TYPEMASK | WS_TABSTOP),
              static_cast<DWORD>(BS_PUSHBUTTON | WS_TABSTOP));
    ExpectPlace(cancel, 110, 106, 50, 14);
    EXPECT_EQ(::GetWindow(cancel, GW_HWNDNEXT), nullptr);
}

} // namespace
} // namespace sb
