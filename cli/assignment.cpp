#include "cli/assignment.h"

#include <algorithm>

namespace sb::cli {

std::variant<FieldAssignment, std::string> ParseAssignment(std::string_view argument) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos) {
        return QuotedText(argument) + " is not KEY=VALUE";
    }
    const std::string_view key = argument.substr(0, equals);
    const auto keyChar = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
    };
    if (key.empty() || !std::all_of(key.begin(), key.end(), keyChar)) {
        return QuotedText(argument) +
               " does not start with a key (lower-case letters, digits, '.' and '-')";
    }
    return FieldAssignment{std::string(key), std::string(argument.substr(equals + 1))};
}

} // namespace sb::cli
