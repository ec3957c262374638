// The progress of a send for someone watching: one line on stderr that each count rewrites.
#pragma once

#include "cli/cli.h"
#include "cli/fleet.h"

#include <cstddef>

namespace sb::cli {

class CProgressLine {
public:
    explicit CProgressLine(Console& console) : m_console(console) {}

    void Show(const SendCounts& counts);
    // Before anything else is written, so that it never lands behind the counts.
    void Clear();

private:
    Console& m_console;
    std::size_t m_nWidth = 0; // of the line on show; 0 when none is
};

} // namespace sb::cli
