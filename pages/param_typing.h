// What the parameter page's number edits do with a changed text: values out of range are
// corrected at once, or, for a head centring value that may still grow into a valid one,
// flagged and left for the next send or save to correct.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

enum class NumberEdit { CutSheet, FrontTractor, RearTractor, IntakeTime };
inline constexpr std::size_t kNumberEditCount = 4;

struct ValueSpan {
    int lo = 0;
    int hi = -1; // empty unless hi >= lo
    constexpr bool Contains(long long v) const { return v >= lo && v <= hi; }
};

struct NumberEditRule {
    int editId;
    int spinId;
    int lo; // range of the edit and of its spin control
    int hi;
    std::size_t maxLength; // a longer text is replaced by its decimal value
    // Below-range values that a further keystroke can still make valid: flagged, not
    // corrected. Every other below-range value becomes lo.
    std::array<ValueSpan, 2> deferred;
};

// Indexed by NumberEdit.
extern const std::array<NumberEditRule, kNumberEditCount> kNumberEditRules;

inline const NumberEditRule& RuleOf(NumberEdit edit) {
    return kNumberEditRules[static_cast<std::size_t>(edit)];
}

// The outcome of one change notification, nested runs included. The page sets text into
// the edit with its change handler muted (the nested runs are already in here), stores
// uncorrected in the edit's flag and sends dataChecks data check commands.
struct EditChange {
    std::string text;
    bool textChanged = false;
    bool uncorrected = false;
    int dataChecks = 0;
};

// The change handler of a number edit, run on its current text. Setting the text runs the
// handler again at once, before the outer run goes on; that nesting is carried out here.
EditChange RunEditChange(const NumberEditRule& rule, std::string_view text, bool hasFocus);

} // namespace sb
