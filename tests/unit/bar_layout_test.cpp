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
