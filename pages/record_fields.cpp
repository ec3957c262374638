#include "pages/record_fields.h"

#include "pages/param_ids.h"
#include "pages/param_typing.h"
#include "record/factory_record.h"
#include "record/settings_state.h"

#include <algorithm>
#include <map>

namespace sb {
namespace {

// The texts of one control of a dialog template, and the key it goes by.
struct ControlText {
    int control; // as its page's binding table names it (a radio pair by its first button)
    std::string_view key;
    std::string_view label;
    std::string_view group = {};
    std::string_view unit = {};
    std::array<std::string_view, 2> buttons = {}; // a radio pair's two buttons
    std::size_t offset = 0;                       // the bytes the page writes it to, where the
    std::size_t width = 0;                        // page's own table does not say
};

constexpr std::string_view kCentering = "用紙吸入時ヘッドセンタリング位置";
constexpr std::string_view kFonts = "フォント選択";
constexpr std::string_view kLfPitch = "ＬＦピッチ補正";

// The pages in template order.
constexpr ControlText kSelectTexts[] = {
    {IDC_SEL_AUTO_POS_ADJUST,
     "select.auto-position-adjust",
     "自動位置補正の調整(&J)",
     {},
     {},
     {},
     off::kAutoPosAdjust,
     2},
    {IDC_SEL_PAPER_THICKNESS,
     "select.paper-thickness",
     "用紙厚調整の設定(&A)",
     {},
     {},
     {},
     off::kPaperThickness,
     2},
    {IDC_SEL_PRESSURE, "select.print-pressure", "印刷圧微調整(&B)", {}, {}, {}, off::kPressure, 2},
    {IDC_SEL_PRINT_POSITION,
     "select.print-position",
     "印刷位置の微調整(&K)",
     {},
     "mm",
     {},
     off::kPrintPosition,
     2},
    {IDC_SEL_REDUCTION, "select.reduction", "縮小印刷(&P)", {}, {}, {}, off::kReduction, 1},
    {IDC_SEL_SHEET_GUIDE_LEFT,
     "select.sheet-guide-position",
     "シートガイド用紙セット位置",
     {},
     {},
     {"左端(&L)", "自動(&E)"},
     off::kSheetGuideSetPos,
     1},
    {IDC_SEL_MINCHO,
     "select.typeface",
     "書体選択",
     {},
     {},
     {"明朝体(&R)", "ゴシック体(&G)"},
     off::kTypeface,
     1},
    {IDC_SEL_COPY_STRENGTH,
     "select.copy-strength",
     "複写力選択(&C)",
     {},
     {},
     {},
     off::kCopyStrength,
     1},
    {IDC_SEL_FORM, "select.form", "書式選択(&S)", {}, {}, {}, off::kFormSelect, 1},
};

constexpr ControlText kParamTexts[] = {
    {param_ctl::kCutSheet,
     "param.centering-cut-sheet",
     "カット紙(&C)",
     kCentering,
     "桁",
     {},
     off::kCutSheetCentering,
     2},
    {param_ctl::kFrontTractor,
     "param.centering-front-tractor",
     "フロントトラクタ(&T)",
     kCentering,
     "桁",
     {},
     off::kFrontTractorCentering,
     2},
    {param_ctl::kRearTractor,
     "param.centering-rear-tractor",
     "リアトラクタ(&R)",
     kCentering,
     "桁",
     {},
     off::kRearTractorCentering,
     3},
    {param_ctl::kKanjiTable,
     "param.kanji-table",
     "漢字コード表(&K)",
     {},
     {},
     {},
     off::kKanjiTable,
     1},
    {param_ctl::kFont1, "param.font1", "フォント１(&1)", kFonts, {}, {}, off::kFont1, 1},
    {param_ctl::kFont2, "param.font2", "フォント２(&2)", kFonts, {}, {}, off::kFont2, 1},
    {param_ctl::kAgaRetryTime,
     "param.aga-retry-time",
     "AGA再実行時間(&A)",
     {},
     {},
     {},
     off::kAgaRetryTime,
     2},
    {param_ctl::kAutoReturnTime,
     "param.auto-return-time",
     "カット位置からの\n自動戻り時間(&P)",
     {},
     {},
     {},
     off::kAutoReturnTime,
     2},
    {param_ctl::kPostcardOff,
     "param.postcard-mode",
     "ハガキ印刷モード",
     {},
     {},
     {"OFF(&N)", "ON(&Y)"},
     off::kPostcardMode,
     1},
    // Byte 246, the tens digit in front of it, belongs to no page.
    {param_ctl::kIntakeTime,
     "param.intake-time",
     "シートガイドからの\n用紙吸入時間(&J)",
     {},
     "秒",
     {},
     off::kIntakeTime,
     1},
    {param_ctl::kLfSheetGuide,
     "param.lf-pitch-sheet-guide",
     "シートガイド(&G)",
     kLfPitch,
     {},
     {},
     off::kLfSheetGuide,
     2},
    {param_ctl::kLfSheetFeeder,
     "param.lf-pitch-sheet-feeder",
     "シートフィーダ(&S)",
     kLfPitch,
     {},
     {},
     off::kLfSheetFeeder,
     2},
    {param_ctl::kLfFrontTractor,
     "param.lf-pitch-front-tractor",
     "フロントトラクタ(&D)",
     kLfPitch,
     {},
     {},
     off::kLfFrontTractor,
     2},
    {param_ctl::kLfRearTractor,
     "param.lf-pitch-rear-tractor",
     "リアトラクタ(&B)",
     kLfPitch,
     {},
     {},
     off::kLfRearTractor,
     2},
};

// Memory switches: the bank's table says where each control's bit is.
constexpr ControlText kMsw1Texts[] = {
    {kCountryCombo, "msw1-country", "各国文字の切り替え(&C) （MSW1-1/2/3）"},
    {1017, "msw1-4", "データ受信方法の変更", {}, {}, {"従来互換(&O)", "高速受信(&K)"}},
    {1016, "msw1-5", "DC1/DC3コード処理の切り替え", {}, {}, {"有効(&Y)", "無効(&Z)"}},
    {1008, "msw1-6", "自動復改の切り替え", {}, {}, {"復帰改行(&L)", "復帰のみ(&T)"}},
    {1011,
     "msw1-7",
     "印刷指令コードの切り替え",
     {},
     {},
     {"ＣＲのみ(&D)", "ＣＲ，ＬＦ，ＶＴ，ＦＦ，ＵＳ，\nＥＳＣ ａ，ＥＳＣ ｂ (&E)"}},
    {1014, "msw1-8", "CRコードの機能の切り替え", {}, {}, {"復帰のみ(&N)", "復帰改行(&V)"}},
};

constexpr ControlText kMsw2Texts[] = {
    {1016, "msw2-1", "１バイトコード系数字ゼロにスラッシュを付ける(&K) （MSW2-1）"},
    {1017, "msw2-2", "シートガイドの用紙無し検出", {}, {}, {"印刷時(&S)", "常時(&A)"}},
    {1019,
     "msw2-3",
     "ドット対応グラフィックドット数",
     {},
     {},
     {"ネイティブモード(&N)", "コピーモード(&C)"}},
    {1023, "msw2-4", "クワイエットモード", {}, {}, {"無効(&U)", "有効(&Q)"}},
    {1020, "msw2-5", "印刷モードの切り替え", {}, {}, {"ＨＤパイカ(&D)", "ＨＳパイカ(&E)"}},
    {1021, "msw2-6", "７／８ビットデータの切り替え", {}, {}, {"８ビット(&8)", "７ビット(&7)"}},
    {1022, "msw2-7", "印刷桁数の切り替え", {}, {}, {"１３６桁(&L)", "８０桁(&O)"}},
    {1024, "msw2-8", "印刷方向の切り替え", {}, {}, {"両方向最短(&2)", "片方向(&1)"}},
};

constexpr ControlText kMsw3Texts[] = {
    {1026, "msw3-7", "２バイトコード系数字ゼロにスラッシュを付ける(&Z) （MSW3-7）"},
    {1032, "msw3-2", "PC/情処モード切り替え", {}, {}, {"PCモード(&P)", "情処モード(&J)"}},
    {1027, "msw3-3", "用紙吸入位置の記憶", {}, {}, {"記憶する(&R)", "記憶しない(&S)"}},
    {1029,
     "msw3-4",
     "シートフィーダの吸入コード",
     {},
     {},
     {"ＥＳＣ ａのみ(&E)", "ＥＳＣ ａ，ＬＦ，ＵＳ，ＶＴ (&T)"}},
    {1028, "msw3-5", "自動カット位置送り機能", {}, {}, {"無効(&U)", "有効(&O)"}},
    {1030, "msw3-8", "ミシン目スキップ", {}, {}, {"スキップしない(&G)", "スキップする(&K)"}},
};

constexpr ControlText kMsw4Texts[] = {
    {1031, "msw4-1", "印刷ヘッド空打ち防止機能", {}, {}, {"有効(&Y)", "無効(&N)"}},
    {1032,
     "msw4-2",
     "シートフィーダの用紙吸入制御",
     {},
     {},
     {"スループット優先(&T)", "斜行補正優先(&S)"}},
    {1033, "msw4-3", "カット位置送り機能の送り量", {}, {}, {"固定長(&K)", "TOF＋固定長(&P)"}},
    {1034, "msw4-4", "ドット列印刷モードの印刷方向", {}, {}, {"片方向(&1)", "両方向(&2)"}},
    {1035, "msw4-5", "高速印刷モード", {}, {}, {"通常印刷(&E)", "高速印刷(&D)"}},
    {1036, "msw4-6", "シートガイドの排出方向", {}, {}, {"排出方向指定(&G)", "後方排出(&B)"}},
    {1037, "msw4-7", "シートフィーダの排出方向", {}, {}, {"排出方向指定(&C)", "後方排出(&R)"}},
    {1039, "msw4-8", "シートガイドのローディング方法", {}, {}, {"オート(&A)", "マニュアル(&Z)"}},
};

// The form dialog's edits, by FormEdit; each form's key begins "formN.".
constexpr std::string_view kLoadGroup = "吸入位置";
constexpr std::string_view kLoadUnit = "/120インチ";
constexpr ControlText kFormTexts[kFormEditCount] = {
    {IDC_FORM_FRONT_TRACTOR, "load-front-tractor", "フロントトラクタ(&F)", kLoadGroup, kLoadUnit},
    {IDC_FORM_REAR_TRACTOR, "load-rear-tractor", "リアトラクタ(&B)", kLoadGroup, kLoadUnit},
    {IDC_FORM_SHEET_GUIDE, "load-sheet-guide", "シートガイド(&G)", kLoadGroup, kLoadUnit},
    {IDC_FORM_SHEET_FEEDER, "load-sheet-feeder", "シートフィーダ(&S)", kLoadGroup, kLoadUnit},
    {IDC_FORM_POSTCARD, "load-postcard", "はがき(&P)", kLoadGroup, kLoadUnit},
    {IDC_FORM_PAGE_LENGTH, "page-length", "用紙長(&N)", {}, "行"},
    {IDC_FORM_LEFT_MARGIN, "left-margin", "レフトマージン幅(&L)", {}, "桁"},
    {IDC_FORM_RIGHT_MARGIN, "right-margin", "ライトマージン幅(&R)", {}, "桁"},
    {IDC_FORM_FRONT_ADJUST, "front-tractor-correction", "フロントトラクタ位置補正(&T)", {}, "桁"},
    {IDC_FORM_CUT_SHEET_ADJUST, "cut-sheet-correction", "カット紙位置補正(&C)", {}, "桁"},
};

constexpr bool FormTextsFollowTheEdits() {
    for (int edit = 0; edit < kFormEditCount; ++edit) {
        if (kFormTexts[edit].control != kFormEditRows[edit].edit) {
            return false;
        }
    }
    return true;
}
static_assert(FormTextsFollowTheEdits());

int FormEditOf(int control) {
    for (int edit = 0; edit < kFormEditCount; ++edit) {
        if (kFormEditRows[edit].edit == control) {
            return edit;
        }
    }
    return 0;
}

std::string FormKey(int form, int edit) {
    return "form" + std::to_string(form) + "." + std::string(kFormTexts[edit].key);
}

// The tab texts, in PageIndex order.
constexpr std::array<std::string_view, kPageCount> kTabTexts = {
    "機能選択", "パラメータ設定", "ＭＳＷ１", "ＭＳＷ２", "ＭＳＷ３", "ＭＳＷ４"};

constexpr std::string_view kCheckOff = "off";
constexpr std::string_view kCheckOn = "on";

// How a field reaches its value: a binding of a page model, or an edit of a form.
struct FieldSource {
    std::size_t page = 0; // PageIndex for a binding
    int control = 0;
    int form = -1; // 0-4 for a form field
    int edit = 0;  // FormEdit
};

struct Catalogue {
    std::vector<FieldInfo> infos;
    std::vector<FieldSource> sources;
};

std::vector<std::string> Shown(std::span<const std::string_view> texts) {
    std::vector<std::string> shown;
    for (const std::string_view text : texts) {
        shown.push_back(ShownText(text));
    }
    return shown;
}

const Binding* FindBinding(const BindingTable& table, int control) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [control](const Binding& b) { return b.id == control; });
    return found == table.end() ? nullptr : &*found;
}

