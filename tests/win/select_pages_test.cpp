// The function selection page and the form settings dialog as real windows: what a decode
// shows, what an encode writes, which notifications reach the main dialog, and the form
// dialog driven through its controls inside its own modal loop.
#include "control_probe.h"
#include "page_host.h"
#include "pages/form_dlg.h"
#include "pages/select_page.h"
#include "record/factory_record.h"
#include "ui/window.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace sb {
namespace {

using test::Checked;
using test::Choose;
using test::CPageHost;
using test::CRecordingPrompter;
using test::HasStyle;
using test::Selected;
using test::TextOf;

constexpr WORD kDataCheck = 32805;
constexpr INT_PTR kAbandoned = 999;

std::string ItemTextOf(HWND parent, int id) {
    return TextOf(::GetDlgItem(parent, id));
}

// Runs steps inside the modal loop that open() starts, once its dialog is up; a watchdog
// ends a dialog that the steps left open, so a failed step cannot hang the test.
class ModalScript {
public:
    static INT_PTR Run(const std::function<INT_PTR()>& open, std::function<void(HWND)> steps) {
        s_steps = std::move(steps);
        s_bRan = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, OnTimer);
        const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 5000, OnWatchdog);
        const INT_PTR result = open();
        ::KillTimer(nullptr, timer);
        ::KillTimer(nullptr, watchdog);
        EXPECT_TRUE(s_bRan) << "the dialog did not open";
        return result;
    }

private:
    // The visible dialog of this thread: the modal one, since the host is no dialog.
    static HWND FindDialog() {
        HWND found = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hwnd, LPARAM param) CALLBACK -> BOOL {
                wchar_t name[16] = {};
                ::GetClassNameW(hwnd, name, 16);
                if (std::wstring_view(name) == L"#32770" && ::IsWindowVisible(hwnd)) {
                    *reinterpret_cast<HWND*>(param) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    // The dialog loop shows its window only once the queue is empty: wait for that.
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        const HWND dialog = FindDialog();
        if (dialog == nullptr) {
            return;
        }
        ::KillTimer(nullptr, id);
        s_bRan = true;
        auto steps = std::move(s_steps);
        steps(dialog);
    }
    static void CALLBACK OnWatchdog(HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        ADD_FAILURE() << "the dialog was left open";
        ::EndDialog(FindDialog(), kAbandoned);
    }

    static inline std::function<void(HWND)> s_steps;
    static inline bool s_bRan = false;
};

void Press(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Typing over the whole text, key by key, in the focused edit.
void Type(HWND dialog, int id, std::wstring_view keys) {
    const HWND edit = ::GetDlgItem(dialog, id);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t key : keys) {
        ::SendMessageW(edit, WM_CHAR, key, 1);
    }
}

void Paste(HWND dialog, int id, const wchar_t* text) {
    const HWND edit = ::GetDlgItem(dialog, id);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

int TrackPos(HWND dialog, int id) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0));
}

// The user drags a track bar to pos; focused tells whether it has the focus meanwhile.
void Drag(HWND dialog, int id, int pos, bool focused = true) {
    const HWND track = ::GetDlgItem(dialog, id);
    if (focused) {
        ::SetFocus(track);
    }
    ::SendMessageW(track, TBM_SETPOS, TRUE, pos);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos),
                   reinterpret_cast<LPARAM>(track));
}

std::string FormTextOf(const CFormValues& values, int form) {
    const std::span<const char> text = values.FormText(form);
    return std::string(text.begin(), text.end());
}

std::array<std::string, 5> FormTexts(const CFormValues& values) {
    std::array<std::string, 5> texts;
    for (int n = 0; n < 5; ++n) {
        texts[n] = FormTextOf(values, n);
    }
    return texts;
}

// The factory record with text written from offset on.
SettingRecord FactoryWith(std::size_t offset, std::string_view text) {
    SettingRecord record = FactoryRecord();
    std::copy(text.begin(), text.end(), record.begin() + offset);
    return record;
}

// ---------------------------------------------------------------------------------------
// The page

class SelectPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_host.Activate());
        ASSERT_TRUE(m_page.CreatePage(m_host.Handle(), true));
        m_hPage = m_page.Handle();
    }
    HWND Item(int id) const { return ::GetDlgItem(m_hPage, id); }
    int DataChecks() const { return m_host.CountOf(kDataCheck); }
    void Decode(SettingRecord record) { m_page.DecodeRecord(record); }
    SettingRecord EncodeInto(SettingRecord record) {
        m_page.EncodeRecord(record);
        return record;
    }

    CPageHost m_host;
    CPage_Select m_page;
    HWND m_hPage = nullptr;
};

// A window's rectangle in its parent's client coordinates (the screen's for a top-level one).
RECT RectInParent(HWND hwnd) {
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(SelectPageTest, IsAFramelessChildOverTheTabsWithItsHiddenName) {
    EXPECT_TRUE(HasStyle(m_hPage, WS_CHILD));
    EXPECT_FALSE(HasStyle(m_hPage, WS_CAPTION));
    EXPECT_FALSE(HasStyle(m_hPage, WS_BORDER));
    RECT expected{7, 48, 7 + 230, 48 + 190};
    ::MapDialogRect(m_hPage, &expected);
    EXPECT_TRUE(SameRect(RectInParent(m_hPage), expected));
    bool found = false;
    for (HWND child = ::GetWindow(m_hPage, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (TextOf(child) == "機能選択") {
            found = true;
            EXPECT_FALSE(HasStyle(child, WS_VISIBLE));
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(SelectPageTest, ListsHoldTheirEntriesInListOrder) {
    const std::vector<std::pair<int, std::vector<std::string>>> lists = {
        {1048, {"0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12",
                "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24"}},
        {1045, {"オート", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
        {1046, {"-6", "-5", "-4", "-3", "-2", "-1", "0", "+1", "+2", "+3"}},
        {1047, {"-1.3", "-0.8", "-0.4", "0", "+0.4", "+0.8", "+1.3"}},
        {1057, {"縮小なし", "２／３縮小", "４／５縮小"}},
        {1058, {"標準", "厚紙", "複写"}},
        {1056, {"書式０", "書式１", "書式２", "書式３", "書式４"}},
    };
    for (const auto& [id, entries] : lists) {
        const HWND combo = Item(id);
        EXPECT_EQ(test::ComboEntries(combo), entries) << id;
        EXPECT_EQ(::GetWindowLongW(combo, GWL_STYLE) & (CBS_DROPDOWNLIST | CBS_SORT),
                  CBS_DROPDOWNLIST)
            << id;
    }
    EXPECT_EQ(ItemTextOf(m_hPage, 1002), "書式の設定(&D)...");
}

TEST_F(SelectPageTest, FactoryDecodeShowsTheFactoryChoicesWithoutADataCheck) {
    Decode(FactoryRecord());
    EXPECT_EQ(Selected(m_hPage, 1048), "9");
    EXPECT_EQ(Selected(m_hPage, 1045), "オート");
    EXPECT_EQ(Selected(m_hPage, 1046), "0");
    EXPECT_EQ(Selected(m_hPage, 1047), "0");
    EXPECT_EQ(Selected(m_hPage, 1057), "縮小なし");
    EXPECT_EQ(Selected(m_hPage, 1058), "標準");
    EXPECT_EQ(Selected(m_hPage, 1056), "書式０");
    EXPECT_TRUE(Checked(m_hPage, 1043));
    EXPECT_FALSE(Checked(m_hPage, 1012));
    EXPECT_TRUE(Checked(m_hPage, 1044));
    EXPECT_FALSE(Checked(m_hPage, 1015));
    EXPECT_TRUE(m_host.Commands().empty());
    EXPECT_EQ(EncodeInto(FactoryRecord()), FactoryRecord());
}

TEST_F(SelectPageTest, EncodeWritesBackWhatDecodeShowed) {
    // Every byte of the page away from its factory value, and the factory record back.
    const SettingRecord other = [] {
        SettingRecord record = FactoryRecord();
        record[26] = '1';
        record[67] = '2';
        record[68] = '4';
        record[70] = '1';
        record[72] = '5';
        record[74] = '1';
        record[75] = '2';
        record[77] = 'F';
        record[78] = 'A';
        record[80] = 'F';
        record[81] = 'D';
        record[83] = '2';
        record[85] = '4';
        std::copy_n("70,", 3, record.begin() + 204);
        return record;
    }();
    Decode(other);
    EXPECT_EQ(Selected(m_hPage, 1046), "-6");
    EXPECT_EQ(Selected(m_hPage, 1057), "４／５縮小");
    EXPECT_TRUE(Checked(m_hPage, 1012));
    EXPECT_TRUE(Checked(m_hPage, 1015));
    EXPECT_EQ(EncodeInto(FactoryRecord()), other);
    Decode(FactoryRecord());
    EXPECT_EQ(EncodeInto(other), FactoryRecord());
    EXPECT_TRUE(m_host.Commands().empty());
}

TEST_F(SelectPageTest, EveryNotificationOfAListedControlSendsOneDataCheck) {
    Decode(FactoryRecord());
    const std::vector<std::pair<int, WORD>> notifications = {
        {1012, BN_CLICKED},    {1015, BN_CLICKED},   {1043, BN_CLICKED},   {1044, BN_CLICKED},
        {1045, CBN_SELCHANGE}, {1046, CBN_DROPDOWN}, {1047, CBN_SETFOCUS}, {1048, CBN_KILLFOCUS},
        {1057, CBN_SELCHANGE}, {1058, CBN_CLOSEUP},  {1056, CBN_SETFOCUS}, {1043, BN_SETFOCUS},
        {1012, BN_KILLFOCUS},
    };
    for (const auto& [id, code] : notifications) {
        m_host.Clear();
        ::SendMessageW(m_hPage, WM_COMMAND, MAKEWPARAM(id, code),
                       reinterpret_cast<LPARAM>(Item(id)));
        EXPECT_EQ(DataChecks(), 1) << id << " " << code;
        EXPECT_EQ(m_host.Commands().size(), 1u) << id << " " << code;
    }
    // The form button reports nothing on its own.
    m_host.Clear();
    ::SendMessageW(m_hPage, WM_COMMAND, MAKEWPARAM(1002, BN_SETFOCUS),
                   reinterpret_cast<LPARAM>(Item(1002)));
    EXPECT_TRUE(m_host.Commands().empty());
}

TEST_F(SelectPageTest, AClickedRadioButtonReachesTheMainDialog) {
    Decode(FactoryRecord());
    ::SendMessageW(Item(1015), BM_CLICK, 0, 0);
    EXPECT_EQ(DataChecks(), 1);
    EXPECT_TRUE(Checked(m_hPage, 1015));
    EXPECT_FALSE(Checked(m_hPage, 1044));
    EXPECT_EQ(EncodeInto(FactoryRecord())[70], '1');
}

TEST_F(SelectPageTest, ChoosingAFormSendsTheDataCheckAndNamesTheForm) {
    Decode(FactoryRecord());
    m_page.RefreshFormButtonCaption();
    EXPECT_EQ(ItemTextOf(m_hPage, 1002), "書式０の設定(&D)...");
    Choose(m_hPage, 1056, 3);
    EXPECT_EQ(DataChecks(), 1);
    EXPECT_EQ(ItemTextOf(m_hPage, 1002), "書式３の設定(&D)...");
    EXPECT_EQ(EncodeInto(FactoryRecord()), FactoryWith(85, "3"));
}

TEST_F(SelectPageTest, FormButtonOpensTheSelectedFormAndOnlyOkReportsIt) {
    Decode(FactoryRecord());
    Choose(m_hPage, 1056, 3);
    m_host.Clear();
    const auto click = [this] {
        ::SendMessageW(m_hPage, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Item(1002)));
        return INT_PTR{0};
    };

    ModalScript::Run(click, [this](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "書式の設定： 書式３");
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), m_host.Handle());
        Type(dialog, 1054, L"70");
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(DataChecks(), 0);
    EXPECT_EQ(EncodeInto(FactoryRecord()), FactoryWith(85, "3"));

    ModalScript::Run(click, [](HWND dialog) {
        EXPECT_EQ(ItemTextOf(dialog, 1054), "66"); // a fresh parse at every opening
        Type(dialog, 1054, L"70");
        Press(dialog, IDOK);
    });
    EXPECT_EQ(DataChecks(), 1);
    SettingRecord expected = FactoryWith(85, "3");
    std::copy_n("70", 2, expected.begin() + 165);
    EXPECT_EQ(EncodeInto(FactoryRecord()), expected);
}

// ---------------------------------------------------------------------------------------
// The form settings dialog over a form store

class FormDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_host.Activate());
        Load(FactoryRecord());
        m_dlg.SetPrompter(&m_prompter);
    }
    void Load(const SettingRecord& record) {
        for (int n = 0; n < 5; ++n) {
            m_values.CopyFormFromRecord(n, record);
        }
    }
    INT_PTR Open(int form, std::function<void(HWND)> steps) {
        m_values.ParseFormText(form);
        m_values.m_strFormName = std::array{"書式０", "書式１", "書式２", "書式３", "書式４"}[form];
        return ModalScript::Run([this] { return m_dlg.DoModal(m_host.Handle()); },
                                std::move(steps));
    }

    CPageHost m_host;
    CFormValues m_values;
    CFormDlg m_dlg{m_values};
    CRecordingPrompter m_prompter;
};

constexpr std::array<int, 10> kEdits = {1060, 1200, 1062, 1066, 1064, 1054, 1201, 1202, 1058, 1061};
constexpr std::array<int, 8> kMarginControls = {1209, 1211, 1201, 1202, 1203, 1204, 1210, 1212};

// The tick labels of one load-position row, in template order after its track bar, with the
// track-bar position each stands under (-1 for a unit after the line's last label).
struct TickLabel {
    std::string text;
    int tick;
};

std::vector<TickLabel> TickLabels(const char* mark7) {
    return {{"0", 0}, {"1/8", 1},     {"1/6", 3}, {"1/4", 5},  {"1/3", 6}, {"1/2", 8},
            {"1", 9}, {"インチ", -1}, {"3.8", 2}, {"6.03", 4}, {mark7, 7}, {"mm", -1}};
}

// Where tick pos of a track bar is drawn, in the dialog's client coordinates.
int TickX(HWND dialog, HWND track, int pos) {
    int first = 0;
    int last = 0;
    const auto count = ::SendMessageW(track, TBM_GETNUMTICS, 0, 0);
    for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
        const auto tick = ::SendMessageW(track, TBM_GETTIC, i, 0);
        if (tick == 1) {
            first = static_cast<int>(::SendMessageW(track, TBM_GETTICPOS, i, 0));
        } else if (tick == 8) {
            last = static_cast<int>(::SendMessageW(track, TBM_GETTICPOS, i, 0));
        }
    }
    // The end ticks have no position of their own to ask for; the ticks are evenly spaced.
    POINT point{first + (last - first) * (pos - 1) / 7, 0};
    ::MapWindowPoints(track, dialog, &point, 1);
    return point.x;
}

RECT RectIn(HWND dialog, HWND child) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the thumb of a track bar is drawn: its middle, in the dialog's client coordinates.
int ThumbX(HWND dialog, HWND track) {
    RECT thumb;
    ::SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    POINT point{(thumb.left + thumb.right) / 2, 0};
    ::MapWindowPoints(track, dialog, &point, 1);
    return point.x;
}

TEST_F(FormDialogTest, FormZeroOpensWithItsFieldsAndWithoutMargins) {
    const INT_PTR result = Open(0, [](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "書式の設定： 書式０");
        std::vector<std::string> texts;
        for (const int id : kEdits) {
            texts.push_back(ItemTextOf(dialog, id));
        }
        EXPECT_EQ(texts, (std::vector<std::string>{"120", "120", "46", "46", "54", "66", "0", "136",
                                                   "0", "0"}));
        const std::vector<int> positions = {TrackPos(dialog, 1094), TrackPos(dialog, 1100),
                                            TrackPos(dialog, 1095), TrackPos(dialog, 1102),
                                            TrackPos(dialog, 1096)};
        EXPECT_EQ(positions, (std::vector<int>{9, 9, 7, 7, 7}));
        // The thumbs are drawn where the positions are, not where they were before the range.
        for (const int id : {1094, 1095}) {
            const HWND track = ::GetDlgItem(dialog, id);
            EXPECT_NEAR(ThumbX(dialog, track), TickX(dialog, track, TrackPos(dialog, id)), 3) << id;
        }
        for (const int id : kMarginControls) {
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, id))) << id;
        }
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, 1054)));
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(FormTexts(m_values)[0], std::string("66,120,120,046,046,054,00,00,\0", 30));
    EXPECT_TRUE(m_prompter.m_shown.empty());
}

