#include "pages/form_values.h"

#include "pages/field_texts.h"
#include "pages/leading_int.h"
#include "base/int_text.h"
#include "base/number_messages.h"
#include "base/prompter.h"

#include <algorithm>
#include <cstdlib>

namespace sb {

namespace {

constexpr std::string_view kTitlePrefix = SB_FORM_TITLE_PREFIX;
constexpr std::string_view kMarginMessage =
    "ライトマージン幅はレフトマージン幅より大きくしてください。適正値に変更します。";
constexpr std::string_view kMarginCaption = "レフトマージン幅／ライトマージン幅";

// Where each field sits in a form text, by FormEdit; form 0 has no margins (-1).
constexpr std::array<int, kFormEditCount> kForm0Offsets = {3, 7, 11, 15, 19, 0, -1, -1, 26, 23};
constexpr std::array<int, kFormEditCount> kFormOffsets = {11, 15, 19, 23, 27, 0, 3, 7, 34, 31};
constexpr std::array<int, kFormEditCount> kFieldWidths = {3, 3, 3, 3, 3, 2, 3, 3, 2, 2};

// The largest value a field of this many digits can hold.
constexpr int FieldMax(int width) {
    return width == 3 ? 999 : 99;
}

bool ValidForm(int form) {
    return form >= 0 && form < kFormCount;
}

// Edit limits count characters as the user sees them, not UTF-8 bytes.
std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1;
    }
    return count;
}

const FormEditRow* RowOfEdit(int edit) {
    const auto row = std::find_if(kFormEditRows.begin(), kFormEditRows.end(),
                                  [edit](const FormEditRow& r) { return r.edit == edit; });
    return row == kFormEditRows.end() ? nullptr : &*row;
}

} // namespace

std::optional<FormFieldSpan> FormFieldAt(int form, int edit) {
    if (!ValidForm(form) || edit < 0 || edit >= kFormEditCount) {
        return std::nullopt;
    }
    const int offset = (form == 0 ? kForm0Offsets : kFormOffsets)[edit];
    if (offset < 0) {
        return std::nullopt;
    }
    return FormFieldSpan{offset, kFieldWidths[edit]};
}

std::optional<int> FormIndex(std::string_view name) {
    const auto it = std::find(kFormNames.begin(), kFormNames.end(), name);
    if (it == kFormNames.end()) {
        return std::nullopt;
    }
    return static_cast<int>(it - kFormNames.begin());
}

int NearestTick(int value, const TickTable& table) {
    int best = 0;
    long long bestDistance = -1;
    for (int pos = 0; pos <= kTrackBarMax; ++pos) {
        if (table[pos] == value) {
            return pos;
        }
        const long long distance = std::llabs(static_cast<long long>(value) - table[pos]);
        // Strictly nearer only, so of two equally near ticks the lower stays.
        if (bestDistance < 0 || distance < bestDistance) {
            best = pos;
            bestDistance = distance;
        }
    }
    return best;
}

FormEditOutcome FormEditChanged(int edit, std::string_view typed, bool hasFocus) {
    const FormEditRow* row = RowOfEdit(edit);
    if (row == nullptr) {
        return {};
    }
    FormEditOutcome outcome;
    outcome.edit = edit;
    // Each pass is one run of the change handler; setting the text runs it again, nested.
    // The passes end: a replacement is either the canonical text of the value, which the next
    // pass leaves alone, or a bound, which is short and within the bounds.
    std::string text(typed);
    int value = 0;
    for (;;) {
        value = LeadingInt(text);
        if (CharCount(text) > static_cast<std::size_t>(row->maxChars)) {
            std::string shortened = std::to_string(value);
            // A value whose own decimal text is too long (-5328, 12345) gives the same text
            // again; setting it would run this handler on it once more, endlessly. It is left
            // as it is, and the bounds below still apply to it.
            if (shortened != text) {
                text = std::move(shortened);
                continue;
            }
        }
        if (hasFocus && (value < row->lo || value > row->hi)) {
            text = std::to_string(value < row->lo ? row->lo : row->hi);
            continue;
        }
        break;
    }
    if (text != typed) {
        outcome.text = std::move(text);
    }
    if (row->track != 0) {
        outcome.track = row->track;
        outcome.trackPos = NearestTick(value, *row->ticks);
    }
    return outcome;
}

FormEditOutcome FormTrackMoved(int track, int pos) {
    if (track == 0) {
        return {};
    }
    const auto row = std::find_if(kFormEditRows.begin(), kFormEditRows.end(),
                                  [track](const FormEditRow& r) { return r.track == track; });
    if (row == kFormEditRows.end()) {
        return {};
    }
    const std::string text = std::to_string((*row->ticks)[std::clamp(pos, 0, kTrackBarMax)]);
    // Setting the edit's text runs its change rule; the edit has no focus then, so nothing is
    // clamped and the bar stays on the tick it was moved to.
    FormEditOutcome outcome = FormEditChanged(row->edit, text, false);
    outcome.text = outcome.text.value_or(text);
    return outcome;
}