const NumberEditRule* RuleOfEdit(int editId) {
    const auto found =
        std::find_if(kNumberEditRules.begin(), kNumberEditRules.end(),
                     [editId](const NumberEditRule& r) { return r.editId == editId; });
    return found == kNumberEditRules.end() ? nullptr : &*found;
}

std::span<const std::string_view> EntriesOf(std::size_t page, int control) {
    if (page == kPageSelect) {
        for (const ComboEntries& combo : kSelectCombos) {
            if (combo.id == control) {
                return combo.entries;
            }
        }
        return {};
    }
    if (page == kPageParam) {
        return CParamValues::ComboEntries(control);
    }
    return CMswValues(kMswBanks[page - kPageMsw1]).ComboEntries(control);
}

// Where a memory switch's control has its bits: the byte, and the bits in it.
void PlaceSwitch(FieldInfo& info, const MswBank& bank, int control) {
    info.width = 1;
    info.mask = 0;
    for (std::size_t k = 0; k < bank.switches.size(); ++k) {
        if (bank.switches[k].id == control && bank.switches[k].kind != SwitchKind::Hidden) {
            info.offset = bank.offset + k / 4;
            info.mask |= static_cast<std::uint8_t>(1U << (k % 4));
        }
    }
}

FieldInfo InfoOf(const ControlText& text, std::string page) {
    FieldInfo info;
    info.key = text.key;
    info.page = std::move(page);
    info.group = ShownText(text.group);
    info.label = ShownText(text.label);
    info.unit = ShownText(text.unit);
    info.offset = text.offset;
    info.width = text.width;
    return info;
}