TEST_F(FormDialogTest, TickLabelsStandUnderTheirTicks) {
    Open(4, [](HWND dialog) {
        const std::vector<std::pair<int, const char*>> rows = {
            {1094, "9.7"}, {1100, "9.7"}, {1095, "9.7"}, {1102, "9.7"}, {1096, "11.5"}};
        for (const auto& [id, mark7] : rows) {
            const HWND track = ::GetDlgItem(dialog, id);
            const RECT trackRect = RectIn(dialog, track);
            const std::vector<TickLabel> expected = TickLabels(mark7);
            HWND label = ::GetWindow(track, GW_HWNDNEXT);
            int lineTop[2] = {-1, -1};
            int lastRight = 0;
            for (std::size_t i = 0; i < expected.size();
                 ++i, label = ::GetWindow(label, GW_HWNDNEXT)) {
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(TextOf(label), expected[i].text) << id;
                const RECT rect = RectIn(dialog, label);
                const int line = i < 8 ? 0 : 1;
                if (lineTop[line] < 0) {
                    lineTop[line] = rect.top;
                }
                EXPECT_EQ(rect.top, lineTop[line]) << id << " " << expected[i].text;
                if (expected[i].tick >= 0) {
                    const int centre = (rect.left + rect.right) / 2;
                    EXPECT_NEAR(centre, TickX(dialog, track, expected[i].tick), 3)
                        << id << " " << expected[i].text;
                } else {
                    EXPECT_GE(rect.left, lastRight - 4) << id << " " << expected[i].text;
                }
                lastRight = (rect.left + rect.right) / 2;
            }
            // Both are rounded from dialog units on their own, so a pixel apart at most.
            EXPECT_GE(lineTop[0], trackRect.bottom - 1) << id;
            EXPECT_GT(lineTop[1], lineTop[0]) << id;
        }
        Press(dialog, IDCANCEL);
    });
}

