#include "pages/select_values.h"

#include "pages/leading_int.h"

#include <algorithm>

namespace sb {

namespace {

constexpr std::string_view kFormButtonSuffix = "の設定(&D)...";

// Record codes of the reduction and copy-strength entries; 4/5 is '5', not '2'.
constexpr std::array<char, 3> kReductionCodes = {'0', '1', '5'};
constexpr std::array<char, 3> kCopyStrengthCodes = {'0', '1', '2'};

// The first print-pressure and print-position entries stand for these steps.
constexpr int kPressureMin = -6;
constexpr int kPressureMax = 3;
constexpr int kPrintPositionMin = -3;

template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& entries, std::string_view text) {
    const auto it = std::find(entries.begin(), entries.end(), text);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

// A single-digit code 0 or 1, anything else counting as 0.
int BinaryCode(std::uint8_t byte) {
    return byte == '1' ? 1 : 0;
}

} // namespace

SelectCommand SelectCommandFor(int controlId) {
    switch (controlId) {
    case IDC_SEL_SHEET_GUIDE_AUTO:
    case IDC_SEL_GOTHIC:
    case IDC_SEL_SHEET_GUIDE_LEFT:
    case IDC_SEL_MINCHO:
    case IDC_SEL_PAPER_THICKNESS:
    case IDC_SEL_PRESSURE:
    case IDC_SEL_PRINT_POSITION:
    case IDC_SEL_AUTO_POS_ADJUST:
    case IDC_SEL_REDUCTION:
    case IDC_SEL_COPY_STRENGTH:
        return SelectCommand::DataCheck;
    case IDC_SEL_FORM:
        return SelectCommand::FormSelected;
    case IDC_SEL_FORM_SETTINGS:
        return SelectCommand::FormSettings;
    default:
        return SelectCommand::None;
    }
}

void CSelectValues::DecodeRecord(SettingRecord& record) {
    const int autoPos = ReadDigits(record, off::kAutoPosAdjust, 2);
    m_strAutoPosAdjust = kAutoPosAdjustEntries[autoPos >= 0 && autoPos <= 24 ? autoPos : 0];

    // A second character the list cannot show is repaired so that the pair reads as 0.
    RepairSignedPair(record, off::kPressure, '3', 'A');
    if (const std::optional<int> pressure = ReadSignedPair(record, off::kPressure)) {
        m_strPressure = kPressureEntries[*pressure - kPressureMin];
    }

    // The print position is not repaired: an unknown pair shows "0" and the record keeps it
    // until the next encode.
    if (const std::optional<int> position = ReadSignedPair(record, off::kPrintPosition)) {
        const bool positive = record[off::kPrintPosition] == '0';
        const bool known = positive ? *position >= 0 && *position <= 3
                                    : *position >= kPrintPositionMin && *position <= 0;
        m_strPrintPosition = kPrintPositionEntries[(known ? *position : 0) - kPrintPositionMin];
    }

    const int thickness = ReadDigits(record, off::kPaperThickness, 2);
    m_strPaperThickness = kPaperThicknessEntries[thickness >= 1 && thickness <= 12 ? thickness : 0];

    const std::uint8_t reduction = record[off::kReduction];
    m_strReduction = kReductionEntries[reduction == '1' ? 1 : reduction == '5' ? 2 : 0];

    m_nSheetGuideSetPos = BinaryCode(record[off::kSheetGuideSetPos]);
    m_nTypeface = BinaryCode(record[off::kTypeface]);

    const std::uint8_t copy = record[off::kCopyStrength];
    m_strCopyStrength = kCopyStrengthEntries[copy == '1' ? 1 : copy == '2' ? 2 : 0];

    const std::uint8_t form = record[off::kFormSelect];
    m_strFormName = kFormNames[form >= '1' && form <= '4' ? form - '0' : 0];

    for (int n = 0; n < kFormCount; ++n) {
        m_dlgForm.CopyFormFromRecord(n, record);
    }
}

void CSelectValues::EncodeRecord(SettingRecord& record) const {
    const int autoPos = LeadingInt(m_strAutoPosAdjust);
    WriteDigits(record, off::kAutoPosAdjust, 2, autoPos >= 0 && autoPos <= 24 ? autoPos : 0);

    // Only the list's steps are written; any other text would put a non-digit on the wire.
    const int pressure = LeadingInt(m_strPressure);
    WriteSignedPair(record, off::kPressure,
                    pressure >= kPressureMin && pressure <= kPressureMax ? pressure : 0);

    const int position = IndexOf(kPrintPositionEntries, m_strPrintPosition);
    if (position >= 0) {
        WriteSignedPair(record, off::kPrintPosition, position + kPrintPositionMin);
    }

    const int thickness =
        m_strPaperThickness == kPaperThicknessEntries[0] ? 0 : LeadingInt(m_strPaperThickness);
    WriteDigits(record, off::kPaperThickness, 2, thickness >= 0 && thickness <= 12 ? thickness : 0);

    const int reduction = IndexOf(kReductionEntries, m_strReduction);
    if (reduction >= 0) {
        record[off::kReduction] = static_cast<std::uint8_t>(kReductionCodes[reduction]);
    }

    // An index that is neither radio button is written as the first, as decoding reads it.
    WriteDigits(record, off::kSheetGuideSetPos, 1, m_nSheetGuideSetPos == 1 ? 1 : 0);
    WriteDigits(record, off::kTypeface, 1, m_nTypeface == 1 ? 1 : 0);

    const int copy = IndexOf(kCopyStrengthEntries, m_strCopyStrength);
    record[off::kCopyStrength] = static_cast<std::uint8_t>(kCopyStrengthCodes[copy > 0 ? copy : 0]);

    WriteDigits(record, off::kFormSelect, 1, FormIndex(m_strFormName).value_or(0));

    for (int n = 0; n < kFormCount; ++n) {
        m_dlgForm.CopyFormToRecord(n, record);
    }
}

std::string CSelectValues::FormButtonCaption() const {
    return m_strFormName + std::string(kFormButtonSuffix);
}

void CSelectValues::PrepareFormDialog() {
    if (const std::optional<int> form = FormIndex(m_strFormName)) {
        m_dlgForm.ParseFormText(*form);
    }
    m_dlgForm.m_strFormName = m_strFormName;
}

BindingTable CSelectValues::Bindings() {
    return {
        {.kind = BindKind::ComboText, .id = IDC_SEL_AUTO_POS_ADJUST, .text = &m_strAutoPosAdjust},
        {.kind = BindKind::ComboText, .id = IDC_SEL_PAPER_THICKNESS, .text = &m_strPaperThickness},
        {.kind = BindKind::ComboText, .id = IDC_SEL_PRESSURE, .text = &m_strPressure},
        {.kind = BindKind::ComboText, .id = IDC_SEL_PRINT_POSITION, .text = &m_strPrintPosition},
        {.kind = BindKind::ComboText, .id = IDC_SEL_REDUCTION, .text = &m_strReduction},
        {.kind = BindKind::RadioIndex,
         .id = IDC_SEL_SHEET_GUIDE_LEFT,
         .id2 = IDC_SEL_SHEET_GUIDE_AUTO,
         .value = &m_nSheetGuideSetPos},
        {.kind = BindKind::RadioIndex,
         .id = IDC_SEL_MINCHO,
         .id2 = IDC_SEL_GOTHIC,
         .value = &m_nTypeface},
        {.kind = BindKind::ComboText, .id = IDC_SEL_COPY_STRENGTH, .text = &m_strCopyStrength},
        {.kind = BindKind::ComboText, .id = IDC_SEL_FORM, .text = &m_strFormName},
    };
}

} // namespace sb