void AddPage(Catalogue& catalogue, std::size_t page, std::span<const ControlText> texts,
             const BindingTable& bindings) {
    for (const ControlText& text : texts) {
        const Binding* binding = FindBinding(bindings, text.control);
        if (binding == nullptr) {
            continue;
        }
        FieldInfo info = InfoOf(text, std::string(kTabTexts[page]));
        switch (binding->kind) {
        case BindKind::ComboText:
            info.kind = FieldKind::List;
            for (const std::string_view entry : EntriesOf(page, text.control)) {
                info.choices.emplace_back(entry);
            }
            break;
        case BindKind::RadioIndex:
            info.kind = FieldKind::Radio;
            info.choices = Shown(text.buttons);
            break;
        case BindKind::Check:
            info.kind = FieldKind::Check;
            info.choices = {std::string(kCheckOff), std::string(kCheckOn)};
            break;
        case BindKind::IntEdit:
        case BindKind::IntRange: {
            info.kind = FieldKind::Number;
            const NumberEditRule* rule = RuleOfEdit(text.control);
            info.lo = rule != nullptr ? rule->lo : binding->lo;
            info.hi = rule != nullptr ? rule->hi : binding->hi;
            break;
        }
        }
        if (page >= kPageMsw1) {
            PlaceSwitch(info, kMswBanks[page - kPageMsw1], text.control);
        }
        catalogue.infos.push_back(std::move(info));
        catalogue.sources.push_back({page, text.control});
    }
}

