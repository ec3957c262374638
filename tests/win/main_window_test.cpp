// The real main window in this process, over a real print queue of this test's own prefix,
// driven inside its own message loop.
#include "app/panel_dlg.h"
#include "pages/select_ids.h"
#include "only_our_queues.h"
#include "panel_test_support.h"
#include "res/resource.h"
#include "tools/queue_admin.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

namespace sb {
namespace {

using test::ScriptedFileDialogs;
using test::ScriptedPrompter;
using test::StepRunner;
using test::Tag;
using test::WindowText;

constexpr unsigned kQuestion = 0x33;      // MB_YESNOCANCEL | MB_ICONEXCLAMATION
constexpr unsigned kYesNoQuestion = 0x34; // MB_YESNO | MB_ICONEXCLAMATION
constexpr unsigned kInformation = 0x40;   // MB_OK | MB_ICONINFORMATION
constexpr unsigned kExclamation = 0x30;   // MB_OK | MB_ICONEXCLAMATION
constexpr INT_PTR kForcedEnd = 4242;

const char kSent[] = "プリンタに設定値を送信しました。";
const char kAskSendAtExit[] = "Switchboard を終了する前に、設定値をプリンタへ送信しますか？";
const char kAskSaveAtExit[] = "Switchboard を終了する前に、設定ファイルへ保存しますか？";

// A child dialog of the panel that holds a control with that text: the page it belongs to.
HWND FindPage(HWND panel, const std::wstring& marker) {
    for (HWND child = ::GetWindow(panel, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (test::ClassOf(child) != L"#32770") {
            continue;
        }
        for (HWND item = ::GetWindow(child, GW_CHILD); item;
             item = ::GetWindow(item, GW_HWNDNEXT)) {
            if (WindowText(item) == marker) {
                return child;
            }
        }
    }
    return nullptr;
}

// One text each page alone shows, in tab order.
const std::wstring kPageMarkers[6] = {L"シートガイド用紙セット位置",
                                      L"用紙吸入時ヘッドセンタリング位置",
                                      L"（MSW1-4）",
                                      L"（MSW2-2）",
                                      L"（MSW3-2）",
                                      L"（MSW4-1）"};

// The menu commands that show each tab, in tab order.
constexpr UINT kShowTab[6] = {ID_SHOW_SELECT, ID_SHOW_PARAM, ID_SHOW_MSW1,
                              ID_SHOW_MSW2,   ID_SHOW_MSW3,  ID_SHOW_MSW4};

bool IsGrayed(HMENU menu, UINT id) {
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0;
}

bool IsInside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

RECT RectIn(HWND hwnd, HWND parent) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new test::OnlyOurQueues);

// A file for the length of a test.
class ScopedFile {
public:
    ScopedFile(std::wstring path, const std::string& contents) : m_path(std::move(path)) {
        std::ofstream(m_path.c_str(), std::ios::binary) << contents;
    }
    ~ScopedFile() { ::DeleteFileW(m_path.c_str()); }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;

private:
    std::wstring m_path;
};

std::wstring ThisProgramsDirectory() {
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring directory(program);
    directory.resize(directory.rfind(L'\\') + 1);
    return directory;
}

class PanelWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_jobFile = test::TempPath(Tag() + L"job.bin");
        ::DeleteFileW(m_jobFile.c_str());
        const std::string unixJob = test::UnixPath(m_jobFile);
        ASSERT_FALSE(unixJob.empty());
        m_port = L"|cat > '" + Widen(unixJob) + L"'";
        m_queueName = Tag() + L"プリンタ";
        m_queue = std::make_unique<ScopedQueue>(QueueInfo{m_queueName, test::kDriver, m_port});
        ASSERT_EQ(m_queue->Error(), static_cast<DWORD>(ERROR_SUCCESS));
        m_panel.SetPrompter(&m_prompter);
    }
    void TearDown() override {
        ::DeleteFileW(m_jobFile.c_str());
        for (const std::wstring& file : m_files) {
            ::DeleteFileW(file.c_str());
        }
    }

