#include "app/start_up.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace sb {
namespace {

// The arguments as the platform's run-time splits them for the simple cases: white space
// between arguments, double quotes around spaces, quotes themselves removed.
std::vector<std::string> SplitArguments(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (const char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                arguments.push_back(current);
                current.clear();
                inArgument = false;
            }
        } else {
            current.push_back(c);
            inArgument = true;
        }
    }
    if (inArgument) {
        arguments.push_back(current);
    }
    return arguments;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

bool HasComponentServerSwitch(std::string_view commandLine) {
    constexpr std::array<std::string_view, 4> kSwitches = {"RegServer", "UnregServer", "Embedding",
                                                           "Automation"};
    const std::vector<std::string> arguments = SplitArguments(commandLine);
    // The first argument is the program itself, whatever its name.
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument.size() < 2 || (argument.front() != '-' && argument.front() != '/')) {
            continue;
        }
        const std::string_view name = argument.substr(1);
        if (std::any_of(kSwitches.begin(), kSwitches.end(),
                        [&](std::string_view s) { return EqualsIgnoringCase(name, s); })) {
            return true;
        }
    }
    return false;
}

std::string ApplicationName(std::string_view modulePath) {
    const std::size_t slash = modulePath.find_last_of("\\/");
    std::string_view name =
        slash == std::string_view::npos ? modulePath : modulePath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

} // namespace sb
