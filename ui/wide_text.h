// The conversions at the boundary between the core, which speaks UTF-8, and the platform's
// W functions, which speak UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace sb {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace sb