    // Runs the panel until it ends, with the steps inside its loop; a panel that is still
    // running after the last step is ended without questions.
    INT_PTR Run(std::vector<std::function<void()>> steps) {
        steps.insert(steps.begin(), [this] { ::SetForegroundWindow(Panel()); });
        steps.push_back([this] {
            if (Panel() != nullptr) {
                m_panel.EndDialog(kForcedEnd);
            }
        });
        StepRunner runner(std::move(steps));
        const HACCEL accelerators =
            ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_PANEL_MENU));
        const INT_PTR result = m_panel.Run(accelerators);
        test::ReleaseCtrl();
        EXPECT_LE(runner.Remaining(), 1u) << "the panel ended before the test's last step";
        return result;
    }

    HWND Panel() const { return m_panel.Handle(); }
    HWND Tab() const { return ::GetDlgItem(Panel(), IDC_TAB); }
    HWND ToolBar() const { return ::GetDlgItem(Panel(), IDC_TOOLBAR); }
    HMENU Menu() const { return ::GetMenu(Panel()); }
    HWND PageOfTab(int tab) const { return FindPage(Panel(), kPageMarkers[tab]); }
    int SelectedTab() const { return static_cast<int>(::SendMessageW(Tab(), TCM_GETCURSEL, 0, 0)); }

    // The one page that is visible; null when none or several are.
    int VisiblePage() const {
        int visible = -1;
        for (int tab = 0; tab < 6; ++tab) {
            if (::IsWindowVisible(PageOfTab(tab))) {
                if (visible >= 0) {
                    return -2;
                }
                visible = tab;
            }
        }
        return visible;
    }
    bool FocusIsIn(int tab) const {
        const HWND page = PageOfTab(tab);
        const HWND focus = ::GetFocus();
        return page != nullptr && (focus == page || ::IsChild(page, focus));
    }

    bool SendEnabled() const {
        const bool menu = !IsGrayed(Menu(), ID_SEND_TO_PRINTER);
        const bool button = ::SendMessageW(ToolBar(), TB_ISBUTTONENABLED, ID_TB_SEND, 0) != 0;
        EXPECT_EQ(menu, button) << "menu item and tool-bar button disagree";
        return menu;
    }

    void Command(UINT id) const { ::SendMessageW(Panel(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // A user's change: the second radio of MSW1-4 ("高速受信"), on its page.
    void ChangeMsw1() const {
        Command(ID_SHOW_MSW1);
        ::SendMessageW(::GetDlgItem(PageOfTab(2), 1237), BM_CLICK, 0, 0);
    }
    void ExpectSent() { m_prompter.Expect(kSent, kInformation); }

    std::wstring TempFile(const std::wstring& leaf) {
        m_files.push_back(test::TempPath(Tag() + leaf));
        ::DeleteFileW(m_files.back().c_str());
        return m_files.back();
    }

    std::wstring m_jobFile;
    std::wstring m_port;
    std::wstring m_queueName;
    std::unique_ptr<ScopedQueue> m_queue;
    std::vector<std::wstring> m_files;
    ScriptedPrompter m_prompter;
    ScriptedFileDialogs m_dialogs;
    CPanelDlg m_panel{&m_dialogs};
};

TEST_F(PanelWindow, StartUpTakesTheOnlyPrinterWithoutADialog) {
    const INT_PTR result = Run({[this] {
        ASSERT_NE(Panel(), nullptr);
        EXPECT_TRUE(::IsWindowVisible(Panel()));
        const HWND status = ::GetDlgItem(Panel(), IDC_STATUSBAR);
        wchar_t pane[256] = {};
        ::SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(pane));
        EXPECT_EQ(std::wstring(pane), L"プリンタ名： " + m_queueName);
        ::SendMessageW(status, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(pane));
        EXPECT_EQ(std::wstring(pane), L"接続先： " + m_port);
        // One printer: nothing to switch to.
        EXPECT_TRUE(IsGrayed(Menu(), ID_SELECT_PRINTER));
        EXPECT_FALSE(::SendMessageW(ToolBar(), TB_ISBUTTONENABLED, ID_TB_PRINTER, 0));
        EXPECT_TRUE(SendEnabled());
        // No help file beside the test program.
        EXPECT_TRUE(IsGrayed(Menu(), ID_HELP_CONTENTS));
        EXPECT_FALSE(IsGrayed(Menu(), ID_LOAD_SETTINGS));
    }});
    EXPECT_EQ(result, kForcedEnd);
}

TEST_F(PanelWindow, CancellingTheFirstSelectionEndsThePanelBeforeItShows) {
    const ScopedQueue other(QueueInfo{Tag() + L"other", test::kDriver, L"|cat > /dev/null"});
    ASSERT_EQ(other.Error(), static_cast<DWORD>(ERROR_SUCCESS));
    bool seen = false;
    // Runs inside the selection's own loop, while the panel is still initialising.
    const INT_PTR result = Run({[&] {
        const HWND selection = ::FindWindowW(L"#32770", L"プリンタの選択");
        ASSERT_NE(selection, nullptr);
        seen = true;
        EXPECT_FALSE(::IsWindowVisible(Panel()));
        ::PostMessageW(selection, WM_COMMAND, IDCANCEL, 0);
    }});
    EXPECT_TRUE(seen);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Panel(), nullptr);
}

