// Value model of the parameter page: its members, their way into and out of the setting
// record, the rules of its number edits and the correction of deferred head centring values.
#pragma once

#include "pages/param_typing.h"
#include "record/setting_record.h"
#include "base/binding.h"
#include "base/prompter.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// Combo box entries in index order; an entry's index is its code in the record where the
// record holds one.
inline constexpr std::array<std::string_view, 5> kFontEntries = {"標準", "イタリック", "クーリエ",
                                                                 "ゴシック", "OCR-B"};
inline constexpr std::array<std::string_view, 3> kKanjiTableEntries = {"JIS1978年版", "JIS1983年版",
                                                                       "JIS1990年版"};
inline constexpr std::array<std::string_view, 8> kAgaRetryEntries = {
    "０秒", "５秒", "１０秒", "６０秒", "１８０秒", "３００秒", "８１０秒", "再実行なし"};
inline constexpr std::array<std::string_view, 3> kAutoReturnEntries = {"自動戻り無し", "８秒",
                                                                       "１５秒"};
// -5 to +5, so a value's entry is at value + 5.
inline constexpr std::array<std::string_view, 11> kLfPitchEntries = {
    "-5", "-4", "-3", "-2", "-1", "0", "+1", "+2", "+3", "+4", "+5"};

inline constexpr std::string_view kHeadCenteringWarning =
    "用紙吸入時ヘッドセンタリング位置の値が設定範囲を超えています。\n適正値に変更します。";
inline constexpr std::string_view kHeadCenteringCaption =
    "パラメータ設定－用紙吸入時ヘッドセンタリング位置";
inline constexpr unsigned kHeadCenteringStyle = mb::kOk | mb::kIconExclamation;

// One edit that CorrectHeadCentering sets: the page sets the text (its change handler then
// runs as usual) and gives the edit the focus.
struct EditCorrection {
    int editId;
    std::string text;
};

// What a command notification from one of the page's controls sets off.
struct ParamCommand {
    enum class Kind {
        None,
        DataCheck,  // a list or a radio button of the page's table changed
        NumberEdit, // a number edit's text changed: its change handler runs
    };
    Kind kind = Kind::None;
    NumberEdit edit = NumberEdit::CutSheet;
};
// `textChanged`: the notification is an edit's text change. The number edits report their
// changes after their range handling, and only changes.
ParamCommand ParamCommandFor(const BindingTable& bindings, int controlId, bool textChanged);

class CParamValues {
public:
    // Repairs broken LF pitch pairs in the record itself. Clears the uncorrected-value flags:
    // the edits then show decoded values, which are in range.
    void DecodeRecord(SettingRecord& record);
    void EncodeRecord(SettingRecord& record) const;

    // In data-exchange order.
    BindingTable Bindings();
    static std::span<const std::string_view> ComboEntries(int comboId);

    // A number edit's change handler: runs its rule and keeps the resulting flag.
    EditChange OnNumberEditChange(NumberEdit edit, std::string_view text, bool hasFocus);
    bool HasUncorrectedValues() const;
    // Shows the warning (even with no flag set), then lists the flagged edits in the order
    // they are corrected; the last one keeps the focus.
    std::vector<EditCorrection> CorrectHeadCentering(Prompter& prompter) const;

    std::string m_strFont1;
    std::string m_strFont2;
    std::string m_strKanjiTable;
    int m_nFrontTractorCentering = 0;
    int m_nCutSheetCentering = 0;
    int m_nPostcardMode = 0;
    int m_nRearTractorCentering = 0;
    int m_nIntakeTime = 0;
    std::string m_strAutoReturnTime;
    std::string m_strAgaRetryTime;
    std::string m_strLfSheetGuide;
    std::string m_strLfSheetFeeder;
    std::string m_strLfFrontTractor;
    std::string m_strLfRearTractor;
    bool m_bCutSheetUncorrected = false;
    bool m_bFrontTractorUncorrected = false;
    bool m_bRearTractorUncorrected = false;
};

} // namespace sb