TEST_F(FormDialogTest, IsAModalFrameOfItsTemplateSize) {
    Open(0, [](HWND dialog) {
        EXPECT_TRUE(HasStyle(dialog, WS_POPUP | WS_CAPTION | WS_SYSMENU));
        EXPECT_NE(::GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
        RECT expected{0, 0, 375, 195};
        ::MapDialogRect(dialog, &expected);
        RECT client;
        ::GetClientRect(dialog, &client);
        EXPECT_TRUE(SameRect(client, expected));
        Press(dialog, IDCANCEL);
    });
}

TEST_F(FormDialogTest, OtherFormsOpenWithTheirMarginsEnabled) {
    Load(FactoryWith(126, "55,012,080,"));
    Open(2, [](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "書式の設定： 書式２");
        EXPECT_EQ(ItemTextOf(dialog, 1054), "55");
        EXPECT_EQ(ItemTextOf(dialog, 1201), "12");
        EXPECT_EQ(ItemTextOf(dialog, 1202), "80");
        for (const int id : kMarginControls) {
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, id))) << id;
        }
        Press(dialog, IDCANCEL);
    });
}

TEST_F(FormDialogTest, TrackBarsHaveTenTicksAndSpinButtonsTheirEditsAndRanges) {
    Open(1, [](HWND dialog) {
        for (const int id : {1094, 1100, 1095, 1102, 1096}) {
            const HWND track = ::GetDlgItem(dialog, id);
            EXPECT_EQ(::SendMessageW(track, TBM_GETRANGEMIN, 0, 0), 0) << id;
            EXPECT_EQ(::SendMessageW(track, TBM_GETRANGEMAX, 0, 0), 9) << id;
            EXPECT_EQ(::SendMessageW(track, TBM_GETNUMTICS, 0, 0), 10) << id;
        }
        struct Spin {
            int spin, edit, lo, hi;
        };
        const std::vector<Spin> spins = {
            {1099, 1060, 0, 170}, {1101, 1200, 0, 170}, {1098, 1062, 0, 170}, {1103, 1066, 0, 170},
            {1065, 1064, 0, 170}, {1097, 1054, 1, 99},  {1203, 1201, 0, 135}, {1204, 1202, 1, 136},
            {1059, 1058, 0, 68},  {1063, 1061, 0, 68},
        };
        for (const Spin& s : spins) {
            const HWND spin = ::GetDlgItem(dialog, s.spin);
            int lo = -1;
            int hi = -1;
            ::SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo),
                           reinterpret_cast<LPARAM>(&hi));
            EXPECT_EQ(lo, s.lo) << s.spin;
            EXPECT_EQ(hi, s.hi) << s.spin;
            EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageW(spin, UDM_GETBUDDY, 0, 0)),
                      ::GetDlgItem(dialog, s.edit))
                << s.spin;
        }
        // The up arrow in the edit counts up, through the edit's change rule.
        const HWND pageLength = ::GetDlgItem(dialog, 1054);
        ::SetFocus(pageLength);
        ::SendMessageW(pageLength, WM_KEYDOWN, VK_UP, 0);
        EXPECT_EQ(ItemTextOf(dialog, 1054), "67");
        Press(dialog, IDCANCEL);
    });
}

