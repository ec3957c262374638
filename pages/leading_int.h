// A text's integer value read the lenient way: optional blanks and sign, then as many
// digits as there are; no digits give 0. Saturates instead of overflowing, since pasted text
// can be arbitrarily long.
#pragma once

#include <string_view>

namespace sb {

int LeadingInt(std::string_view text);

} // namespace sb
