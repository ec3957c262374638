// The small rules of the tool bar and the status bar, and the main window's layout around
// them.
#pragma once

#include "base/geometry.h"

#include <string>
#include <string_view>

namespace sb {

// Right edge of the printer pane for a status bar barWidth pixels wide: a tenth of the
// width, in whole pixels, six and a half times.
int PrinterPaneRightEdge(int barWidth);

// A tool tip text cut to what the tool tip's 80-character field holds with its terminating
// zero: at most 79 UTF-16 units, cut only between characters.
std::string ToolTipText(std::string_view text);

// What the main window is laid out from, in client pixels at the window's scale.
struct PanelMeasures {
    Size client;       // the client area as the dialog's template gives it
    Rect tab;          // the tab control where the template puts it
    Rect display;      // the tab control's display area there
    Size page;         // a page as its template gives it
    int toolBarBottom; // the tool bar's lower edge
    int statusHeight;  // the status bar's height
};

struct PanelLayout {
    Rect tab;
    Size client;
};

// The tab control below the tool bar, and grown where its display area would not hold a
// page; the client area grown by as much, and tall enough for the status bar under the tab.
PanelLayout LayOutPanel(const PanelMeasures& measures);

} // namespace sb
