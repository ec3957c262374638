#include "menu/menu_draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace sb {
namespace {

using C = SysColor;

TEST(HasNewStyleShell, FromVersion4OfEitherFamily) {
    EXPECT_TRUE(HasNewStyleShell({kPlatformNt, 10, 0}));
    EXPECT_TRUE(HasNewStyleShell({kPlatformNt, 4, 0}));
    EXPECT_FALSE(HasNewStyleShell({kPlatformNt, 3, 51}));
    EXPECT_TRUE(HasNewStyleShell({kPlatformWindows, 4, 10}));
    EXPECT_FALSE(HasNewStyleShell({kPlatformWindows, 3, 95}));
    EXPECT_FALSE(HasNewStyleShell({kPlatformWin32s, 3, 10}));
}

TEST(MeasureItemSize, SeparatorIsHalfALineAndHasNoWidth) {
    EXPECT_EQ(MeasureItemSize(true, 120, 19, 96), (Size{0, 9}));
    EXPECT_EQ(MeasureItemSize(true, 120, 20, 96), (Size{0, 10}));
}

TEST(MeasureItemSize, ItemsAddTheIconColumnsAndAreAtLeastTheIconTall) {
    EXPECT_EQ(MeasureItemSize(false, 100, 18, 96), (Size{133, 19}));
    EXPECT_EQ(MeasureItemSize(false, 100, 23, 96), (Size{133, 23}));
    EXPECT_EQ(MeasureItemSize(false, 0, 19, 96), (Size{33, 19}));
}

TEST(LayoutItem, PlacesTheIconColumnCentredInATallItem) {
    // 23 high: (23 - 15 - 4) / 2 = 2.
    const ItemGeometry g = LayoutItem({10, 40, 210, 63}, true, true, 96);
    EXPECT_EQ(g.dy, 2);
    EXPECT_EQ(g.highlight, (Rect{31, 40, 210, 63}));
    EXPECT_EQ(g.iconFrame, (Rect{11, 43, 29, 60}));
    EXPECT_EQ(g.button, (Rect{10, 42, 30, 61}));
    EXPECT_EQ(g.iconAt, (Point{12, 44}));
    EXPECT_EQ(g.markBox, (Rect{11, 44, 27, 59}));
    EXPECT_EQ(g.radioDot, (Rect{16, 48, 22, 54}));
    EXPECT_EQ(g.text, (Rect{35, 39, 194, 62}));
}

TEST(LayoutItem, HighlightCoversTheWholeItemWithoutIconOrMark) {
    const ItemGeometry g = LayoutItem({0, 0, 200, 19}, false, false, 96);
    EXPECT_EQ(g.dy, 0);
    EXPECT_EQ(g.highlight, (Rect{0, 0, 200, 19}));
    EXPECT_EQ(g.text, (Rect{25, -1, 200, 18}));
}

TEST(LayoutItem, ALowItemDoesNotShiftTheIconUp) {
    const ItemGeometry g = LayoutItem({0, 0, 100, 12}, true, false, 96);
    EXPECT_EQ(g.dy, 0);
    EXPECT_EQ(g.iconAt, (Point{2, 2}));
}

TEST(LayoutItem, CheckMarkIsTheHandDrawnTick) {
    // The mark box of an item at (0, 0) starts at (1, 2), so the tick's origin is (5, 6).
    const char* const kTick[] = {
        "......#", // y = 6
        ".....##", //
        "#...###", //
        "##.###.", //
        "#####..", //
        ".###...", //
        "..#....", // y = 12
    };
    std::set<std::pair<int, int>> expected;
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            if (kTick[row][col] == '#') {
                expected.insert({5 + col, 6 + row});
            }
        }
    }
    const ItemGeometry g = LayoutItem({0, 0, 200, 19}, true, false, 96);
    std::set<std::pair<int, int>> actual;
    for (const Rect& cell : g.checkCells) {
        EXPECT_EQ(cell.Width(), 1);
        EXPECT_EQ(cell.Height(), 1);
        actual.insert({cell.left, cell.top});
    }
    EXPECT_EQ(g.checkCells.size(), 21u);
    EXPECT_EQ(actual, expected);
}

