// The five paper forms as the form settings dialog keeps them: each form is a character copy
// of its block in the setting record (the form text), parsed into the dialog's fields when the
// dialog opens and formatted back into the digit positions on OK. The typing rules of the
// dialog's number edits and its OK checks live here as functions of the edits' texts, so the
// Win32 dialog only moves texts and positions.
#pragma once

#include "pages/form_ids.h"
#include "record/setting_record.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sb {

inline constexpr int kFormCount = 5;
// The form names as the form list shows them, in form order.
inline constexpr std::array<std::string_view, kFormCount> kFormNames = {
    "書式０", "書式１", "書式２", "書式３", "書式４"};
// The form a name stands for; nothing for a name that is none of the five.
std::optional<int> FormIndex(std::string_view name);

// Form text n holds its block and a terminating zero: 30 bytes for form 0, 38 for forms 1-4.
inline constexpr std::size_t FormTextSize(int form) {
    return FormBlockSize(form) + 1;
}

// Load position, in 1/120 inch, of each track-bar position.
using TickTable = std::array<int, 10>;
inline constexpr TickTable kStandardTicks = {0, 15, 18, 20, 28, 30, 40, 46, 60, 120};
inline constexpr TickTable kPostcardTicks = {0, 15, 18, 20, 28, 30, 40, 54, 60, 120};
inline constexpr int kTrackBarMax = 9;

// The track-bar position for a load position: an exact tick first, else the nearest tick,
// the lower one of two equally near.
int NearestTick(int value, const TickTable& table);

// The dialog's number edits, in the order OK reads and validates them.
enum FormEdit {
    kEditFrontTractor,
    kEditRearTractor,
    kEditSheetGuide,
    kEditSheetFeeder,
    kEditPostcard,
    kEditPageLength,
    kEditLeftMargin,
    kEditRightMargin,
    kEditFrontAdjust,
    kEditCutSheetAdjust,
    kFormEditCount
};
// One text per edit, indexed by FormEdit.
using FormEditTexts = std::array<std::string, kFormEditCount>;

// Where an edit's field sits in form text n, which is also where it sits in form block n.
struct FormFieldSpan {
    int offset;
    int width;
};
// Nothing for a form that is none of the five, and for the margins of form 0, which has none.
std::optional<FormFieldSpan> FormFieldAt(int form, int edit);

// The controls that form 0, which has no margins, disables.
inline constexpr std::array<int, 8> kMarginControls = {
    IDC_FORM_LEFT_MARGIN_LABEL, IDC_FORM_RIGHT_MARGIN_LABEL, IDC_FORM_LEFT_MARGIN,
    IDC_FORM_RIGHT_MARGIN,      IDC_FORM_LEFT_MARGIN_SPIN,   IDC_FORM_RIGHT_MARGIN_SPIN,
    IDC_FORM_LEFT_MARGIN_UNIT,  IDC_FORM_RIGHT_MARGIN_UNIT};

// What an edit change (or a track-bar move) leaves for the dialog to apply, with its own
// change handling muted: every text here is already the end of the nested handling.
struct FormEditOutcome {
    int edit = 0;                    // the edit concerned, 0 when the id is none of the rows
    std::optional<std::string> text; // the edit's new text, when it changes
    int track = 0;                   // track bar to move, 0 for rows without one
    int trackPos = 0;
};

// The edit-change rule: the edit's text after a change, and whether it has the focus.
FormEditOutcome FormEditChanged(int edit, std::string_view text, bool hasFocus);
// A focused track bar moved to pos: its edit takes the tick value (edit not focused).
FormEditOutcome FormTrackMoved(int track, int pos);

// What OK leaves for the dialog: close it, or show a message and move the focus.
struct FormOkOutcome {
    bool accepted = false;
    std::string message;
    std::string caption;
    unsigned style = 0;
    int focus = 0;                   // edit that gets the focus after the message
    bool selectAll = false;          // and has its whole text selected
    std::optional<std::string> text; // set into the focus edit first
};

class CFormValues {
public:
    // Form text n := form block n of the record, the rest of the text zero.
    void CopyFormFromRecord(int form, const SettingRecord& record);
    // Form block n of the record := form text n; nothing else of the record changes.
    void CopyFormToRecord(int form, SettingRecord& record) const;
    // The fields from form text n, by plain arithmetic on its characters.
    void ParseFormText(int form);
    // The fields into the digit positions of form text n.
    void FormatFormText(int form);
    std::span<const char> FormText(int form) const;

