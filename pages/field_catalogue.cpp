#include "pages/field_catalogue.h"

#include "pages/field_texts.h"
#include "pages/param_ids.h"
#include "pages/param_typing.h"
#include "pages/shown_text.h"
#include "record/settings_state.h"

#include <algorithm>

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

// The pages in template order.
constexpr ControlText kSelectTexts[] = {
    {IDC_SEL_AUTO_POS_ADJUST,
     "select.auto-position-adjust",
     SB_SEL_AUTO_POS_ADJUST,
     {},
     {},
     {},
     off::kAutoPosAdjust,
     2},
    {IDC_SEL_PAPER_THICKNESS,
     "select.paper-thickness",
     SB_SEL_PAPER_THICKNESS,
     {},
     {},
     {},
     off::kPaperThickness,
     2},
    {IDC_SEL_PRESSURE, "select.print-pressure", SB_SEL_PRESSURE, {}, {}, {}, off::kPressure, 2},
    {IDC_SEL_PRINT_POSITION,
     "select.print-position",
     SB_SEL_PRINT_POSITION,
     {},
     SB_SEL_PRINT_POSITION_UNIT,
     {},
     off::kPrintPosition,
     2},
    {IDC_SEL_REDUCTION, "select.reduction", SB_SEL_REDUCTION, {}, {}, {}, off::kReduction, 1},
    {IDC_SEL_SHEET_GUIDE_LEFT,
     "select.sheet-guide-position",
     SB_SEL_SHEET_GUIDE_POSITION,
     {},
     {},
     {SB_SEL_SHEET_GUIDE_LEFT, SB_SEL_SHEET_GUIDE_AUTO},
     off::kSheetGuideSetPos,
     1},
    {IDC_SEL_MINCHO,
     "select.typeface",
     SB_SEL_TYPEFACE,
     {},
     {},
     {SB_SEL_MINCHO, SB_SEL_GOTHIC},
     off::kTypeface,
     1},
    {IDC_SEL_COPY_STRENGTH,
     "select.copy-strength",
     SB_SEL_COPY_STRENGTH,
     {},
     {},
     {},
     off::kCopyStrength,
     1},
    {IDC_SEL_FORM, "select.form", SB_SEL_FORM, {}, {}, {}, off::kFormSelect, 1},
};

constexpr ControlText kParamTexts[] = {
    {IDC_PARAM_CUT_SHEET,
     "param.centering-cut-sheet",
     SB_PARAM_CUT_SHEET,
     SB_PARAM_CENTERING,
     SB_UNIT_COLUMNS,
     {},
     off::kCutSheetCentering,
     2},
    {IDC_PARAM_FRONT_TRACTOR,
     "param.centering-front-tractor",
     SB_PARAM_FRONT_TRACTOR,
     SB_PARAM_CENTERING,
     SB_UNIT_COLUMNS,
     {},
     off::kFrontTractorCentering,
     2},
    {IDC_PARAM_REAR_TRACTOR,
     "param.centering-rear-tractor",
     SB_PARAM_REAR_TRACTOR,
     SB_PARAM_CENTERING,
     SB_UNIT_COLUMNS,
     {},
     off::kRearTractorCentering,
     3},
    {IDC_PARAM_KANJI_TABLE,
     "param.kanji-table",
     SB_PARAM_KANJI_TABLE,
     {},
     {},
     {},
     off::kKanjiTable,
     1},
    {IDC_PARAM_FONT1, "param.font1", SB_PARAM_FONT1, SB_PARAM_FONTS, {}, {}, off::kFont1, 1},
    {IDC_PARAM_FONT2, "param.font2", SB_PARAM_FONT2, SB_PARAM_FONTS, {}, {}, off::kFont2, 1},
    {IDC_PARAM_AGA_RETRY_TIME,
     "param.aga-retry-time",
     SB_PARAM_AGA_RETRY_TIME,
     {},
     {},
     {},
     off::kAgaRetryTime,
     2},
    {IDC_PARAM_AUTO_RETURN_TIME,
     "param.auto-return-time",
     SB_PARAM_AUTO_RETURN_TIME,
     {},
     {},
     {},
     off::kAutoReturnTime,
     2},
    {IDC_PARAM_POSTCARD_OFF,
     "param.postcard-mode",
     SB_PARAM_POSTCARD_MODE,
     {},
     {},
     {SB_PARAM_POSTCARD_OFF, SB_PARAM_POSTCARD_ON},
     off::kPostcardMode,
     1},
    // Byte 246, the tens digit in front of it, belongs to no page.
    {IDC_PARAM_INTAKE_TIME,
     "param.intake-time",
     SB_PARAM_INTAKE_TIME,
     {},
     SB_PARAM_INTAKE_TIME_UNIT,
     {},
     off::kIntakeTime,
     1},
    {IDC_PARAM_LF_SHEET_GUIDE,
     "param.lf-pitch-sheet-guide",
     SB_PARAM_LF_SHEET_GUIDE,
     SB_PARAM_LF_PITCH,
     {},
     {},
     off::kLfSheetGuide,
     2},
    {IDC_PARAM_LF_SHEET_FEEDER,
     "param.lf-pitch-sheet-feeder",
     SB_PARAM_LF_SHEET_FEEDER,
     SB_PARAM_LF_PITCH,
     {},
     {},
     off::kLfSheetFeeder,
     2},
    {IDC_PARAM_LF_FRONT_TRACTOR,
     "param.lf-pitch-front-tractor",
     SB_PARAM_LF_FRONT_TRACTOR,
     SB_PARAM_LF_PITCH,
     {},
     {},
     off::kLfFrontTractor,
     2},
    {IDC_PARAM_LF_REAR_TRACTOR,
     "param.lf-pitch-rear-tractor",
     SB_PARAM_LF_REAR_TRACTOR,
     SB_PARAM_LF_PITCH,
     {},
     {},
     off::kLfRearTractor,
     2},
};

