// How the panel's texts read once shown: a template text as its control shows it, and a
// value as a message quotes it.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// A template text as the control shows it: "&X" is an underlined X, "&&" an ampersand, and a
// line break only wraps the text, so it is dropped.
std::string ShownText(std::string_view templateText);

// A radio button's shown text without its trailing mnemonic: "有効" for "有効(Q)".
std::string WithoutMnemonic(std::string_view shown);

// A text as a message quotes it: in double quotes, and cut short when it is long, since a
// value may be anything a script put there.
std::string QuotedText(std::string_view text);

} // namespace sb
