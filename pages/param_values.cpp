#include "pages/param_values.h"

#include "pages/param_ids.h"
#include "base/int_text.h"

namespace sb {

namespace {

template <std::size_t N>
std::string EntryOr(const std::array<std::string_view, N>& entries, int code,
                    std::size_t fallback) {
    const bool known = code >= 0 && static_cast<std::size_t>(code) < N;
    return std::string(entries[known ? static_cast<std::size_t>(code) : fallback]);
}

template <std::size_t N>
int IndexOr(const std::array<std::string_view, N>& entries, std::string_view text, int unmatched) {
    for (std::size_t i = 0; i < N; ++i) {
        if (entries[i] == text) {
            return static_cast<int>(i);
        }
    }
    return unmatched;
}

int InRangeOr(int value, int lo, int hi, int fallback) {
    return value >= lo && value <= hi ? value : fallback;
}

// A pair the combo cannot show is made to read as 0, in the record itself; a first byte that
// is neither '0' nor 'F' reads nothing and the combo keeps what it showed.
void DecodeLfPitch(SettingRecord& record, std::size_t offset, std::string& text) {
    RepairSignedPair(record, offset, '5', 'B');
    if (const auto value = ReadSignedPair(record, offset)) {
        text = kLfPitchEntries[static_cast<std::size_t>(*value + 5)];
    }
}

void EncodeLfPitch(SettingRecord& record, std::size_t offset, const std::string& text) {
    WriteSignedPair(record, offset, ParseIntText(text).value_or(0));
}

} // namespace

void CParamValues::DecodeRecord(SettingRecord& record) {
    m_strFont1 = EntryOr(kFontEntries, ReadDigits(record, off::kFont1, 1), 0);
    m_strFont2 = EntryOr(kFontEntries, ReadDigits(record, off::kFont2, 1), 0);
    m_strKanjiTable = EntryOr(kKanjiTableEntries, ReadDigits(record, off::kKanjiTable, 1), 0);

    m_nCutSheetCentering = InRangeOr(ReadDigits(record, off::kCutSheetCentering, 2), 10, 68, 40);
    m_nFrontTractorCentering =
        InRangeOr(ReadDigits(record, off::kFrontTractorCentering, 2), 10, 68, 40);
    m_nRearTractorCentering =
        InRangeOr(ReadDigits(record, off::kRearTractorCentering, 3), 68, 126, 96);

    m_nPostcardMode = record[off::kPostcardMode] == '1' ? 1 : 0;
    m_strAgaRetryTime = EntryOr(kAgaRetryEntries, ReadDigits(record, off::kAgaRetryTime, 2), 2);

    switch (ReadDigits(record, off::kAutoReturnTime, 2)) {
    case 0:
        m_strAutoReturnTime = kAutoReturnEntries[0];
        break;
    case 8:
        m_strAutoReturnTime = kAutoReturnEntries[1];
        break;
    default:
        m_strAutoReturnTime = kAutoReturnEntries[2];
        break;
    }

    m_nIntakeTime = InRangeOr(ReadDigits(record, off::kIntakeTime, 1), 2, 5, 2);

    DecodeLfPitch(record, off::kLfSheetGuide, m_strLfSheetGuide);
    DecodeLfPitch(record, off::kLfSheetFeeder, m_strLfSheetFeeder);
    DecodeLfPitch(record, off::kLfFrontTractor, m_strLfFrontTractor);
    DecodeLfPitch(record, off::kLfRearTractor, m_strLfRearTractor);

    // A flag set by typing before this decode would make the next send or save "correct" a
    // field that now shows a decoded, valid value.
    m_bCutSheetUncorrected = false;
    m_bFrontTractorUncorrected = false;
    m_bRearTractorUncorrected = false;
}

void CParamValues::EncodeRecord(SettingRecord& record) const {
    WriteDigits(record, off::kFont1, 1, IndexOr(kFontEntries, m_strFont1, 0));
    WriteDigits(record, off::kFont2, 1, IndexOr(kFontEntries, m_strFont2, 0));
    WriteDigits(record, off::kKanjiTable, 1, IndexOr(kKanjiTableEntries, m_strKanjiTable, 0));

    // A deferred value goes out as typed ("05"); the send and the save stop before it.
    WriteDigits(record, off::kCutSheetCentering, 2, m_nCutSheetCentering);
    WriteDigits(record, off::kFrontTractorCentering, 2, m_nFrontTractorCentering);
    WriteDigits(record, off::kRearTractorCentering, 3, m_nRearTractorCentering);

    WriteDigits(record, off::kPostcardMode, 1, m_nPostcardMode == 1 ? 1 : 0);

    int autoReturn = 15;
    if (m_strAutoReturnTime == kAutoReturnEntries[0]) {
        autoReturn = 0;
    } else if (m_strAutoReturnTime == kAutoReturnEntries[1]) {
        autoReturn = 8;
    }
    WriteDigits(record, off::kAutoReturnTime, 2, autoReturn);

    // Byte 246, the tens digit of this field, stays as it is.
    WriteDigits(record, off::kIntakeTime, 1, m_nIntakeTime);
    WriteDigits(record, off::kAgaRetryTime, 2, IndexOr(kAgaRetryEntries, m_strAgaRetryTime, 2));

    EncodeLfPitch(record, off::kLfSheetGuide, m_strLfSheetGuide);
    EncodeLfPitch(record, off::kLfSheetFeeder, m_strLfSheetFeeder);
    EncodeLfPitch(record, off::kLfFrontTractor, m_strLfFrontTractor);
    EncodeLfPitch(record, off::kLfRearTractor, m_strLfRearTractor);
}

BindingTable CParamValues::Bindings() {
    using enum BindKind;
    const auto combo = [](int id, std::string& text, int maxChars) {
        return Binding{.kind = ComboText, .id = id, .text = &text, .maxChars = maxChars};
    };
    const NumberEditRule& intake = RuleOf(NumberEdit::IntakeTime);
    return {
        combo(IDC_PARAM_FONT1, m_strFont1, 20),
        combo(IDC_PARAM_FONT2, m_strFont2, 20),
        combo(IDC_PARAM_KANJI_TABLE, m_strKanjiTable, 20),
        {.kind = IntEdit, .id = IDC_PARAM_FRONT_TRACTOR, .value = &m_nFrontTractorCentering},
        {.kind = IntEdit, .id = IDC_PARAM_CUT_SHEET, .value = &m_nCutSheetCentering},
        {.kind = RadioIndex,
         .id = IDC_PARAM_POSTCARD_OFF,
         .id2 = IDC_PARAM_POSTCARD_ON,
         .value = &m_nPostcardMode},
        {.kind = IntEdit, .id = IDC_PARAM_REAR_TRACTOR, .value = &m_nRearTractorCentering},
        {.kind = IntRange,
         .id = intake.editId,
         .value = &m_nIntakeTime,
         .lo = intake.lo,
         .hi = intake.hi},
        combo(IDC_PARAM_AUTO_RETURN_TIME, m_strAutoReturnTime, 20),
        combo(IDC_PARAM_AGA_RETRY_TIME, m_strAgaRetryTime, 20),
        combo(IDC_PARAM_LF_SHEET_GUIDE, m_strLfSheetGuide, 10),
        combo(IDC_PARAM_LF_SHEET_FEEDER, m_strLfSheetFeeder, 10),
        combo(IDC_PARAM_LF_FRONT_TRACTOR, m_strLfFrontTractor, 10),
        combo(IDC_PARAM_LF_REAR_TRACTOR, m_strLfRearTractor, 10),
    };
}

std::span<const std::string_view> CParamValues::ComboEntries(int comboId) {
    switch (comboId) {
    case IDC_PARAM_FONT1:
    case IDC_PARAM_FONT2:
        return kFontEntries;
    case IDC_PARAM_KANJI_TABLE:
        return kKanjiTableEntries;
    case IDC_PARAM_AGA_RETRY_TIME:
        return kAgaRetryEntries;
    case IDC_PARAM_AUTO_RETURN_TIME:
        return kAutoReturnEntries;
    case IDC_PARAM_LF_SHEET_GUIDE:
    case IDC_PARAM_LF_SHEET_FEEDER:
    case IDC_PARAM_LF_FRONT_TRACTOR:
    case IDC_PARAM_LF_REAR_TRACTOR:
        return kLfPitchEntries;
    default:
        return {};
    }
}

ParamCommand ParamCommandFor(const BindingTable& bindings, int controlId, bool textChanged) {
    for (std::size_t i = 0; i < kNumberEditCount; ++i) {
        if (kNumberEditRules[i].editId == controlId) {
            if (!textChanged) {
                return {};
            }
            return {ParamCommand::Kind::NumberEdit, static_cast<NumberEdit>(i)};
        }
    }
    for (const Binding& row : bindings) {
        const bool list = row.kind == BindKind::ComboText && row.id == controlId;
        const bool radio =
            row.kind == BindKind::RadioIndex && (row.id == controlId || row.id2 == controlId);
        if (list || radio) {
            return {ParamCommand::Kind::DataCheck};
        }
    }
    return {};
}

EditChange CParamValues::OnNumberEditChange(NumberEdit edit, std::string_view text, bool hasFocus) {
    EditChange change = RunEditChange(RuleOf(edit), text, hasFocus);
    switch (edit) {
    case NumberEdit::CutSheet:
        m_bCutSheetUncorrected = change.uncorrected;
        break;
    case NumberEdit::FrontTractor:
        m_bFrontTractorUncorrected = change.uncorrected;
        break;
    case NumberEdit::RearTractor:
        m_bRearTractorUncorrected = change.uncorrected;
        break;
    case NumberEdit::IntakeTime:
        break;
    }
    return change;
}

bool CParamValues::HasUncorrectedValues() const {
    return m_bCutSheetUncorrected || m_bFrontTractorUncorrected || m_bRearTractorUncorrected;
}

std::vector<EditCorrection> CParamValues::CorrectHeadCentering(Prompter& prompter) const {
    prompter.ShowMessage(kHeadCenteringWarning, kHeadCenteringCaption, kHeadCenteringStyle);
    std::vector<EditCorrection> corrections;
    const auto correct = [&](bool flagged, NumberEdit edit) {
        if (flagged) {
            const NumberEditRule& rule = RuleOf(edit);
            corrections.push_back({rule.editId, std::to_string(rule.lo)});
        }
    };
    correct(m_bCutSheetUncorrected, NumberEdit::CutSheet);
    correct(m_bFrontTractorUncorrected, NumberEdit::FrontTractor);
    correct(m_bRearTractorUncorrected, NumberEdit::RearTractor);
    return corrections;
}

} // namespace sb
