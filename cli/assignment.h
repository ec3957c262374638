// set's arguments: KEY=VALUE, the key being a field's ASCII key and the value everything
// after the first '=' (values may hold '=' and spaces, and be empty).
#pragma once

#include "pages/record_fields.h"

#include <string>
#include <string_view>
#include <variant>

namespace sb::cli {

// The assignment, or why the argument is none.
std::variant<FieldAssignment, std::string> ParseAssignment(std::string_view argument);

} // namespace sb::cli