void CFormValues::CopyFormFromRecord(int form, const SettingRecord& record) {
    if (!ValidForm(form)) {
        return;
    }
    auto& text = m_szForms[form];
    std::fill(text.begin(), text.begin() + FormTextSize(form), '\0');
    const auto block = record.begin() + off::kFormBlock[form];
    std::copy(block, block + FormBlockSize(form), text.begin());
}

void CFormValues::CopyFormToRecord(int form, SettingRecord& record) const {
    if (!ValidForm(form)) {
        return;
    }
    const auto& text = m_szForms[form];
    std::copy(text.begin(), text.begin() + FormBlockSize(form),
              record.begin() + off::kFormBlock[form]);
}

void CFormValues::ParseFormText(int form) {
    if (!ValidForm(form)) {
        return;
    }
    const auto& text = m_szForms[form];
    for (int i = 0; i < kFormEditCount; ++i) {
        const std::optional<FormFieldSpan> span = FormFieldAt(form, i);
        if (!span) {
            continue;
        }
        // Not tested for digits: other characters give values outside every range.
        int value = 0;
        for (int k = 0; k < span->width; ++k) {
            value = value * 10 + (text[span->offset + k] - '0');
        }
        this->*kFormEditRows[i].field = value;
    }
    if (form == 0) {
        m_nLeftMargin = 0;
        m_nRightMargin = kWidestLine;
    }
    for (const FormEditRow& row : kFormEditRows) {
        if (row.trackPos != nullptr) {
            this->*row.trackPos = NearestTick(this->*row.field, *row.ticks);
        }
    }
}

void CFormValues::FormatFormText(int form) {
    if (!ValidForm(form)) {
        return;
    }
    auto& text = m_szForms[form];
    for (int i = 0; i < kFormEditCount; ++i) {
        const std::optional<FormFieldSpan> span = FormFieldAt(form, i);
        if (!span) {
            continue;
        }
        const FormEditRow& row = kFormEditRows[i];
        int value = this->*row.field;
        // Margins are not range-tested on OK; one that does not fit its field is stored as
        // the nearest value its spin button allows rather than cut to three digits.
        if (!row.rangeTestedOnOk && (value < 0 || value > FieldMax(span->width))) {
            value = std::clamp(value, row.lo, row.hi);
        }
        for (int k = span->width - 1; k >= 0; --k) {
            text[span->offset + k] = static_cast<char>('0' + std::abs(value % 10));
            value /= 10;
        }
    }
}

std::span<const char> CFormValues::FormText(int form) const {
    if (!ValidForm(form)) {
        return {};
    }
    return std::span<const char>(m_szForms[form].data(), FormTextSize(form));
}

std::string CFormValues::Title() const {
    return std::string(kTitlePrefix) + m_strFormName;
}

bool CFormValues::MarginsEnabled() const {
    return m_strFormName != kFormNames[0];
}

FormEditTexts CFormValues::EditTexts() const {
    FormEditTexts texts;
    for (int i = 0; i < kFormEditCount; ++i) {
        texts[i] = std::to_string(this->*kFormEditRows[i].field);
    }
    return texts;
}

FormOkOutcome CFormValues::OnOK(const FormEditTexts& texts) {
    FormOkOutcome outcome;
    const int left = ParseIntText(texts[kEditLeftMargin]).value_or(0);
    const int right = ParseIntText(texts[kEditRightMargin]).value_or(0);
    if (left >= right) {
        outcome.message = kMarginMessage;
        outcome.caption = kMarginCaption;
        outcome.style = mb::kOk | mb::kIconExclamation;
        outcome.focus = IDC_FORM_RIGHT_MARGIN;
        // Wide arithmetic: left may be as large as an int gets.
        const std::string text = std::to_string(static_cast<long long>(left) + 1);
        outcome.text = FormEditChanged(IDC_FORM_RIGHT_MARGIN, text, false).text.value_or(text);
        return outcome;
    }

    std::array<int, kFormEditCount> values{};
    for (int i = 0; i < kFormEditCount; ++i) {
        const FormEditRow& row = kFormEditRows[i];
        const std::optional<int> value = ParseIntText(texts[i]);
        if (!value || (row.rangeTestedOnOk && (*value < row.lo || *value > row.hi))) {
            outcome.message =
                value ? FormatRangeMessage(row.lo, row.hi) : std::string(kNotAnIntegerMessage);
            outcome.caption = kCaption;
            outcome.style = mb::kOk | mb::kIconExclamation;
            outcome.focus = row.edit;
            outcome.selectAll = true;
            return outcome;
        }
        values[i] = *value;
    }

    for (int i = 0; i < kFormEditCount; ++i) {
        const FormEditRow& row = kFormEditRows[i];
        this->*row.field = values[i];
        if (row.trackPos != nullptr) {
            this->*row.trackPos = NearestTick(values[i], *row.ticks);
        }
    }
    if (const std::optional<int> form = FormIndex(m_strFormName)) {
        FormatFormText(*form);
    }
    outcome.accepted = true;
    return outcome;
}

} // namespace sb