TEST(LayoutItem, IconColumnPaddingsAndTickFollowTheScale) {
    // At 200 %: 32-px pictures in a 32 x 31 column, every padding doubled.
    EXPECT_EQ(MenuIconSize(192), (Size{32, 31}));
    EXPECT_EQ(MeasureItemSize(false, 100, 37, 192), (Size{166, 39}));
    const ItemGeometry g = LayoutItem({0, 0, 300, 39}, true, true, 192);
    EXPECT_EQ(g.dy, 0);
    EXPECT_EQ(g.highlight, (Rect{42, 0, 300, 39}));
    EXPECT_EQ(g.iconFrame, (Rect{2, 2, 38, 37}));
    EXPECT_EQ(g.button, (Rect{0, 0, 40, 39}));
    EXPECT_EQ(g.iconAt, (Point{4, 4}));
    EXPECT_EQ(g.markBox, (Rect{2, 4, 34, 35}));
    EXPECT_EQ(g.radioDot, (Rect{12, 12, 24, 24}));
    EXPECT_EQ(g.text, (Rect{50, -2, 268, 37}));
    // The tick's first cell, (0, 2) of its square, two pixels a side from (10, 12).
    ASSERT_EQ(g.checkCells.size(), 21u);
    EXPECT_EQ(g.checkCells.front(), (Rect{10, 16, 12, 18}));

    // At 150 % the 24-px pictures, the odd paddings rounded half up.
    EXPECT_EQ(MeasureItemSize(false, 100, 28, 144), (Size{150, 29}));
    EXPECT_EQ(LayoutItem({0, 0, 300, 29}, true, false, 144).highlight.left, 24 + 8);
}

const Rect kItem{0, 0, 200, 19};

std::vector<DrawStep> Texts(Rect r, std::u16string left, std::u16string right, C color) {
    return {TextStep{r, std::move(left), false, color}, TextStep{r, std::move(right), true, color}};
}

std::vector<DrawStep> Join(std::vector<std::vector<DrawStep>> parts) {
    std::vector<DrawStep> all;
    for (auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// The 3-D frame of the icon button (0, 0, 20, 19).
std::vector<DrawStep> ButtonFrame(C topLeft, C bottomRight) {
    return {FillStep{{0, 0, 19, 1}, topLeft}, FillStep{{0, 0, 1, 18}, topLeft},
            FillStep{{19, 0, 20, 19}, bottomRight}, FillStep{{0, 18, 20, 19}, bottomRight}};
}

const Rect kIconFrame{1, 1, 19, 18};
const Rect kButton{0, 0, 20, 19};
const Rect kTabbedText{25, -1, 184, 18};

TEST(PlanItemDrawing, SeparatorIsAnEtchedLineFromTheMiddleDown) {
    ItemState state;
    state.separator = true;
    state.selected = true;
    const std::vector<DrawStep> expected = {EtchedTopStep{{0, 9, 200, 19}}};
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"", true, 96), expected);
    const std::vector<DrawStep> lower = {EtchedTopStep{{5, 25, 105, 30}}};
    EXPECT_EQ(PlanItemDrawing({5, 20, 105, 30}, state, u"", false, 96), lower);
}

TEST(PlanItemDrawing, PlainItemInMenuColoursWithItsAcceleratorRightAligned) {
    const auto expected = Join({{FillStep{kItem, C::Menu}, FrameStep{kItem, C::Menu}},
                                Texts(kTabbedText, u"終了(&X)", u"Alt+F4", C::MenuText)});
    EXPECT_EQ(PlanItemDrawing(kItem, {}, u"終了(&X)\tAlt+F4", true, 96), expected);
}

TEST(PlanItemDrawing, TextWithoutATabRunsToTheRightEdgeAndIsDrawnOnce) {
    const std::vector<DrawStep> expected = {
        FillStep{kItem, C::Menu}, FrameStep{kItem, C::Menu},
        TextStep{{25, -1, 200, 18}, u"バージョン情報(&A)...", false, C::MenuText}};
    EXPECT_EQ(PlanItemDrawing(kItem, {}, u"バージョン情報(&A)...", true, 96), expected);
}

TEST(PlanItemDrawing, SelectedItemWithoutIconIsHighlightedAcrossTheWholeWidth) {
    ItemState state;
    state.selected = true;
    const auto expected = Join(
        {{FillStep{kItem, C::Highlight}}, Texts(kTabbedText, u"a", u"Ctrl+A", C::HighlightText)});
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a\tCtrl+A", true, 96), expected);
}

TEST(PlanItemDrawing, SelectedIconSitsOnARaisedButtonBesideTheHighlight) {
    ItemState state;
    state.selected = true;
    state.hasIcon = true;
    const auto expected = Join({{FillStep{{21, 0, 200, 19}, C::Highlight},
                                 FrameStep{kIconFrame, C::Menu}, FillStep{kIconFrame, C::Menu}},
                                ButtonFrame(C::BtnHighlight, C::BtnShadow),
                                {IconStep{{2, 2}}},
                                Texts(kTabbedText, u"a", u"Ctrl+A", C::HighlightText)});
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a\tCtrl+A", true, 96), expected);

    state.checked = true;
    const auto sunken = Join({{FillStep{{21, 0, 200, 19}, C::Highlight},
                               FrameStep{kIconFrame, C::Menu}, FillStep{kIconFrame, C::Menu}},
                              ButtonFrame(C::BtnShadow, C::BtnHighlight),
                              {IconStep{{2, 2}}},
                              Texts(kTabbedText, u"a", u"Ctrl+A", C::HighlightText)});
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a\tCtrl+A", true, 96), sunken);

    // The old shell has no button faces.
    const auto flat =
        Join({{FillStep{{21, 0, 200, 19}, C::Highlight}, FrameStep{kIconFrame, C::Menu},
               FillStep{kIconFrame, C::Menu}, IconStep{{2, 2}}},
              Texts(kTabbedText, u"a", u"Ctrl+A", C::HighlightText)});
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a\tCtrl+A", false, 96), flat);
}