// Memory switches: the bank's table says where each control's bit is.
constexpr ControlText kMsw1Texts[] = {
    {IDC_MSW1_COUNTRY, "msw1-country", SB_MSW1_COUNTRY},
    {IDC_MSW1_4A, "msw1-4", SB_MSW1_4, {}, {}, {SB_MSW1_4A, SB_MSW1_4B}},
    {IDC_MSW1_5A, "msw1-5", SB_MSW1_5, {}, {}, {SB_MSW1_5A, SB_MSW1_5B}},
    {IDC_MSW1_6A, "msw1-6", SB_MSW1_6, {}, {}, {SB_MSW1_6A, SB_MSW1_6B}},
    {IDC_MSW1_7A,

     "msw1-7",
     SB_MSW1_7,
     {},
     {},
     {SB_MSW1_7A, SB_MSW1_7B}},
    {IDC_MSW1_8A, "msw1-8", SB_MSW1_8, {}, {}, {SB_MSW1_8A, SB_MSW1_8B}},
};

constexpr ControlText kMsw2Texts[] = {
    {IDC_MSW2_1, "msw2-1", SB_MSW2_1},
    {IDC_MSW2_2A, "msw2-2", SB_MSW2_2, {}, {}, {SB_MSW2_2A, SB_MSW2_2B}},
    {IDC_MSW2_3A,

     "msw2-3",
     SB_MSW2_3,
     {},
     {},
     {SB_MSW2_3A, SB_MSW2_3B}},
    {IDC_MSW2_4A, "msw2-4", SB_MSW2_4, {}, {}, {SB_MSW2_4A, SB_MSW2_4B}},
    {IDC_MSW2_5A, "msw2-5", SB_MSW2_5, {}, {}, {SB_MSW2_5A, SB_MSW2_5B}},
    {IDC_MSW2_6A, "msw2-6", SB_MSW2_6, {}, {}, {SB_MSW2_6A, SB_MSW2_6B}},
    {IDC_MSW2_7A, "msw2-7", SB_MSW2_7, {}, {}, {SB_MSW2_7A, SB_MSW2_7B}},
    {IDC_MSW2_8A, "msw2-8", SB_MSW2_8, {}, {}, {SB_MSW2_8A, SB_MSW2_8B}},
};

constexpr ControlText kMsw3Texts[] = {
    {IDC_MSW3_7, "msw3-7", SB_MSW3_7},
    {IDC_MSW3_2A, "msw3-2", SB_MSW3_2, {}, {}, {SB_MSW3_2A, SB_MSW3_2B}},
    {IDC_MSW3_3A, "msw3-3", SB_MSW3_3, {}, {}, {SB_MSW3_3A, SB_MSW3_3B}},
    {IDC_MSW3_4A,

     "msw3-4",
     SB_MSW3_4,
     {},
     {},
     {SB_MSW3_4A, SB_MSW3_4B}},
    {IDC_MSW3_5A, "msw3-5", SB_MSW3_5, {}, {}, {SB_MSW3_5A, SB_MSW3_5B}},
    {IDC_MSW3_8A, "msw3-8", SB_MSW3_8, {}, {}, {SB_MSW3_8A, SB_MSW3_8B}},
};

