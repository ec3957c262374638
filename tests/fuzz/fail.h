// How a fuzz target's own check fails: what broke and on what, then an abort that libFuzzer
// keeps the input for.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace sb::fuzz {

[[noreturn]] inline void Reject(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

} // namespace sb::fuzz