TEST_F(FormDialogTest, TypedLoadPositionsMoveTheirTrackBars) {
    Open(0, [](HWND dialog) {
        Type(dialog, 1060, L"50");
        EXPECT_EQ(TrackPos(dialog, 1094), 7);
        Type(dialog, 1060, L"53");
        EXPECT_EQ(TrackPos(dialog, 1094), 7);
        Type(dialog, 1060, L"90");
        EXPECT_EQ(TrackPos(dialog, 1094), 8);
        Type(dialog, 1066, L"1234");
        EXPECT_EQ(ItemTextOf(dialog, 1066), "170");
        EXPECT_EQ(TrackPos(dialog, 1102), 9);
        // A replaced text is selected, so the next keys type over it.
        DWORD start = 9;
        DWORD end = 9;
        ::SendDlgItemMessageW(dialog, 1066, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                              reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 3u);
        // Without the focus a value is not clamped, but the track bar still follows.
        ::SetFocus(::GetDlgItem(dialog, 1054));
        ::SetDlgItemTextW(dialog, 1062, L"1234");
        EXPECT_EQ(ItemTextOf(dialog, 1062), "1234");
        EXPECT_EQ(TrackPos(dialog, 1095), 9);
        Press(dialog, IDCANCEL);
    });
}

TEST_F(FormDialogTest, AMovedTrackBarPutsItsTickIntoTheEdit) {
    Open(0, [](HWND dialog) {
        Drag(dialog, 1096, 2);
        EXPECT_EQ(ItemTextOf(dialog, 1064), "18");
        Drag(dialog, 1096, 7);
        EXPECT_EQ(ItemTextOf(dialog, 1064), "54");
        Drag(dialog, 1100, 7);
        EXPECT_EQ(ItemTextOf(dialog, 1200), "46");
        // By the keyboard, as the track bar itself reports it.
        const HWND track = ::GetDlgItem(dialog, 1094);
        ::SetFocus(track);
        ::SendMessageW(track, WM_KEYDOWN, VK_LEFT, 0);
        EXPECT_EQ(ItemTextOf(dialog, 1060), "60");
        EXPECT_EQ(TrackPos(dialog, 1094), 8);
        // A move the user did not make changes no edit.
        Drag(dialog, 1095, 1, false);
        EXPECT_EQ(ItemTextOf(dialog, 1062), "46");
        Press(dialog, IDCANCEL);
    });
}

