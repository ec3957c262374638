// The two messages with which every number edit of the program refuses its text.
#pragma once

#include <string>
#include <string_view>

namespace sb {

inline constexpr std::string_view kNotAnIntegerMessage = "整数を入力してください。";
inline constexpr std::string_view kRangeMessageTemplate =
    "%1 から %2 までの整数を入力してください。";

// The range message with %1 and %2 replaced by the bounds.
std::string FormatRangeMessage(int lo, int hi);

} // namespace sb
