#include "app/bar_layout.h"

#include <algorithm>
#include <cstddef>

namespace sb {
namespace {

constexpr std::size_t kToolTipUnits = 79;

// Length in bytes and in UTF-16 units of the character that starts with lead. A stray
// continuation or invalid byte counts as one unit of its own.
void MeasureChar(unsigned char lead, std::size_t& bytes, std::size_t& units) {
    if (lead >= 0xF0 && lead < 0xF8) {
        bytes = 4;
        units = 2;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        bytes = 3;
        units = 1;
    } else if (lead >= 0xC0 && lead < 0xE0) {
        bytes = 2;
        units = 1;
    } else {
        bytes = 1;
        units = 1;
    }
}

} // namespace

int PrinterPaneRightEdge(int barWidth) {
    return static_cast<int>((barWidth / 10) * 6.5);
}

std::string ToolTipText(std::string_view text) {
    std::size_t end = 0;
    std::size_t units = 0;
    while (end < text.size()) {
        std::size_t charBytes = 0;
        std::size_t charUnits = 0;
        MeasureChar(static_cast<unsigned char>(text[end]), charBytes, charUnits);
        if (units + charUnits > kToolTipUnits || end + charBytes > text.size()) {
            break;
        }
        units += charUnits;
        end += charBytes;
    }
    return std::string(text.substr(0, end));
}

PanelLayout LayOutPanel(const PanelMeasures& m) {
    PanelLayout layout{m.tab, m.client};
    const int down = std::max(0, m.toolBarBottom - m.tab.top);
    const int wider = std::max(0, m.page.cx - m.display.Width());
    const int taller = std::max(0, m.page.cy - m.display.Height());
    layout.tab.top += down;
    layout.tab.right += wider;
    layout.tab.bottom += down + taller;
    layout.client.cx += wider;
    layout.client.cy = std::max(m.client.cy + down + taller, layout.tab.bottom + m.statusHeight);
    return layout;
}

} // namespace sb
