// The memory switch pages and the parameter page as real windows: their templates, what a
// decode shows, what an encode writes, which control changes reach the main dialog as the
// data check, and the parameter page's typing rules and head centring correction.
#include "control_probe.h"
#include "page_host.h"
#include "pages/msw_page.h"
#include "pages/param_page.h"
#include "record/factory_record.h"
#include "res/resource.h"
#include "ui/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace sb {
namespace {

using test::CControlCommandCounter;
using test::Checked;
using test::Choose;
using test::ComboEntries;
using test::CPageHost;
using test::CRecordingPrompter;
using test::HasStyle;
using test::Selected;
using test::TextOf;

constexpr WORD kDataCheck = 32805;
constexpr std::uint8_t kUntouched = 0xEE;

// The list drops down far enough to show every entry without scrolling.
bool ListShowsAllEntries(HWND combo) {
    RECT dropped{};
    ::SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const auto field = ::SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    const auto item = ::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
    const auto count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    return dropped.bottom - dropped.top >= field + count * item;
}

void Click(HWND page, int id) {
    ::SendDlgItemMessageW(page, id, BM_CLICK, 0, 0);
}

// The texts of all the page's child windows, and whether each is created visible.
struct ChildText {
    std::string text;
    bool visible;
};

std::vector<ChildText> ChildTexts(HWND page) {
    std::vector<ChildText> texts;
    for (HWND child = ::GetWindow(page, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back({TextOf(child), HasStyle(child, WS_VISIBLE)});
    }
    return texts;
}

// Visible: 1, hidden: 0, missing: -1.
int Visibility(HWND page, const std::string& text) {
    const std::vector<ChildText> texts = ChildTexts(page);
    const auto found = std::find_if(texts.begin(), texts.end(),
                                    [&](const ChildText& child) { return child.text == text; });
    return found == texts.end() ? -1 : found->visible ? 1 : 0;
}

SettingRecord Untouched() {
    SettingRecord record;
    record.fill(kUntouched);
    return record;
}

// A page of either kind in a host that stands in for the main dialog.
template <class Page> class HostedPage {
public:
    explicit HostedPage(std::unique_ptr<Page> page) : m_page(std::move(page)) {
        m_bActive = m_host.Activate();
        m_bCreated = m_page->CreatePage(m_host.Handle(), true);
    }
    bool Ready() const { return m_bActive && m_bCreated; }
    Page& page() { return *m_page; }
    HWND Handle() const { return m_page->Handle(); }
    HWND Item(int id) const { return ::GetDlgItem(m_page->Handle(), id); }
    CPageHost& host() { return m_host; }
    int DataChecks() const { return m_host.CountOf(kDataCheck); }

    void DecodeFactory() {
        SettingRecord record = FactoryRecord();
        m_page->DecodeRecord(record);
    }
    SettingRecord Encoded() {
        SettingRecord record = Untouched();
        m_page->EncodeRecord(record);
        return record;
    }

private:
    CPageHost m_host;
    std::unique_ptr<Page> m_page;
    bool m_bActive = false;
    bool m_bCreated = false;
};

// Every page template: a frameless child placed at (7, 48), 230 by 190 dialog units.
template <class Page> void ExpectPagePlacement() {
    HostedPage<Page> hosted(std::make_unique<Page>());
    ASSERT_TRUE(hosted.Ready());
    const HWND page = hosted.Handle();
    EXPECT_TRUE(HasStyle(page, WS_CHILD));
    EXPECT_FALSE(HasStyle(page, WS_CAPTION));
    EXPECT_FALSE(HasStyle(page, WS_BORDER));
    EXPECT_FALSE(HasStyle(page, WS_THICKFRAME));
    EXPECT_NE(::GetWindowLongW(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    RECT expected{7, 48, 7 + 230, 48 + 190};
    ::MapDialogRect(page, &expected);
    RECT actual;
    ::GetWindowRect(page, &actual);
    ::MapWindowPoints(nullptr, hosted.host().Handle(), reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

// The pages are laid out in the main dialog's units: the same font, so the same metrics.
template <class Page> void ExpectMainDialogUnits() {
    const HWND panel = ::CreateDialogParamW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PANEL), nullptr, PlainDialogProc, 0);
    ASSERT_NE(panel, nullptr);
    Page page;
    ASSERT_TRUE(page.CreatePage(panel, false));
    RECT inPanel{0, 0, 230, 190};
    RECT inPage = inPanel;
    ::MapDialogRect(panel, &inPanel);
    ::MapDialogRect(page.Handle(), &inPage);
    EXPECT_EQ(inPage.right, inPanel.right);
    EXPECT_EQ(inPage.bottom, inPanel.bottom);
    ::DestroyWindow(panel);
}

TEST(SwitchPageTemplates, AreFramelessChildrenAtTheirPlaceOverTheTabs) {
    ExpectPagePlacement<CPage_MSW1>();
    ExpectPagePlacement<CPage_MSW2>();
    ExpectPagePlacement<CPage_MSW3>();
    ExpectPagePlacement<CPage_MSW4>();
    ExpectPagePlacement<CPage_Param>();
}

TEST(SwitchPageTemplates, UseTheMainDialogsUnits) {
    ExpectMainDialogUnits<CPage_MSW1>();
    ExpectMainDialogUnits<CPage_MSW2>();
    ExpectMainDialogUnits<CPage_MSW3>();
    ExpectMainDialogUnits<CPage_MSW4>();
    ExpectMainDialogUnits<CPage_Param>();
}

// ---------------------------------------------------------------------------------------
// Memory switch pages

struct Pair {
    int first;
    int second;
    int byte; // 0 or 1 of the page's two bytes
    int bit;
    const char* firstText;
    const char* secondText;
};

struct CheckBox {
    int id;
    int byte;
    int bit;
    const char* text;
};

struct MswCase {
    const char* name;
    std::unique_ptr<CMswPage> (*make)();
    std::size_t offset;
    std::uint8_t factory[2];
    std::vector<Pair> pairs;
    std::vector<CheckBox> checks;
    std::vector<std::string> labels; // group titles and the switch names under them
    const char* hiddenName;
};

void PrintTo(const MswCase& c, std::ostream* os) {
    *os << c.name;
}

template <class Page> std::unique_ptr<CMswPage> Make() {
    return std::make_unique<Page>();
}

const MswCase kMswCases[] = {
    {"MSW1",
     Make<CPage_MSW1>,
     4,
     {0x00, 0x00},
     {{1017, 1237, 0, 3, "従来互換(&O)", "高速受信(&K)"},
      {1016, 1235, 1, 0, "有効(&Y)", "無効(&Z)"},
      {1008, 1012, 1, 1, "復帰改行(&L)", "復帰のみ(&T)"},
      {1011, 1234, 1, 2, "ＣＲのみ(&D)",
       "ＣＲ，ＬＦ，ＶＴ，ＦＦ，ＵＳ，\nＥＳＣ ａ，ＥＳＣ ｂ (&E)"},
      {1014, 1015, 1, 3, "復帰のみ(&N)", "復帰改行(&V)"}},
     {},
     {"各国文字の切り替え(&C) （MSW1-1/2/3）", "データ受信方法の変更", "（MSW1-4）",
      "DC1/DC3コード処理の切り替え", "（MSW1-5）", "自動復改の切り替え", "（MSW1-6）",
      "印刷指令コードの切り替え", "（MSW1-7）", "CRコードの機能の切り替え", "（MSW1-8）"},
     "MSW1"},
    {"MSW2",
     Make<CPage_MSW2>,
     7,
     {0x02, 0x00},
     {{1017, 1018, 0, 1, "印刷時(&S)", "常時(&A)"},
      {1019, 1236, 0, 2, "ネイティブモード(&N)", "コピーモード(&C)"},
      {1023, 1009, 0, 3, "無効(&U)", "有効(&Q)"},
      {1020, 1235, 1, 0, "ＨＤパイカ(&D)", "ＨＳパイカ(&E)"},
      {1021, 1012, 1, 1, "８ビット(&8)", "７ビット(&7)"},
      {1022, 1234, 1, 2, "１３６桁(&L)", "８０桁(&O)"},
      {1024, 1015, 1, 3, "両方向最短(&2)", "片方向(&1)"}},
     {{1016, 0, 0, "１バイトコード系数字ゼロにスラッシュを付ける(&K) （MSW2-1）"}},
     {"シートガイドの用紙無し検出", "（MSW2-2）", "ドット対応グラフィックドット数", "（MSW2-3）",
      "クワイエットモード", "（MSW2-4）", "印刷モードの切り替え", "（MSW2-5）",
      "７／８ビットデータの切り替え", "（MSW2-6）", "印刷桁数の切り替え", "（MSW2-7）",
      "印刷方向の切り替え", "（MSW2-8）"},
     "MSW2"},
    {"MSW3",
     Make<CPage_MSW3>,
     10,
     {0x00, 0x00},
     {{1032, 1018, 0, 1, "PCモード(&P)", "情処モード(&J)"},
      {1027, 1236, 0, 2, "記憶する(&R)", "記憶しない(&S)"},
      {1029, 1009, 0, 3, "ＥＳＣ ａのみ(&E)", "ＥＳＣ ａ，ＬＦ，ＵＳ，ＶＴ (&T)"},
      {1028, 1235, 1, 0, "無効(&U)", "有効(&O)"},
      {1030, 1015, 1, 3, "スキップしない(&G)", "スキップする(&K)"}},
     {{1026, 1, 2, "２バイトコード系数字ゼロにスラッシュを付ける(&Z) （MSW3-7）"}},
     {"PC/情処モード切り替え", "（MSW3-2）", "用紙吸入位置の記憶", "（MSW3-3）",
      "シートフィーダの吸入コード", "（MSW3-4）", "自動カット位置送り機能", "（MSW3-5）",
      "ミシン目スキップ", "（MSW3-8）"},
     "MSW3"},
    {"MSW4",
     Make<CPage_MSW4>,
     13,
     {0x0C, 0x00},
     {{1031, 1237, 0, 0, "有効(&Y)", "無効(&N)"},
      {1032, 1018, 0, 1, "スループット優先(&T)", "斜行補正優先(&S)"},
      {1033, 1236, 0, 2, "固定長(&K)", "TOF＋固定長(&P)"},
      {1034, 1009, 0, 3, "片方向(&1)", "両方向(&2)"},
      {1035, 1235, 1, 0, "通常印刷(&E)", "高速印刷(&D)"},
      {1036, 1012, 1, 1, "排出方向指定(&G)", "後方排出(&B)"},
      {1037, 1234, 1, 2, "排出方向指定(&C)", "後方排出(&R)"},
      {1039, 1015, 1, 3, "オート(&A)", "マニュアル(&Z)"}},
     {},
     {"印刷ヘッド空打ち防止機能", "（MSW4-1）", "シートフィーダの用紙吸入制御", "（MSW4-2）",
      "カット位置送り機能の送り量", "（MSW4-3）", "ドット列印刷モードの印刷方向", "（MSW4-4）",
      "高速印刷モード", "（MSW4-5）", "シートガイドの排出方向", "（MSW4-6）",
      "シートフィーダの排出方向", "（MSW4-7）", "シートガイドのローディング方法", "（MSW4-8）"},
     "MSW4"},
};

class MswPage : public ::testing::TestWithParam<MswCase> {
protected:
    MswPage() : m_hosted(GetParam().make()) {}
    void SetUp() override { ASSERT_TRUE(m_hosted.Ready()); }

    int FactoryBit(int byte, int bit) const { return (GetParam().factory[byte] >> bit) & 1; }
    // The page's two bytes, or -1 when the encode wrote outside them.
    int EncodedBit(int byte, int bit) {
        const SettingRecord record = m_hosted.Encoded();
        const std::size_t offset = GetParam().offset;
        for (std::size_t i = 0; i < record.size(); ++i) {
            if ((i < offset || i > offset + 1) && record[i] != kUntouched) {
                return -1;
            }
        }
        return (record[offset + static_cast<std::size_t>(byte)] >> bit) & 1;
    }

    HostedPage<CMswPage> m_hosted;
};

TEST_P(MswPage, ShowsEverySwitchWithItsTexts) {
    const MswCase& c = GetParam();
    const HWND page = m_hosted.Handle();
    for (const Pair& pair : c.pairs) {
        EXPECT_EQ(TextOf(m_hosted.Item(pair.first)), pair.firstText);
        EXPECT_EQ(TextOf(m_hosted.Item(pair.second)), pair.secondText);
        EXPECT_TRUE(HasStyle(m_hosted.Item(pair.first), WS_GROUP | WS_TABSTOP)) << pair.first;
        EXPECT_FALSE(HasStyle(m_hosted.Item(pair.second), WS_GROUP)) << pair.second;
    }
    for (const CheckBox& check : c.checks) {
        EXPECT_EQ(TextOf(m_hosted.Item(check.id)), check.text);
    }
    for (const std::string& label : c.labels) {
        EXPECT_EQ(Visibility(page, label), 1) << label;
    }
    EXPECT_EQ(Visibility(page, c.hiddenName), 0);
}

TEST_P(MswPage, FactoryRecordChecksItsButtonsWithoutADataCheck) {
    const MswCase& c = GetParam();
    m_hosted.DecodeFactory();
    for (const Pair& pair : c.pairs) {
        const bool second = FactoryBit(pair.byte, pair.bit) == 1;
        EXPECT_EQ(Checked(m_hosted.Handle(), pair.first), !second) << pair.first;
        EXPECT_EQ(Checked(m_hosted.Handle(), pair.second), second) << pair.second;
    }
    for (const CheckBox& check : c.checks) {
        EXPECT_FALSE(Checked(m_hosted.Handle(), check.id));
    }
    EXPECT_TRUE(m_hosted.host().Commands().empty());
}

TEST_P(MswPage, EncodesTheFactoryBytesAndNoOthers) {
    const MswCase& c = GetParam();
    m_hosted.DecodeFactory();
    SettingRecord expected = Untouched();
    expected[c.offset] = c.factory[0];
    expected[c.offset + 1] = c.factory[1];
    EXPECT_EQ(m_hosted.Encoded(), expected);

    SettingRecord record = FactoryRecord();
    m_hosted.page().EncodeRecord(record);
    EXPECT_EQ(record, FactoryRecord());
}

TEST_P(MswPage, EachButtonSendsOneDataCheckPerCommandAndSetsItsBit) {
    const MswCase& c = GetParam();
    m_hosted.DecodeFactory();
    for (const Pair& pair : c.pairs) {
        // Away from the factory value and back, so the other pairs stay at theirs.
        const int factory = FactoryBit(pair.byte, pair.bit);
        for (const int value : {1 - factory, factory}) {
            m_hosted.host().Clear();
            const CControlCommandCounter commands(m_hosted.Handle());
            Click(m_hosted.Handle(), value == 1 ? pair.second : pair.first);
            EXPECT_GE(commands.Total(), 1);
            EXPECT_EQ(m_hosted.DataChecks(), commands.Total()) << pair.first;
            EXPECT_EQ(m_hosted.host().Commands().size(), m_hosted.DataChecks());
            EXPECT_EQ(EncodedBit(pair.byte, pair.bit), value) << pair.first;
            // The pair is a radio group of its own: the other pairs keep their buttons.
            for (const Pair& other : c.pairs) {
                if (other.first != pair.first) {
                    EXPECT_EQ(EncodedBit(other.byte, other.bit), FactoryBit(other.byte, other.bit))
                        << "clicking " << pair.first << " changed " << other.first;
                }
            }
        }
    }
    for (const CheckBox& check : c.checks) {
        for (const int value : {1, 0}) {
            m_hosted.host().Clear();
            const CControlCommandCounter commands(m_hosted.Handle());
            Click(m_hosted.Handle(), check.id);
            EXPECT_EQ(commands.Total(), 1);
            EXPECT_EQ(m_hosted.DataChecks(), 1);
            EXPECT_EQ(EncodedBit(check.byte, check.bit), value);
        }
    }
}

TEST_P(MswPage, DataCheckCarriesNoControl) {
    m_hosted.DecodeFactory();
    Click(m_hosted.Handle(), GetParam().pairs.front().second);
    ASSERT_FALSE(m_hosted.host().Commands().empty());
    for (const CPageHost::Command& command : m_hosted.host().Commands()) {
        EXPECT_EQ(command.id, kDataCheck);
        EXPECT_EQ(command.code, 0);
        EXPECT_EQ(command.lParam, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Banks, MswPage, ::testing::ValuesIn(kMswCases),
                         [](const auto& info) { return std::string(info.param.name); });

class Msw1Page : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_hosted.Ready()); }
    void Decode(std::uint8_t byte4) {
        SettingRecord record = FactoryRecord();
        record[4] = byte4;
        m_hosted.page().DecodeRecord(record);
    }
    HostedPage<CPage_MSW1> m_hosted{std::make_unique<CPage_MSW1>()};
};

TEST_F(Msw1Page, CountryListShowsTheDecodedCountry) {
    const HWND combo = m_hosted.Item(1010);
    EXPECT_TRUE(HasStyle(combo, CBS_DROPDOWNLIST));
    EXPECT_TRUE(ListShowsAllEntries(combo));
    EXPECT_EQ(ComboEntries(combo),
              (std::vector<std::string>{"日本", "アメリカ", "イギリス", "ドイツ", "スウェーデン"}));
    m_hosted.DecodeFactory();
    EXPECT_EQ(Selected(m_hosted.Handle(), 1010), "日本");
    Decode(0x05);
    EXPECT_EQ(Selected(m_hosted.Handle(), 1010), "スウェーデン");
    Decode(0x0E); // code 6: no country of its own
    EXPECT_EQ(Selected(m_hosted.Handle(), 1010), "日本");
    EXPECT_TRUE(Checked(m_hosted.Handle(), 1237));
    EXPECT_EQ(m_hosted.Encoded()[4], 0x08);
    EXPECT_TRUE(m_hosted.host().Commands().empty());
}

TEST_F(Msw1Page, ChoosingACountrySendsOneDataCheckAndItsCode) {
    m_hosted.DecodeFactory();
    Choose(m_hosted.Handle(), 1010, 2); // イギリス
    EXPECT_EQ(m_hosted.DataChecks(), 1);
    EXPECT_EQ(m_hosted.Encoded()[4], 0x03);
    Choose(m_hosted.Handle(), 1010, 3); // ドイツ
    EXPECT_EQ(m_hosted.DataChecks(), 2);
    EXPECT_EQ(m_hosted.Encoded()[4], 0x04);
}

TEST(Msw3Page, LanAdapterSwitchIsHiddenAndAlwaysWrittenOff) {
    HostedPage<CPage_MSW3> hosted(std::make_unique<CPage_MSW3>());
    ASSERT_TRUE(hosted.Ready());
    const HWND page = hosted.Handle();
    EXPECT_EQ(Visibility(page, "ＬＡＮアダプタ接続"), 0);
    EXPECT_EQ(Visibility(page, "（MSW3-1）"), 0);
    EXPECT_EQ(TextOf(hosted.Item(1031)), "なし(&N)");
    EXPECT_EQ(TextOf(hosted.Item(1237)), "あり(&Y)");
    EXPECT_FALSE(HasStyle(hosted.Item(1031), WS_VISIBLE));
    EXPECT_FALSE(HasStyle(hosted.Item(1237), WS_VISIBLE));

    SettingRecord record = FactoryRecord();
    record[10] = 0x0F; // LAN adapter on, and MSW3-2 to MSW3-4
    record[11] = 0x02; // MSW3-6, which has no control
    hosted.page().DecodeRecord(record);
    EXPECT_FALSE(Checked(page, 1031));
    EXPECT_FALSE(Checked(page, 1237));
    const SettingRecord encoded = hosted.Encoded();
    EXPECT_EQ(encoded[10], 0x0E);
    EXPECT_EQ(encoded[11], 0x02);
}

// ---------------------------------------------------------------------------------------
// Parameter page

namespace id {
constexpr int kCutSheet = 1061;
constexpr int kFrontTractor = 1062;
constexpr int kRearTractor = 1063;
constexpr int kIntakeTime = 1064;
constexpr int kPostcardOff = 1065;
constexpr int kPostcardOn = 1018;
} // namespace id

const std::vector<std::string> kFonts = {"標準", "イタリック", "クーリエ", "ゴシック", "OCR-B"};
const std::vector<std::string> kLfPitches = {"-5", "-4", "-3", "-2", "-1", "0",
                                             "+1", "+2", "+3", "+4", "+5"};

class ParamPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_hosted.Ready());
        m_hosted.DecodeFactory();
        m_hosted.host().Clear();
    }
    HWND Page() const { return m_hosted.Handle(); }
    std::string Text(int id) const { return TextOf(m_hosted.Item(id)); }
    void Focus(int id) {
        ::SetFocus(m_hosted.Item(id));
        ASSERT_EQ(::GetFocus(), m_hosted.Item(id));
    }
    // The user replaces the whole text of a focused edit.
    void Type(int id, const wchar_t* text) {
        Focus(id);
        m_hosted.host().Clear();
        ::SendMessageW(m_hosted.Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    // The user types at the end of a focused edit's text.
    void Append(int id, const wchar_t* text) {
        Focus(id);
        m_hosted.host().Clear();
        ::SendMessageW(m_hosted.Item(id), EM_SETSEL, 0x7FFF, 0x7FFF);
        ::SendMessageW(m_hosted.Item(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    std::string Bytes(std::size_t offset, std::size_t count) {
        const SettingRecord record = m_hosted.Encoded();
        return std::string(record.begin() + static_cast<std::ptrdiff_t>(offset),
                           record.begin() + static_cast<std::ptrdiff_t>(offset + count));
    }

    HostedPage<CPage_Param> m_hosted{std::make_unique<CPage_Param>()};
};

TEST_F(ParamPage, ListsHoldTheirEntriesInOrder) {
    const auto entries = [&](int id) { return ComboEntries(m_hosted.Item(id)); };
    EXPECT_EQ(entries(1058), kFonts);
    EXPECT_EQ(entries(1059), kFonts);
    EXPECT_EQ(entries(1066),
              (std::vector<std::string>{"JIS1978年版", "JIS1983年版", "JIS1990年版"}));
    EXPECT_EQ(entries(1075),
              (std::vector<std::string>{"０秒", "５秒", "１０秒", "６０秒", "１８０秒", "３００秒",
                                        "８１０秒", "再実行なし"}));
    EXPECT_EQ(entries(1068), (std::vector<std::string>{"自動戻り無し", "８秒", "１５秒"}));
    for (const int lf : {1067, 1071, 1072, 1073}) {
        EXPECT_EQ(entries(lf), kLfPitches) << lf;
    }
    for (const int combo : {1058, 1059, 1066, 1067, 1068, 1071, 1072, 1073, 1075}) {
        EXPECT_TRUE(HasStyle(m_hosted.Item(combo), CBS_DROPDOWNLIST)) << combo;
        EXPECT_TRUE(ListShowsAllEntries(m_hosted.Item(combo))) << combo;
    }
}

TEST_F(ParamPage, NumberEditsHaveTheirSpinsAndRanges) {
    struct Spin {
        int spin;
        int edit;
        int lo;
        int hi;
    };
    for (const Spin& s :
         {Spin{1055, id::kCutSheet, 10, 68}, Spin{1056, id::kFrontTractor, 10, 68},
          Spin{1057, id::kRearTractor, 68, 126}, Spin{1060, id::kIntakeTime, 2, 5}}) {
        const HWND spin = m_hosted.Item(s.spin);
        int lo = 0;
        int hi = 0;
        ::SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo),
                       reinterpret_cast<LPARAM>(&hi));
        EXPECT_EQ(lo, s.lo) << s.spin;
        EXPECT_EQ(hi, s.hi) << s.spin;
        EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageW(spin, UDM_GETBUDDY, 0, 0)),
                  m_hosted.Item(s.edit))
            << s.spin;
        EXPECT_TRUE(HasStyle(spin, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS)) << s.spin;
        EXPECT_TRUE(HasStyle(m_hosted.Item(s.edit), ES_NUMBER)) << s.edit;
    }
}

TEST_F(ParamPage, ShowsItsLabelsAndHidesItsName) {
    const HWND page = Page();
    for (const char* label :
         {"用紙吸入時ヘッドセンタリング位置", "カット紙(&C)", "フロントトラクタ(&T)",
          "リアトラクタ(&R)", "桁", "漢字コード表(&K)", "フォント選択", "フォント１(&1)",
          "フォント２(&2)", "AGA再実行時間(&A)", "カット位置からの\n自動戻り時間(&P)",
          "ハガキ印刷モード", "シートガイドからの\n用紙吸入時間(&J)", "秒", "ＬＦピッチ補正",
          "シートガイド(&G)", "シートフィーダ(&S)", "フロントトラクタ(&D)", "リアトラクタ(&B)"}) {
        EXPECT_EQ(Visibility(page, label), 1) << label;
    }
    EXPECT_EQ(TextOf(m_hosted.Item(id::kPostcardOff)), "OFF(&N)");
    EXPECT_EQ(TextOf(m_hosted.Item(id::kPostcardOn)), "ON(&Y)");
    EXPECT_TRUE(HasStyle(m_hosted.Item(id::kPostcardOff), WS_GROUP | WS_TABSTOP));
    EXPECT_EQ(Visibility(page, "パラメータ設定"), 0);
}

TEST_F(ParamPage, FactoryRecordShowsItsValuesWithoutADataCheck) {
    // Even with the focus in an edit, showing values runs none of the typing rules.
    Focus(id::kCutSheet);
    m_hosted.host().Clear();
    m_hosted.DecodeFactory();
    EXPECT_TRUE(m_hosted.host().Commands().empty());
    EXPECT_EQ(Selected(Page(), 1058), "標準");
    EXPECT_EQ(Selected(Page(), 1059), "標準");
    EXPECT_EQ(Selected(Page(), 1066), "JIS1978年版");
    EXPECT_EQ(Selected(Page(), 1068), "１５秒");
    EXPECT_EQ(Selected(Page(), 1075), "１０秒");
    for (const int lf : {1067, 1071, 1072, 1073}) {
        EXPECT_EQ(Selected(Page(), lf), "0") << lf;
    }
    EXPECT_TRUE(Checked(Page(), id::kPostcardOff));
    EXPECT_FALSE(Checked(Page(), id::kPostcardOn));
    EXPECT_EQ(Text(id::kCutSheet), "40");
    EXPECT_EQ(Text(id::kFrontTractor), "36");
    EXPECT_EQ(Text(id::kRearTractor), "96");
    EXPECT_EQ(Text(id::kIntakeTime), "2");
}

TEST_F(ParamPage, EncodesTheFactoryBytesAndNoOthers) {
    SettingRecord expected = Untouched();
    const auto put = [&](std::size_t offset, std::string_view bytes) {
        std::copy(bytes.begin(), bytes.end(),
                  expected.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    put(16, "0");
    put(18, "0");
    put(20, "0");
    put(24, "0");
    put(28, "40");
    put(31, "36");
    put(34, "096");
    put(243, "15");
    put(247, "2");
    put(249, "02");
    put(252, "00");
    put(255, "00");
    put(258, "00");
    put(261, "00");
    EXPECT_EQ(m_hosted.Encoded(), expected);

    SettingRecord record = FactoryRecord();
    m_hosted.page().EncodeRecord(record);
    EXPECT_EQ(record, FactoryRecord());
    EXPECT_TRUE(m_hosted.host().Commands().empty());
}

TEST_F(ParamPage, ListsAndPostcardButtonsSendOneDataCheckPerCommand) {
    for (const int combo : {1058, 1059, 1066, 1067, 1068, 1071, 1072, 1073, 1075}) {
        m_hosted.host().Clear();
        Choose(Page(), combo, 1);
        EXPECT_EQ(m_hosted.DataChecks(), 1) << combo;
    }
    EXPECT_EQ(Bytes(16, 1), "1");
    EXPECT_EQ(Bytes(258, 2), "FC"); // sheet guide -4
    EXPECT_EQ(Bytes(243, 2), "08");
    for (const int radio : {id::kPostcardOn, id::kPostcardOff}) {
        m_hosted.host().Clear();
        const CControlCommandCounter commands(Page());
        Click(Page(), radio);
        EXPECT_GE(commands.Total(), 1);
        EXPECT_EQ(m_hosted.DataChecks(), commands.Total()) << radio;
        EXPECT_EQ(Bytes(24, 1), radio == id::kPostcardOn ? "1" : "0");
    }
}

TEST_F(ParamPage, FocusingAnEditSendsNothing) {
    for (const int edit : {id::kCutSheet, id::kFrontTractor, id::kRearTractor, id::kIntakeTime}) {
        Focus(edit);
    }
    Focus(id::kCutSheet);
    EXPECT_TRUE(m_hosted.host().Commands().empty());
}

TEST_F(ParamPage, TypedHeadCentringIsCorrectedOrDeferred) {
    Type(id::kCutSheet, L"7");
    EXPECT_EQ(Text(id::kCutSheet), "10");
    EXPECT_FALSE(m_hosted.page().HasUncorrectedValues());
    EXPECT_EQ(m_hosted.DataChecks(), 2); // the change, and the change its correction made

    Type(id::kCutSheet, L"5");
    EXPECT_EQ(Text(id::kCutSheet), "5");
    EXPECT_TRUE(m_hosted.page().HasUncorrectedValues());
    EXPECT_EQ(m_hosted.DataChecks(), 1);
    EXPECT_EQ(Bytes(28, 2), "05"); // encoded as typed until a send or save corrects it

    Append(id::kCutSheet, L"0");
    EXPECT_EQ(Text(id::kCutSheet), "50");
    EXPECT_FALSE(m_hosted.page().HasUncorrectedValues());
    EXPECT_EQ(m_hosted.DataChecks(), 1);

    Append(id::kCutSheet, L"0");
    EXPECT_EQ(Text(id::kCutSheet), "68");
    EXPECT_EQ(m_hosted.DataChecks(), 2);

    Type(id::kFrontTractor, L"");
    EXPECT_EQ(Text(id::kFrontTractor), "10");
}

TEST_F(ParamPage, TypedRearTractorAndIntakeTimeFollowTheirRanges) {
    Type(id::kRearTractor, L"2");
    EXPECT_EQ(Text(id::kRearTractor), "68");
    Type(id::kRearTractor, L"1");
    EXPECT_EQ(Text(id::kRearTractor), "1");
    EXPECT_TRUE(m_hosted.page().HasUncorrectedValues());
    Type(id::kRearTractor, L"6");
    EXPECT_EQ(Text(id::kRearTractor), "6");
    EXPECT_TRUE(m_hosted.page().HasUncorrectedValues());
    Type(id::kRearTractor, L"127");
    EXPECT_EQ(Text(id::kRearTractor), "126");
    EXPECT_FALSE(m_hosted.page().HasUncorrectedValues());

    Type(id::kIntakeTime, L"9");
    EXPECT_EQ(Text(id::kIntakeTime), "5");
    Type(id::kIntakeTime, L"1");
    EXPECT_EQ(Text(id::kIntakeTime), "2");
    EXPECT_EQ(m_hosted.DataChecks(), 2);
    Type(id::kIntakeTime, L"4");
    EXPECT_EQ(Text(id::kIntakeTime), "4");
    EXPECT_EQ(Bytes(247, 1), "4");
}

TEST_F(ParamPage, EveryWayAnEditsTextChangesReachesTheNextEncode) {
    // Encoding reads the edits once and keeps their texts until they report a change.
    EXPECT_EQ(Bytes(31, 2), "36");
    ::SendDlgItemMessageW(Page(), 1056, UDM_SETPOS32, 0, 50); // its spin
    EXPECT_EQ(Text(id::kFrontTractor), "50");
    EXPECT_EQ(Bytes(31, 2), "50");
    ::SendDlgItemMessageW(Page(), id::kFrontTractor, EM_SETSEL, 0, -1);
    ::SendDlgItemMessageW(Page(), id::kFrontTractor, EM_REPLACESEL, FALSE,
                          reinterpret_cast<LPARAM>(L"44"));
    EXPECT_EQ(Bytes(31, 2), "44");
    ::SetDlgItemTextW(Page(), id::kRearTractor, L"120");
    EXPECT_EQ(Bytes(34, 3), "120");
    SettingRecord record = FactoryRecord();
    m_hosted.page().DecodeRecord(record);
    EXPECT_EQ(Bytes(31, 2), "36");
    EXPECT_EQ(Bytes(34, 3), "096");
}

TEST_F(ParamPage, TextSetFromTheProgramIsNotCorrected) {
    Focus(id::kFrontTractor);
    m_hosted.host().Clear();
    ::SetDlgItemTextW(Page(), id::kCutSheet, L"7");
    EXPECT_EQ(Text(id::kCutSheet), "7");
    EXPECT_FALSE(m_hosted.page().HasUncorrectedValues());
    EXPECT_EQ(m_hosted.DataChecks(), 1);
    // A text longer than the field is still cut to its value.
    ::SetDlgItemTextW(Page(), id::kCutSheet, L"0042");
    EXPECT_EQ(Text(id::kCutSheet), "42");
}

TEST_F(ParamPage, CorrectHeadCenteringWarnsThenSetsTheFlaggedFields) {
    CRecordingPrompter prompter;
    m_hosted.page().SetPrompter(&prompter);
    Type(id::kCutSheet, L"5");
    Type(id::kRearTractor, L"6");
    Focus(id::kIntakeTime);
    m_hosted.host().Clear();

    m_hosted.page().CorrectHeadCentering();
    ASSERT_EQ(prompter.m_shown.size(), 1u);
    EXPECT_EQ(prompter.m_shown[0].text,
              "用紙吸入時ヘッドセンタリング位置の値が設定範囲を超えています。"
              "\n適正値に変更します。");
    EXPECT_EQ(prompter.m_shown[0].caption, "パラメータ設定－用紙吸入時ヘッドセンタリング位置");
    EXPECT_EQ(prompter.m_shown[0].style, 0x30u); // MB_OK | MB_ICONEXCLAMATION
    EXPECT_EQ(Text(id::kCutSheet), "10");
    EXPECT_EQ(Text(id::kFrontTractor), "36");
    EXPECT_EQ(Text(id::kRearTractor), "68");
    EXPECT_EQ(::GetFocus(), m_hosted.Item(id::kRearTractor));
    EXPECT_FALSE(m_hosted.page().HasUncorrectedValues());
    EXPECT_EQ(m_hosted.DataChecks(), 2);
    EXPECT_EQ(Bytes(28, 2), "10");
    EXPECT_EQ(Bytes(34, 3), "068");

    // With nothing flagged the warning still shows, and nothing changes.
    m_hosted.page().CorrectHeadCentering();
    EXPECT_EQ(prompter.m_shown.size(), 2u);
    EXPECT_EQ(Text(id::kCutSheet), "10");
    EXPECT_EQ(m_hosted.DataChecks(), 2);
}

} // namespace
} // namespace sb