TEST_F(FormDialogTest, FocusedEditsKeepTheirBoundsAndLengths) {
    Open(1, [](HWND dialog) {
        Type(dialog, 1054, L"0");
        EXPECT_EQ(ItemTextOf(dialog, 1054), "1");
        Type(dialog, 1054, L"\b");
        EXPECT_EQ(ItemTextOf(dialog, 1054), "1");
        Type(dialog, 1201, L"200");
        EXPECT_EQ(ItemTextOf(dialog, 1201), "135");
        Paste(dialog, 1061, L"00012");
        EXPECT_EQ(ItemTextOf(dialog, 1061), "12");
        Paste(dialog, 1058, L"99");
        EXPECT_EQ(ItemTextOf(dialog, 1058), "68");
        Press(dialog, IDCANCEL);
    });
}

TEST_F(FormDialogTest, EqualMarginsAreRefusedAndTheRightMarginCorrected) {
    const auto before = FormTexts(m_values);
    const INT_PTR result = Open(1, [this](HWND dialog) {
        Type(dialog, 1201, L"40");
        Type(dialog, 1202, L"40");
        Press(dialog, IDOK);
        ASSERT_EQ(m_prompter.m_shown.size(), 1u);
        EXPECT_EQ(m_prompter.m_shown[0].text,
                  "ライトマージン幅はレフトマージン幅より大きくしてください。適正値に変更します。");
        EXPECT_EQ(m_prompter.m_shown[0].caption, "レフトマージン幅／ライトマージン幅");
        EXPECT_EQ(m_prompter.m_shown[0].style, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(ItemTextOf(dialog, 1202), "41");
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, 1202));
        EXPECT_TRUE(::IsWindowVisible(dialog));
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(FormTexts(m_values), before);
}

TEST_F(FormDialogTest, AStoredPageLengthOutOfRangeIsShownAndRefused) {
    Load(FactoryWith(87, "00"));
    const auto before = FormTexts(m_values);
    const INT_PTR result = Open(1, [this](HWND dialog) {
        EXPECT_EQ(ItemTextOf(dialog, 1054), "0");
        Press(dialog, IDOK);
        ASSERT_EQ(m_prompter.m_shown.size(), 1u);
        EXPECT_EQ(m_prompter.m_shown[0].text, "1 から 99 までの整数を入力してください。");
        EXPECT_EQ(m_prompter.m_shown[0].caption, "Switchboard");
        EXPECT_EQ(m_prompter.m_shown[0].style, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
        const HWND edit = ::GetDlgItem(dialog, 1054);
        EXPECT_EQ(::GetFocus(), edit);
        DWORD start = 9;
        DWORD end = 9;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 1u);
        EXPECT_EQ(ItemTextOf(dialog, 1054), "0");
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(FormTexts(m_values), before);
}

TEST_F(FormDialogTest, CancelLeavesEveryFormTextAsItWas) {
    const auto before = FormTexts(m_values);
    const INT_PTR result = Open(3, [](HWND dialog) {
        Type(dialog, 1054, L"12");
        Type(dialog, 1201, L"5");
        Drag(dialog, 1096, 1);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(FormTexts(m_values), before);
}

TEST_F(FormDialogTest, OkWritesOnlyTheDigitsOfTheEditedForm) {
    auto expected = FormTexts(m_values);
    EXPECT_EQ(Open(1, [](HWND dialog) { Press(dialog, IDOK); }), IDOK);
    EXPECT_EQ(FormTexts(m_values), expected);

    const INT_PTR result = Open(3, [](HWND dialog) {
        Type(dialog, 1201, L"7");
        Drag(dialog, 1094, 1);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    expected[3] = std::string("66,007,136,015,120,046,046,054,00,00,\0", 38);
    EXPECT_EQ(FormTexts(m_values), expected);
    EXPECT_TRUE(m_prompter.m_shown.empty());
}

} // namespace
} // namespace sb