    std::string Title() const;
    bool MarginsEnabled() const;
    // The fields as the edits show them when the dialog opens.
    FormEditTexts EditTexts() const;
    // The OK checks on the edits' texts; on acceptance the form chosen by m_strFormName
    // takes the values.
    FormOkOutcome OnOK(const FormEditTexts& texts);

    std::string m_strFormName;
    int m_nFrontTractor = 0;
    int m_nRearTractor = 0;
    int m_nSheetGuide = 0;
    int m_nSheetFeeder = 0;
    int m_nPostcard = 0;
    int m_nFrontTractorPos = 0;
    int m_nRearTractorPos = 0;
    int m_nSheetGuidePos = 0;
    int m_nSheetFeederPos = 0;
    int m_nPostcardPos = 0;
    int m_nPageLength = 0;
    int m_nLeftMargin = 0;
    int m_nRightMargin = 0;
    int m_nFrontTractorAdjust = 0;
    int m_nCutSheetAdjust = 0;

private:
    std::array<std::array<char, FormTextSize(1)>, kFormCount> m_szForms{};
};

// The printer's widest line, in columns (its line-width switch offers 136 and 80): the
// right margin can be as far out as that, and the left one must stay inside it. Form 0,
// which keeps no margins, prints the whole width.
inline constexpr int kWidestLine = 136;

// One number edit of the dialog with its controls, ranges and field.
struct FormEditRow {
    int edit;
    int spin;
    int track; // 0: no track bar
    int lo;    // spin range, and the bounds the edit keeps while it has the focus
    int hi;
    int maxChars; // longest text left as entered
    bool rangeTestedOnOk;
    int CFormValues::*field;
    int CFormValues::*trackPos; // nullptr without a track bar
    const TickTable* ticks;     // nullptr without a track bar
};

inline constexpr std::array<FormEditRow, kFormEditCount> kFormEditRows = {{
    {IDC_FORM_FRONT_TRACTOR, IDC_FORM_FRONT_TRACTOR_SPIN, IDC_FORM_FRONT_TRACTOR_TRACK, 0, 170, 4,
     true, &CFormValues::m_nFrontTractor, &CFormValues::m_nFrontTractorPos, &kStandardTicks},
    {IDC_FORM_REAR_TRACTOR, IDC_FORM_REAR_TRACTOR_SPIN, IDC_FORM_REAR_TRACTOR_TRACK, 0, 170, 4,
     true, &CFormValues::m_nRearTractor, &CFormValues::m_nRearTractorPos, &kStandardTicks},
    {IDC_FORM_SHEET_GUIDE, IDC_FORM_SHEET_GUIDE_SPIN, IDC_FORM_SHEET_GUIDE_TRACK, 0, 170, 4, true,
     &CFormValues::m_nSheetGuide, &CFormValues::m_nSheetGuidePos, &kStandardTicks},
    {IDC_FORM_SHEET_FEEDER, IDC_FORM_SHEET_FEEDER_SPIN, IDC_FORM_SHEET_FEEDER_TRACK, 0, 170, 4,
     true, &CFormValues::m_nSheetFeeder, &CFormValues::m_nSheetFeederPos, &kStandardTicks},
    {IDC_FORM_POSTCARD, IDC_FORM_POSTCARD_SPIN, IDC_FORM_POSTCARD_TRACK, 0, 170, 4, true,
     &CFormValues::m_nPostcard, &CFormValues::m_nPostcardPos, &kPostcardTicks},
    {IDC_FORM_PAGE_LENGTH, IDC_FORM_PAGE_LENGTH_SPIN, 0, 1, 99, 3, true,
     &CFormValues::m_nPageLength, nullptr, nullptr},
    {IDC_FORM_LEFT_MARGIN, IDC_FORM_LEFT_MARGIN_SPIN, 0, 0, kWidestLine - 1, 4, false,
     &CFormValues::m_nLeftMargin, nullptr, nullptr},
    {IDC_FORM_RIGHT_MARGIN, IDC_FORM_RIGHT_MARGIN_SPIN, 0, 1, kWidestLine, 4, false,
     &CFormValues::m_nRightMargin, nullptr, nullptr},
    {IDC_FORM_FRONT_ADJUST, IDC_FORM_FRONT_ADJUST_SPIN, 0, 0, 68, 3, true,
     &CFormValues::m_nFrontTractorAdjust, nullptr, nullptr},
    {IDC_FORM_CUT_SHEET_ADJUST, IDC_FORM_CUT_SHEET_ADJUST_SPIN, 0, 0, 68, 3, true,
     &CFormValues::m_nCutSheetAdjust, nullptr, nullptr},
}};

} // namespace sb
