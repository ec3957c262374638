// What start-up decides before any window exists: whether the command line asks for the
// component server only, and the name under which the single-instance mutex is made.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// True when an argument after the program's own name is "RegServer", "UnregServer",
// "Embedding" or "Automation" behind "-" or "/", in any letter case. The component itself
// is not part of the program, so each of them ends it without a window.
bool HasComponentServerSwitch(std::string_view commandLine);

// The executable's file name without its folder and its extension.
std::string ApplicationName(std::string_view modulePath);

} // namespace sb
