// The small rules of the tool bar and the status bar.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// Right edge of the printer pane for a status bar barWidth pixels wide: a tenth of the
// width, in whole pixels, six and a half times.
int PrinterPaneRightEdge(int barWidth);

// A tool tip text cut to what the tool tip's 80-character field holds with its terminating
// zero: at most 79 UTF-16 units, cut only between characters.
std::string ToolTipText(std::string_view text);

} // namespace sb
