#include "app/bar_layout.h"
#include "app/help_file.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

TEST(BarLayout, PrinterPaneEndsAtSixAndAHalfWholeTenths) {
    EXPECT_EQ(PrinterPaneRightEdge(400), 260);
    EXPECT_EQ(PrinterPaneRightEdge(405), 260);
    EXPECT_EQ(PrinterPaneRightEdge(409), 260);
    EXPECT_EQ(PrinterPaneRightEdge(410), 266);
    EXPECT_EQ(PrinterPaneRightEdge(437), 279); // 43 * 6.5 = 279.5, truncated
    EXPECT_EQ(PrinterPaneRightEdge(9), 0);
}

TEST(BarLayout, ToolTipKeepsAtMost79CharactersAndNeverSplitsOne) {
    EXPECT_EQ(ToolTipText("設定ファイルの読み込み"), "設定ファイルの読み込み");
    EXPECT_EQ(ToolTipText(std::string(79, 'a')), std::string(79, 'a'));
    EXPECT_EQ(ToolTipText(std::string(80, 'a')), std::string(79, 'a'));

    // 79 three-byte characters are kept although they take 237 bytes.
    std::string kana;
    for (int i = 0; i < 80; ++i) {
        kana += "ア";
    }
    EXPECT_EQ(ToolTipText(kana), kana.substr(0, 237));

    // A character outside the basic plane needs two units and does not fit in the last one.
    EXPECT_EQ(ToolTipText(std::string(78, 'a') + "\xF0\x9F\x96\xA8"), std::string(78, 'a'));
    EXPECT_EQ(ToolTipText(std::string(77, 'a') + "\xF0\x9F\x96\xA8"),
              std::string(77, 'a') + "\xF0\x9F\x96\xA8");
    // A character cut short by the end of the text is dropped, not half-copied.
    EXPECT_EQ(ToolTipText("ab\xE3\x82"), "ab");
}

// The main window at 100 % as Wine lays it out: the page fits the tab's display area.
PanelMeasures At100() {
    PanelMeasures m;
    m.client = {429, 414};
    m.tab = {9, 33, 420, 392};
    m.display = {13, 75, 416, 388};
    m.page = {403, 309};
    m.toolBarBottom = 29;
    m.statusHeight = 20;
    return m;
}

TEST(PanelLayout, WhatFitsStaysWhereTheTemplatePutsIt) {
    const PanelLayout layout = LayOutPanel(At100());
    EXPECT_EQ(layout.tab, (Rect{9, 33, 420, 392}));
    EXPECT_EQ(layout.client, (Size{429, 414}));
}

TEST(PanelLayout, GrowsByWhatAPageOrTheBarsWouldLack) {
    PanelMeasures wide = At100();
    wide.page = {410, 320}; // 7 px wider and 7 px taller than the display area
    PanelLayout layout = LayOutPanel(wide);
    EXPECT_EQ(layout.tab, (Rect{9, 33, 427, 399}));
    EXPECT_EQ(layout.client, (Size{436, 421}));

    // A tool bar reaching below the tab's top takes the tab down with it; a status bar
    // taller than the room below the tab makes the window taller.
    PanelMeasures bars = At100();
    bars.toolBarBottom = 40;
    bars.statusHeight = 30;
    layout = LayOutPanel(bars);
    EXPECT_EQ(layout.tab, (Rect{9, 40, 420, 399}));
    EXPECT_EQ(layout.client, (Size{429, 429}));
}

TEST(HelpFile, OldViewerOnlyForTheFirstReleasesOfEachFamily) {
    const struct {
        OsVersionInfo os;
        const char* name;
        HelpViewer viewer;
    } cases[] = {
        {{kPlatformWindows, 4, 0}, "swbz48.hlp", HelpViewer::Hlp},
        {{kPlatformWindows, 4, 10}, "swbz48.chm", HelpViewer::Chm},
        {{kPlatformWindows, 4, 90}, "swbz48.chm", HelpViewer::Chm},
        {{kPlatformWindows, 5, 0}, "swbz48.chm", HelpViewer::Chm},
        {{kPlatformNt, 3, 51}, "swbz48.hlp", HelpViewer::Hlp},
        {{kPlatformNt, 4, 0}, "swbz48.hlp", HelpViewer::Hlp},
        {{kPlatformNt, 5, 0}, "swbz48.chm", HelpViewer::Chm},
        {{kPlatformNt, 10, 0}, "swbz48.chm", HelpViewer::Chm},
        {{kPlatformWin32s, 3, 1}, "swbz48.chm", HelpViewer::Chm},
    };
    for (const auto& c : cases) {
        const HelpFile help = ChooseHelpFile(c.os);
        EXPECT_EQ(help.name, c.name) << c.os.platformId << " " << c.os.major << "." << c.os.minor;
        EXPECT_EQ(help.viewer, c.viewer) << c.os.platformId << " " << c.os.major;
    }
}

} // namespace
} // namespace sb
