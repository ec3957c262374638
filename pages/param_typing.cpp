#include "pages/param_typing.h"

#include "pages/param_ids.h"

#include <charconv>
#include <cstdint>

namespace sb {

const std::array<NumberEditRule, kNumberEditCount> kNumberEditRules = {{
    {IDC_PARAM_CUT_SHEET, IDC_PARAM_CUT_SHEET_SPIN, 10, 68, 3, {{{1, 6}, {}}}},
    {IDC_PARAM_FRONT_TRACTOR, IDC_PARAM_FRONT_TRACTOR_SPIN, 10, 68, 3, {{{1, 6}, {}}}},
    // 1 may become 100-126, 6 may become 68 or 69.
    {IDC_PARAM_REAR_TRACTOR, IDC_PARAM_REAR_TRACTOR_SPIN, 68, 126, 4, {{{1, 1}, {6, 67}}}},
    {IDC_PARAM_INTAKE_TIME, IDC_PARAM_INTAKE_TIME_SPIN, 2, 5, 2, {}},
}};

namespace {

// The handler reads the text into a buffer of nine characters.
constexpr std::size_t kReadChars = 9;

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        count += IsUtf8Continuation(c) ? 0 : 1;
    }
    return count;
}

std::string_view FirstChars(std::string_view text, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < text.size(); ++i) {
        if (!IsUtf8Continuation(text[i]) && seen++ == n) {
            break;
        }
    }
    return text.substr(0, i);
}

// The whole text as an unsigned integer; 0 when it is not one.
long long UnsignedValue(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

// The value of the leading digits; 0 when there are none. At most nine digits are given.
long long LeadingDigitsValue(std::string_view text) {
    std::uint32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

struct EditState {
    std::string text;
    bool uncorrected = false;
    int dataChecks = 0;
};

void RunHandler(const NumberEditRule& rule, bool hasFocus, EditState& edit);

void SetText(const NumberEditRule& rule, bool hasFocus, EditState& edit, std::string text) {
    edit.text = std::move(text);
    RunHandler(rule, hasFocus, edit);
}

void RunHandler(const NumberEditRule& rule, bool hasFocus, EditState& edit) {
    edit.uncorrected = false;
    long long v = UnsignedValue(edit.text);

    const std::string_view read = FirstChars(edit.text, kReadChars);
    if (CharCount(read) > rule.maxLength) {
        v = LeadingDigitsValue(read);
        std::string shown = std::to_string(v);
        // A number with more digits than the edit allows stays too long after this; setting
        // that same text again would only come back here, endlessly.
        if (shown != edit.text) {
            SetText(rule, hasFocus, edit, std::move(shown));
        }
    }

    // Only the user's own typing is corrected.
    if (hasFocus) {
        if (v < rule.lo) {
            if (rule.deferred[0].Contains(v) || rule.deferred[1].Contains(v)) {
                edit.uncorrected = true;
            } else {
                SetText(rule, hasFocus, edit, std::to_string(rule.lo));
            }
        } else if (v > rule.hi) {
            SetText(rule, hasFocus, edit, std::to_string(rule.hi));
        }
    }

    ++edit.dataChecks;
}

} // namespace

EditChange RunEditChange(const NumberEditRule& rule, std::string_view text, bool hasFocus) {
    EditState edit{std::string(text)};
    RunHandler(rule, hasFocus, edit);
    const bool changed = edit.text != text;
    return {std::move(edit.text), changed, edit.uncorrected, edit.dataChecks};
}

} // namespace sb