constexpr ControlText kMsw4Texts[] = {
    {IDC_MSW4_1A, "msw4-1", SB_MSW4_1, {}, {}, {SB_MSW4_1A, SB_MSW4_1B}},
    {IDC_MSW4_2A,

     "msw4-2",
     SB_MSW4_2,
     {},
     {},
     {SB_MSW4_2A, SB_MSW4_2B}},
    {IDC_MSW4_3A, "msw4-3", SB_MSW4_3, {}, {}, {SB_MSW4_3A, SB_MSW4_3B}},
    {IDC_MSW4_4A, "msw4-4", SB_MSW4_4, {}, {}, {SB_MSW4_4A, SB_MSW4_4B}},
    {IDC_MSW4_5A, "msw4-5", SB_MSW4_5, {}, {}, {SB_MSW4_5A, SB_MSW4_5B}},
    {IDC_MSW4_6A, "msw4-6", SB_MSW4_6, {}, {}, {SB_MSW4_6A, SB_MSW4_6B}},
    {IDC_MSW4_7A, "msw4-7", SB_MSW4_7, {}, {}, {SB_MSW4_7A, SB_MSW4_7B}},
    {IDC_MSW4_8A, "msw4-8", SB_MSW4_8, {}, {}, {SB_MSW4_8A, SB_MSW4_8B}},
};

// The form dialog's edits, by FormEdit; each form's key begins "formN.".
constexpr ControlText kFormTexts[kFormEditCount] = {
    {IDC_FORM_FRONT_TRACTOR, "load-front-tractor", SB_FORM_FRONT_TRACTOR, SB_FORM_LOAD_GROUP,
     SB_FORM_LOAD_UNIT},
    {IDC_FORM_REAR_TRACTOR, "load-rear-tractor", SB_FORM_REAR_TRACTOR, SB_FORM_LOAD_GROUP,
     SB_FORM_LOAD_UNIT},
    {IDC_FORM_SHEET_GUIDE, "load-sheet-guide", SB_FORM_SHEET_GUIDE, SB_FORM_LOAD_GROUP,
     SB_FORM_LOAD_UNIT},
    {IDC_FORM_SHEET_FEEDER, "load-sheet-feeder", SB_FORM_SHEET_FEEDER, SB_FORM_LOAD_GROUP,
     SB_FORM_LOAD_UNIT},
    {IDC_FORM_POSTCARD, "load-postcard", SB_FORM_POSTCARD, SB_FORM_LOAD_GROUP, SB_FORM_LOAD_UNIT},
    {IDC_FORM_PAGE_LENGTH, "page-length", SB_FORM_PAGE_LENGTH, {}, SB_FORM_PAGE_LENGTH_UNIT},
    {IDC_FORM_LEFT_MARGIN, "left-margin", SB_FORM_LEFT_MARGIN, {}, SB_UNIT_COLUMNS},
    {IDC_FORM_RIGHT_MARGIN, "right-margin", SB_FORM_RIGHT_MARGIN, {}, SB_UNIT_COLUMNS},
    {IDC_FORM_FRONT_ADJUST, "front-tractor-correction", SB_FORM_FRONT_ADJUST, {}, SB_UNIT_COLUMNS},
    {IDC_FORM_CUT_SHEET_ADJUST,
     "cut-sheet-correction",
     SB_FORM_CUT_SHEET_ADJUST,
     {},
     SB_UNIT_COLUMNS},
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

// The tab texts, in PageIndex order.
constexpr std::array<std::string_view, kPageCount> kTabTexts = {
    SB_TAB_SELECT, SB_TAB_PARAM, SB_TAB_MSW1, SB_TAB_MSW2, SB_TAB_MSW3, SB_TAB_MSW4};

constexpr std::string_view kCheckOff = "off";
constexpr std::string_view kCheckOn = "on";

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
        info.key = FormFieldKey(form, edit);
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

} // namespace

std::string FormFieldKey(int form, int edit) {
    return "form" + std::to_string(form) + "." + std::string(kFormTexts[edit].key);
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

const std::vector<FieldSource>& RecordFieldSources() {
    return TheCatalogue().sources;
}

} // namespace sb