void AddForm(Catalogue& catalogue, int form) {
    CFormValues dialog;
    dialog.m_strFormName = kFormNames[form];
    const std::string page = dialog.Title();
    for (int edit = 0; edit < kFormEditCount; ++edit) {
        const std::optional<FormFieldSpan> span = FormFieldAt(form, edit);
        if (!span) {
            continue;
        }
        FieldInfo info = InfoOf(kFormTexts[edit], page);
        info.key = FormKey(form, edit);
        info.kind = FieldKind::Number;
        info.lo = kFormEditRows[edit].lo;
        info.hi = kFormEditRows[edit].hi;
        info.offset = off::kFormBlock[form] + static_cast<std::size_t>(span->offset);
        info.width = static_cast<std::size_t>(span->width);
        catalogue.infos.push_back(std::move(info));
        catalogue.sources.push_back({0, 0, form, edit});
    }
}

Catalogue BuildCatalogue() {
    Catalogue catalogue;
    CSelectValues select;
    CParamValues param;
    AddPage(catalogue, kPageSelect, kSelectTexts, select.Bindings());
    for (int form = 0; form < kFormCount; ++form) {
        AddForm(catalogue, form);
    }
    AddPage(catalogue, kPageParam, kParamTexts, param.Bindings());
    const std::array<std::span<const ControlText>, 4> switchTexts = {kMsw1Texts, kMsw2Texts,
                                                                     kMsw3Texts, kMsw4Texts};
    for (std::size_t n = 0; n < kMswBanks.size(); ++n) {
        CMswValues bank(kMswBanks[n]);
        AddPage(catalogue, kPageMsw1 + n, switchTexts[n], bank.Bindings());
    }
    return catalogue;
}

