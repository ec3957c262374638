// The little JSON that switchboard-cli writes: string literals, escaped as they must be.
#pragma once

#include <string>
#include <string_view>

namespace sb::cli {

// A JSON string literal, quotes included. Text that is not UTF-8 (a file name can be any
// bytes) has each stray byte replaced by U+FFFD, so the document stays valid.
std::string JsonString(std::string_view text);

} // namespace sb::cli