TEST(PlanItemDrawing, UnselectedIconIsFlatOrPressedWhenMarked) {
    ItemState state;
    state.hasIcon = true;
    const auto flat =
        Join({{FillStep{kItem, C::Menu}, FrameStep{kItem, C::Menu}, FrameStep{kIconFrame, C::Menu},
               FillStep{kIconFrame, C::Menu}, FrameStep{kButton, C::Menu}, IconStep{{2, 2}}},
              Texts(kTabbedText, u"a", u"Ctrl+A", C::MenuText)});
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a\tCtrl+A", true, 96), flat);

    state.checked = true;
    const auto pressed = Join({{FillStep{kItem, C::Menu}, FrameStep{kItem, C::Menu},
                                FrameStep{kIconFrame, C::Menu}, FillStep{kIconFrame, C::Light3D}},
                               ButtonFrame(C::BtnShadow, C::BtnHighlight),
                               {IconStep{{2, 2}}},
                               Texts(kTabbedText, u"a", u"Ctrl+A", C::MenuText)});
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a\tCtrl+A", true, 96), pressed);
}

TEST(PlanItemDrawing, DisabledItemIsEmbossedAndItsTextDrawnTwice) {
    ItemState state;
    state.disabled = true;
    state.hasIcon = true;
    const EmbossedIconStep emboss{{2, 2},          {3, 3},
                                  {16, 15},        C::Menu,
                                  C::BtnFace,      {C::BtnFace, C::BtnHighlight, C::Menu},
                                  C::BtnHighlight, C::BtnShadow};
    const auto expected =
        Join({{FillStep{kItem, C::Menu}, FrameStep{kItem, C::Menu}, FrameStep{kIconFrame, C::Menu},
               emboss, FrameStep{kButton, C::Menu}},
              Texts({26, 0, 185, 19}, u"a", u"Ctrl+A", C::BtnHighlight),
              Texts(kTabbedText, u"a", u"Ctrl+A", C::GrayText)});
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a\tCtrl+A", true, 96), expected);

    // On the old shell the emboss sits on the menu colour.
    const auto old = PlanItemDrawing(kItem, state, u"a", false, 96);
    ASSERT_GE(old.size(), 4u);
    ASSERT_TRUE(std::holds_alternative<EmbossedIconStep>(old[3]));
    EXPECT_EQ(std::get<EmbossedIconStep>(old[3]).background, C::Menu);
}

TEST(PlanItemDrawing, DisabledSelectedTextTakesTheMenuColour) {
    ItemState state;
    state.disabled = true;
    state.selected = true;
    const auto expected =
        Join({{FillStep{kItem, C::Highlight}}, Texts(kTabbedText, u"a", u"Ctrl+A", C::Menu)});
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a\tCtrl+A", true, 96), expected);
}

TEST(PlanItemDrawing, MarkWithoutIconIsATickOrARadioDotInASunkenBox) {
    const Rect box{1, 2, 17, 17};
    const std::vector<Rect> tick = LayoutItem(kItem, true, false, 96).checkCells;
    ItemState state;
    state.checked = true;
    const std::vector<DrawStep> expected = {
        FillStep{kItem, C::Menu},     FrameStep{kItem, C::Menu},
        FillStep{box, C::Light3D},    SunkenOuterStep{box},
        CellsStep{tick, C::MenuText}, TextStep{{25, -1, 200, 18}, u"a", false, C::MenuText},
    };
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a", true, 96), expected);

    state.radioCheck = true;
    state.selected = true;
    const std::vector<DrawStep> radio = {
        FillStep{{21, 0, 200, 19}, C::Highlight},
        FillStep{box, C::Menu},
        SunkenOuterStep{box},
        EllipseStep{{6, 6, 12, 12}, C::MenuText},
        TextStep{{25, -1, 200, 18}, u"a", false, C::HighlightText},
    };
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a", true, 96), radio);

    state.selected = false;
    const std::vector<DrawStep> old = {
        FillStep{kItem, C::Menu},
        FrameStep{kItem, C::Menu},
        FillStep{box, C::Menu},
        EllipseStep{{6, 6, 12, 12}, C::MenuText},
        TextStep{{25, -1, 200, 18}, u"a", false, C::MenuText},
    };
    EXPECT_EQ(PlanItemDrawing(kItem, state, u"a", false, 96), old);
}

} // namespace
} // namespace sb
