// The full path of the program's own executable, as UTF-8.
#pragma once

#include <string>

namespace sb {

std::string ModulePath();

} // namespace sb
