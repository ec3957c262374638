#include "cli/progress_line.h"

#include <algorithm>
#include <string>

namespace sb::cli {

void CProgressLine::Show(const SendCounts& counts) {
    std::string line = "\rsending: " + std::to_string(counts.done) + " done, " +
                       std::to_string(counts.failed) + " failed, " + std::to_string(counts.left) +
                       " left";
    const std::size_t width = line.size() - 1;
    // Over what the last one showed, all of it.
    line.append(m_nWidth > width ? m_nWidth - width : 0, ' ');
    m_console.Err(line);
    m_nWidth = width;
}

void CProgressLine::Clear() {
    if (m_nWidth != 0) {
        std::string blank(m_nWidth + 2, ' ');
        blank.front() = '\r';
        blank.back() = '\r';
        m_console.Err(blank);
        m_nWidth = 0;
    }
}

} // namespace sb::cli
