#include "cli/progress_line.h"

#include <algorithm>
#include <string>

namespace sb::cli {

void CProgressLine::Show(const SendCounts& counts) {
    const std::string text = "sending: " + std::to_string(counts.done) + " done, " +
                             std::to_string(counts.failed) + " failed, " +
                             std::to_string(counts.left) + " left";
    const std::size_t width = std::max(m_nWidth, text.size());
    m_console.Err("\r" + text + std::string(width - text.size(), ' '));
    m_nWidth = text.size();
}

void CProgressLine::Clear() {
    if (m_nWidth != 0) {
        m_console.Err("\r" + std::string(m_nWidth, ' ') + "\r");
        m_nWidth = 0;
    }
}

} // namespace sb::cli