const Catalogue& TheCatalogue() {
    static const Catalogue catalogue = BuildCatalogue();
    return catalogue;
}

// A radio button's text also goes without its mnemonic: "有効" for "有効(Q)".
std::string WithoutMnemonic(std::string_view shown) {
    if (shown.size() >= 3 && shown.back() == ')' && shown[shown.size() - 3] == '(') {
        shown.remove_suffix(3);
        while (!shown.empty() && shown.back() == ' ') {
            shown.remove_suffix(1);
        }
    }
    return std::string(shown);
}

std::string ChoiceList(const std::vector<std::string>& choices) {
    std::string text;
    for (const std::string& choice : choices) {
        text += text.empty() ? "" : ", ";
        text += choice;
    }
    return text;
}

std::string RangeText(int lo, int hi) {
    return "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
}

// Digits only, as the number edits take them; nothing for anything else.
std::optional<int> DigitsValue(std::string_view text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// The index of the choice a value names, or nothing.
std::optional<int> ChoiceIndex(const FieldInfo& info, std::string_view value) {
    for (std::size_t i = 0; i < info.choices.size(); ++i) {
        const bool named = info.choices[i] == value || (info.kind == FieldKind::Radio &&
                                                        WithoutMnemonic(info.choices[i]) == value);
        if (named) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string Refusal(const FieldInfo& info, std::string_view value) {
    const std::string takes = info.kind == FieldKind::Number ? RangeText(info.lo, info.hi)
                                                             : "one of " + ChoiceList(info.choices);
    return info.key + ": " + QuotedText(value) + " is not " + takes;
}

} // namespace

std::string QuotedText(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    std::size_t cut = text.size();
    if (cut > kLongest) {
        // Before a character, never inside one.
        cut = kLongest;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
    }
    std::string quoted = "\"";
    quoted += text.substr(0, cut);
    if (cut == text.size()) {
        quoted += '"';
    } else {
        quoted += "…\" (";
        quoted += std::to_string(text.size());
        quoted += " bytes)";
    }
    return quoted;
}

std::string ShownText(std::string_view templateText) {
    std::string shown;
    for (std::size_t i = 0; i < templateText.size(); ++i) {
        const char c = templateText[i];
        if (c == '\n') {
            continue;
        }
        if (c == '&' && i + 1 < templateText.size()) {
            shown += templateText[++i];
            continue;
        }
        shown += c;
    }
    return shown;
}

const std::vector<FieldInfo>& RecordFieldList() {
    return TheCatalogue().infos;
}

std::optional<std::size_t> FindField(std::string_view key) {
    const std::vector<FieldInfo>& infos = RecordFieldList();
    const auto found = std::find_if(infos.begin(), infos.end(),
                                    [key](const FieldInfo& info) { return info.key == key; });
    if (found == infos.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - infos.begin());
}

CRecordFields::CRecordFields(const SettingRecord& record) {
    SettingRecord factory = FactoryRecord();
    DecodeAll(factory);
    m_record = record;
    DecodeAll(m_record);
}

void CRecordFields::DecodeAll(SettingRecord& record) {
    m_select.DecodeRecord(record);
    m_param.DecodeRecord(record);
    for (CMswValues& bank : m_msw) {
        bank.DecodeRecord(record);
    }
}

SettingRecord CRecordFields::Encoded() const {
    SettingRecord record = m_record;
    m_select.EncodeRecord(record);
    m_param.EncodeRecord(record);
    for (const CMswValues& bank : m_msw) {
        bank.EncodeRecord(record);
    }
    return record;
}

std::vector<ByteRepair> CRecordFields::Repairs(const SettingRecord& original) const {
    const SettingRecord encoded = Encoded();
    std::vector<ByteRepair> repairs;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (original[i] != encoded[i]) {
            repairs.push_back({i, original[i], encoded[i]});
        }
    }
    return repairs;
}

BindingTable CRecordFields::PageBindings(std::size_t page) {
    switch (page) {
    case kPageSelect:
        return m_select.Bindings();
    case kPageParam:
        return m_param.Bindings();
    default:
        return m_msw[page - kPageMsw1].Bindings();
    }
}

std::vector<std::string> CRecordFields::Values() {
    const Catalogue& catalogue = TheCatalogue();
    std::array<BindingTable, kPageCount> tables;
    for (std::size_t page = 0; page < tables.size(); ++page) {
        tables[page] = PageBindings(page);
    }
    // The dialog's fields are what it would show on opening; a copy, so this object stays as
    // the page holds it.
    std::array<CFormValues, kFormCount> forms;
    for (int n = 0; n < kFormCount; ++n) {
        forms[n] = m_select.m_dlgForm;
        forms[n].ParseFormText(n);
    }

    std::vector<std::string> values;
    for (std::size_t i = 0; i < catalogue.infos.size(); ++i) {
        const FieldInfo& info = catalogue.infos[i];
        const FieldSource& source = catalogue.sources[i];
        if (source.form >= 0) {
            values.push_back(std::to_string(forms[source.form].*kFormEditRows[source.edit].field));
            continue;
        }
        const Binding& binding = *FindBinding(tables[source.page], source.control);
        switch (info.kind) {
        case FieldKind::List:
            values.push_back(*binding.text);
            break;
        case FieldKind::Radio:
        case FieldKind::Check: {
            // A radio pair with no button checked shows no choice.
            const int index = *binding.value;
            const bool known = index >= 0 && static_cast<std::size_t>(index) < info.choices.size();
            values.push_back(known ? info.choices[index] : std::string());
            break;
        }
        case FieldKind::Number:
            values.push_back(std::to_string(*binding.value));
            break;
        }
    }
    return values;
}

std::optional<std::string> CRecordFields::Apply(std::span<const FieldAssignment> assignments) {
    const Catalogue& catalogue = TheCatalogue();
    struct Change {
        std::size_t field;
        int number = 0; // a number, or a choice's index
    };
    std::vector<Change> changes;
    std::map<int, FormEditTexts> formTexts;
    CFormValues forms = m_select.m_dlgForm;

    for (const FieldAssignment& assignment : assignments) {
        const std::optional<std::size_t> field = FindField(assignment.key);
        if (!field) {
            return "unknown key " + QuotedText(assignment.key);
        }
        const auto given = [&](const Change& c) { return c.field == *field; };
        if (std::any_of(changes.begin(), changes.end(), given)) {
            return assignment.key + ": given twice";
        }
        const FieldInfo& info = catalogue.infos[*field];
        std::optional<int> number;
        if (info.kind == FieldKind::Number) {
            number = DigitsValue(assignment.value);
            if (number && (*number < info.lo || *number > info.hi)) {
                number.reset();
            }
        } else {
            number = ChoiceIndex(info, assignment.value);
        }
        if (!number) {
            return Refusal(info, assignment.value);
        }
        changes.push_back({*field, *number});

        const FieldSource& source = catalogue.sources[*field];
        if (source.form >= 0) {
            if (!formTexts.contains(source.form)) {
                forms.ParseFormText(source.form);
                formTexts[source.form] = forms.EditTexts();
            }
            formTexts[source.form][source.edit] = std::to_string(*number);
        }
    }

    // Each form changed goes through its dialog's OK, with the values it has not been given
    // as the dialog would show them.
    for (const auto& [form, texts] : formTexts) {
        forms.ParseFormText(form);
        forms.m_strFormName = kFormNames[form];
        const FormOkOutcome outcome = forms.OnOK(texts);
        if (outcome.accepted) {
            continue;
        }
        const int edit = FormEditOf(outcome.focus);
        if (!outcome.selectAll) {
            return FormKey(form, edit) + ": must be greater than " +
                   FormKey(form, kEditLeftMargin) + " (" + texts[kEditLeftMargin] + ")";
        }
        // Only a value it was not given can fail: those given were checked above.
        return FormKey(form, edit) + ": holds " + texts[edit] + ", which is not " +
               RangeText(kFormEditRows[edit].lo, kFormEditRows[edit].hi) + "; set it as well";
    }

    for (const Change& change : changes) {
        const FieldInfo& info = catalogue.infos[change.field];
        const FieldSource& source = catalogue.sources[change.field];
        if (source.form >= 0) {
            continue;
        }
        const BindingTable table = PageBindings(source.page);
        const Binding& binding = *FindBinding(table, source.control);
        if (info.kind == FieldKind::List) {
            *binding.text = info.choices[change.number];
        } else {
            *binding.value = change.number;
        }
    }
    m_select.m_dlgForm = forms;
    return std::nullopt;
}

} // namespace sb