TEST_F(PanelWindow, ShowsSixTabsWithTheFirstPageAndBarsAroundThem) {
    Run({[this] {
        ASSERT_EQ(::SendMessageW(Tab(), TCM_GETITEMCOUNT, 0, 0), 6);
        const wchar_t* texts[6] = {L"機能選択", L"パラメータ設定", L"ＭＳＷ１",
                                   L"ＭＳＷ２", L"ＭＳＷ３",       L"ＭＳＷ４"};
        const int images[6] = {0, 2, 1, 1, 1, 1};
        for (int index = 0; index < 6; ++index) {
            wchar_t text[64] = {};
            TCITEMW item{};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.pszText = text;
            item.cchTextMax = 64;
            ::SendMessageW(Tab(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
            EXPECT_STREQ(text, texts[index]);
            EXPECT_EQ(item.iImage, images[index]) << index;
        }
        const auto images16 =
            reinterpret_cast<HIMAGELIST>(::SendMessageW(Tab(), TCM_GETIMAGELIST, 0, 0));
        ASSERT_NE(images16, nullptr);
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images16, &width, &height);
        EXPECT_EQ(width, 16);
        EXPECT_GE(ImageList_GetImageCount(images16), 3);

        EXPECT_EQ(SelectedTab(), 0);
        EXPECT_EQ(VisiblePage(), 0);

        // Every page lies inside the tab control, below its rows of tabs; the bars keep
        // clear of it.
        const RECT tab = RectIn(Tab(), Panel());
        LONG rowsBottom = 0;
        for (int index = 0; index < 6; ++index) {
            RECT item{};
            ::SendMessageW(Tab(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
            rowsBottom = std::max(rowsBottom, item.bottom + tab.top);
        }
        for (int index = 0; index < 6; ++index) {
            Command(kShowTab[index]);
            ASSERT_NE(PageOfTab(index), nullptr) << index;
            const RECT page = RectIn(PageOfTab(index), Panel());
            EXPECT_TRUE(IsInside(page, tab)) << index;
            EXPECT_GE(page.top, rowsBottom) << index;
        }
        const RECT toolBar = RectIn(ToolBar(), Panel());
        const RECT status = RectIn(::GetDlgItem(Panel(), IDC_STATUSBAR), Panel());
        EXPECT_LE(toolBar.bottom, tab.top);
        EXPECT_GE(status.top, tab.bottom);
        RECT client{};
        ::GetClientRect(Panel(), &client);
        EXPECT_EQ(status.bottom, client.bottom);
    }});
}

TEST_F(PanelWindow, ToolBarHasTheFiveButtonsBetweenSeparatorsWithTheirToolTips) {
    Run({[this] {
        ASSERT_EQ(::SendMessageW(ToolBar(), TB_BUTTONCOUNT, 0, 0), 9);
        const int commands[9] = {0, 2000, 2001, 0, 2002, 0, 2003, 0, 2004};
        const int images[9] = {0, 0, 1, 0, 2, 0, 3, 0, 4};
        for (int index = 0; index < 9; ++index) {
            TBBUTTON button{};
            ::SendMessageW(ToolBar(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
            EXPECT_EQ(button.idCommand, commands[index]) << index;
            EXPECT_EQ(button.iBitmap, images[index]) << index;
            EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, commands[index] == 0) << index;
        }
        // The tool tip asks for its text, and the request finds its way to the bar.
        const auto tips = reinterpret_cast<HWND>(::SendMessageW(ToolBar(), TB_GETTOOLTIPS, 0, 0));
        ASSERT_NE(tips, nullptr);
        const std::pair<UINT, const wchar_t*> expected[5] = {{2000, L"設定ファイルの読み込み"},
                                                             {2001, L"設定ファイルへの書き込み"},
                                                             {2002, L"設定値をプリンタへ送信"},
                                                             {2003, L"工場出荷設定を表示"},
                                                             {2004, L"プリンタの選択"}};
        for (const auto& [id, text] : expected) {
            wchar_t buffer[80] = {};
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.hwnd = ToolBar();
            info.uId = id;
            info.lpszText = buffer;
            ::SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
            EXPECT_STREQ(buffer, text) << id;
        }
    }});
}

TEST_F(PanelWindow, TabsSwitchByClickAndByAcceleratorsWithTheFocusRule) {
    Run({
        // A click on a tab: the tab row keeps the focus.
        [this] {
            ::SetFocus(Tab());
            ::SendMessageW(Tab(), TCM_SETCURFOCUS, 3, 0);
            EXPECT_EQ(SelectedTab(), 3);
            EXPECT_EQ(VisiblePage(), 3);
            EXPECT_EQ(::GetFocus(), Tab());
        },
        // From a control on a page, Ctrl+P moves on into the page it shows.
        [this] {
            ::SetFocus(::GetDlgItem(PageOfTab(3), 1017));
            test::PostCtrlKey('P');
        },
        [this] {
            EXPECT_EQ(SelectedTab(), 1);
            EXPECT_EQ(VisiblePage(), 1);
            EXPECT_TRUE(FocusIsIn(1));
            test::PostCtrlKey('1');
        },
        [this] {
            EXPECT_EQ(SelectedTab(), 2);
            EXPECT_EQ(VisiblePage(), 2);
            EXPECT_TRUE(FocusIsIn(2));
            test::PostCtrlKey('4');
        },
        [this] {
            EXPECT_EQ(VisiblePage(), 5);
            test::PostCtrlKey('3');
        },
        [this] {
            EXPECT_EQ(VisiblePage(), 4);
            test::PostCtrlKey('2');
        },
        [this] {
            EXPECT_EQ(SelectedTab(), 3);
            EXPECT_EQ(VisiblePage(), 3);
            // With the tab row focused, Ctrl+K leaves the focus there.
            ::SetFocus(Tab());
            test::PostCtrlKey('K');
        },
        [this] {
            EXPECT_EQ(SelectedTab(), 0);
            EXPECT_EQ(VisiblePage(), 0);
            EXPECT_EQ(::GetFocus(), Tab());
        },
    });
}

TEST_F(PanelWindow, EscapeAndEnterNeverEndThePanel) {
    const INT_PTR result = Run({
        [this] {
            ::SetFocus(Tab());
            test::PostKey(VK_ESCAPE);
        },
        [] { test::PostKey(VK_RETURN); },
        [this] {
            ASSERT_NE(Panel(), nullptr);
            ChangeMsw1();
            ::SetFocus(::GetDlgItem(PageOfTab(2), 1237));
            test::PostKey(VK_ESCAPE);
        },
        [] { test::PostKey(VK_RETURN); },
        [this] {
            ASSERT_NE(Panel(), nullptr);
            EXPECT_TRUE(::IsWindowVisible(Panel()));
        },
    });
    EXPECT_EQ(result, kForcedEnd);
}

// As a user gets there with the Tab key, which makes the button the default one.
TEST_F(PanelWindow, EnterOnAPagesPushButtonDoesWhatAClickDoes) {
    std::wstring opened;
    Run({
        [this] {
            const HWND button = ::GetDlgItem(PageOfTab(0), IDC_SEL_FORM_SETTINGS);
            ::SendMessageW(Panel(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
            ASSERT_EQ(::GetFocus(), button);
            test::PostKey(VK_RETURN);
        },
        // Runs inside the form dialog's own loop.
        [&] {
            const HWND form = ::GetActiveWindow();
            ASSERT_NE(form, Panel());
            opened = WindowText(form);
            ::PostMessageW(form, WM_COMMAND, IDCANCEL, 0);
        },
        [this] { EXPECT_EQ(::GetActiveWindow(), Panel()); },
    });
    EXPECT_EQ(opened, L"書式の設定： 書式０");
}

// A help viewer, for one, runs on the panel's thread: its keys are its own.
TEST_F(PanelWindow, KeysOfAnotherWindowOfTheThreadRunNoCommand) {
    HWND other = nullptr;
    Run({
        [&] {
            other = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 20,
                                      nullptr, nullptr, nullptr, nullptr);
            ASSERT_NE(other, nullptr);
            ::SetFocus(other);
            test::PostCtrlKey('P');
        },
        [] { test::PostCtrlKey('2'); },
        [&] {
            EXPECT_EQ(SelectedTab(), 0);
            EXPECT_EQ(VisiblePage(), 0);
            ::DestroyWindow(other);
        },
    });
}

TEST_F(PanelWindow, CloseBoxAsksAboutSendingThenSavingAndCancelKeepsItOpen) {
    m_prompter.Expect(kAskSendAtExit, kQuestion, Answer::Cancel);
    m_prompter.Expect(kAskSendAtExit, kQuestion, Answer::No);
    m_prompter.Expect(kAskSaveAtExit, kQuestion, Answer::Cancel);
    m_prompter.Expect(kAskSendAtExit, kQuestion, Answer::No);
    m_prompter.Expect(kAskSaveAtExit, kQuestion, Answer::No);
    const INT_PTR result = Run({
        [this] { ChangeMsw1(); },
        [this] {
            ::SendMessageW(Panel(), WM_SYSCOMMAND, SC_CLOSE, 0);
            ASSERT_NE(Panel(), nullptr);
            ::SendMessageW(Panel(), WM_SYSCOMMAND, SC_CLOSE, 0);
            ASSERT_NE(Panel(), nullptr);
            EXPECT_TRUE(::IsWindowVisible(Panel()));
            // The third time both answers are No: the panel ends, and the loop with it.
            ::SendMessageW(Panel(), WM_SYSCOMMAND, SC_CLOSE, 0);
        },
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Panel(), nullptr);
}

TEST_F(PanelWindow, SendDeliversTheRecordAndAChangeEnablesTheCommandAgain) {
    ExpectSent();
    ExpectSent();
    m_prompter.Expect(kAskSaveAtExit, kQuestion, Answer::No);
    std::vector<std::uint8_t> first;
    const INT_PTR result = Run({
        [&] {
            Command(ID_SEND_TO_PRINTER);
            first = test::WaitForBytes(m_jobFile, 270);
            ASSERT_EQ(first.size(), 270u);
            EXPECT_EQ(first[0], 0x1C);
            EXPECT_EQ(first[1], 'o');
            EXPECT_EQ(first[2], '0');
            EXPECT_EQ(std::vector<std::uint8_t>(first.end() - 7, first.end()),
                      (std::vector<std::uint8_t>{'.', 0, 0, 0, 0, 0, 0}));
            EXPECT_FALSE(SendEnabled());
            ::DeleteFileW(m_jobFile.c_str());
        },
        [&] {
            ChangeMsw1();
            EXPECT_TRUE(SendEnabled());
            ::SendMessageW(Panel(), WM_COMMAND, MAKEWPARAM(ID_TB_SEND, BN_CLICKED),
                           reinterpret_cast<LPARAM>(ToolBar()));
            const std::vector<std::uint8_t> second = test::WaitForBytes(m_jobFile, 270);
            ASSERT_EQ(second.size(), 270u);
            // The switch of MSW1-4 lives in byte 4; nothing else moved.
            for (std::size_t i = 0; i < 270; ++i) {
                if (i == 4) {
                    EXPECT_NE(second[i], first[i]);
                } else {
                    EXPECT_EQ(second[i], first[i]) << "byte " << i;
                }
            }
            EXPECT_FALSE(SendEnabled());
            ::SendMessageW(Panel(), WM_SYSCOMMAND, SC_CLOSE, 0);
        },
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(PanelWindow, GrayedCommandsIgnoreTheirAccelerators) {
    ExpectSent();
    Run({
        // The focus first: leaving a control of the first page counts as a change there.
        [this] {
            ::SetFocus(Tab());
            Command(ID_SEND_TO_PRINTER);
        },
        [this] {
            ASSERT_EQ(test::WaitForBytes(m_jobFile, 270).size(), 270u);
            ::DeleteFileW(m_jobFile.c_str());
            ASSERT_FALSE(SendEnabled());
            test::PostCtrlKey('W');
        },
        [] { test::PostCtrlKey('C'); },
        [] { test::PostKey(VK_F1); },
        [this] {
            // No job, no box, no printer selection: the prompter would have seen them.
            ::Sleep(300);
            EXPECT_EQ(::GetFileAttributesW(m_jobFile.c_str()), INVALID_FILE_ATTRIBUTES);
        },
    });
}

TEST_F(PanelWindow, SavedFileHoldsTheHeaderAndTheRecordAndLoadsBack) {
    const std::wstring saved = TempFile(L"設定.dat");
    const std::wstring again = TempFile(L"again.dat");
    m_dialogs.Answer(Narrow(saved));
    m_dialogs.Answer(Narrow(saved));
    m_dialogs.Answer(Narrow(again));
    m_prompter.Expect("設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。",
                      kYesNoQuestion, Answer::Yes);
    std::vector<std::uint8_t> file;
    const INT_PTR result = Run({
        [&] {
            Command(ID_SAVE_SETTINGS);
            file = test::ReadAll(saved);
            ASSERT_EQ(file.size(), 290u);
            const std::string header(file.begin(), file.begin() + 20);
            EXPECT_EQ(header, std::string("Quillstrike 480ZQ9\n\0", 20));
            EXPECT_EQ(file[20], 0x1C);
            EXPECT_EQ(file[289], 0);
        },
        [&] {
            ChangeMsw1();
            EXPECT_EQ(::IsDlgButtonChecked(PageOfTab(2), 1237), BST_CHECKED);
            Command(ID_LOAD_SETTINGS);
            // The file's setting is back on the page, and it counts as a change to send.
            EXPECT_EQ(::IsDlgButtonChecked(PageOfTab(2), 1237), BST_UNCHECKED);
            EXPECT_EQ(::IsDlgButtonChecked(PageOfTab(2), 1017), BST_CHECKED);
            EXPECT_TRUE(SendEnabled());
            Command(ID_SAVE_SETTINGS);
            EXPECT_EQ(test::ReadAll(again), file);
        },
        // Loaded and saved, and never changed since the start: nothing to ask.
        [this] { Command(ID_EXIT_PANEL); },
    });
    EXPECT_EQ(result, IDOK);

    ASSERT_EQ(m_dialogs.Requests().size(), 3u);
    for (const ScriptedFileDialogs::Request& request : m_dialogs.Requests()) {
        EXPECT_EQ(request.directory, Narrow(ThisProgramsDirectory()));
        EXPECT_EQ(request.filterName, "SB設定ファイル (*.dat)");
        EXPECT_EQ(request.initialName, "*.dat");
    }
    EXPECT_TRUE(m_dialogs.Requests()[0].save);
    EXPECT_FALSE(m_dialogs.Requests()[1].save);
}

TEST_F(PanelWindow, SystemMenuOffersNeitherSizeNorMaximize) {
    Run({
        [this] {
            const HMENU system = ::GetSystemMenu(Panel(), FALSE);
            ASSERT_NE(system, nullptr);
            EXPECT_TRUE(IsGrayed(system, SC_SIZE));
            EXPECT_TRUE(IsGrayed(system, SC_MAXIMIZE));
            EXPECT_TRUE(IsGrayed(system, SC_RESTORE));
            EXPECT_FALSE(IsGrayed(system, SC_MINIMIZE));
            ::ShowWindow(Panel(), SW_MINIMIZE);
        },
        [this] {
            ASSERT_TRUE(::IsIconic(Panel()));
            const HMENU system = ::GetSystemMenu(Panel(), FALSE);
            EXPECT_TRUE(IsGrayed(system, SC_SIZE));
            EXPECT_TRUE(IsGrayed(system, SC_MAXIMIZE));
            EXPECT_FALSE(IsGrayed(system, SC_RESTORE));
            EXPECT_TRUE(IsGrayed(system, SC_MINIMIZE));
            const auto icon = ::SendMessageW(Panel(), WM_QUERYDRAGICON, 0, 0);
            EXPECT_NE(icon, 0);
            EXPECT_EQ(icon, ::SendMessageW(Panel(), WM_GETICON, ICON_BIG, 0));
            EXPECT_NE(::SendMessageW(Panel(), WM_GETICON, ICON_SMALL, 0), 0);
            ::ShowWindow(Panel(), SW_RESTORE);
        },
        [this] { EXPECT_FALSE(::IsIconic(Panel())); },
    });
}

TEST_F(PanelWindow, AboutBoxShowsTheProgramAndItsVersion) {
    Run({
        [this] { Command(ID_APP_ABOUT); },
        // Runs inside the About box's own loop.
        [] {
            const HWND about = ::FindWindowW(L"#32770", L"バージョン情報");
            ASSERT_NE(about, nullptr);
            std::vector<std::wstring> texts;
            for (HWND item = ::GetWindow(about, GW_CHILD); item;
                 item = ::GetWindow(item, GW_HWNDNEXT)) {
                texts.push_back(WindowText(item));
            }
            for (const wchar_t* text :
                 {L"Quillstrike 480ZQ9", L"スイッチボード", L"Version 2.000"}) {
                EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << Narrow(text);
            }
            EXPECT_EQ(WindowText(::GetDlgItem(about, IDOK)), L"OK");
            ::PostMessageW(about, WM_COMMAND, IDOK, 0);
        },
        [] { EXPECT_EQ(::FindWindowW(L"#32770", L"バージョン情報"), nullptr); },
    });
}

TEST_F(PanelWindow, HelpThatTheViewerCannotOpenIsReported) {
    const ScopedFile help(ThisProgramsDirectory() + L"swbz48.chm", "not a help file");
    m_prompter.Expect("ヘルプファイルが見つかりません。", kExclamation);
    Run({
        [this] {
            EXPECT_FALSE(IsGrayed(Menu(), ID_HELP_CONTENTS));
            ::SetFocus(Tab());
            test::PostKey(VK_F1);
        },
        [this] { EXPECT_TRUE(m_prompter.AllShown()); },
    });
}

} // namespace
} // namespace sb
