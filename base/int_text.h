// Reading a number edit's text the way the exchange does: optional blanks, an optional
// sign, decimal digits, optional blanks; anything else, or a value beyond int, is not an
// integer.
#pragma once

#include <optional>
#include <string_view>

namespace sb {

std::optional<int> ParseIntText(std::string_view text);

} // namespace sb
