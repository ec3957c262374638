#include "base/dpi_scale.h"
#include "base/int_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace sb {
namespace {

TEST(ParseIntText, AcceptsWhatANumberEditCanHold) {
    EXPECT_EQ(ParseIntText("0"), 0);
    EXPECT_EQ(ParseIntText("068"), 68);
    EXPECT_EQ(ParseIntText(" 12 "), 12);
    EXPECT_EQ(ParseIntText("-48"), -48);
    EXPECT_EQ(ParseIntText("+5"), 5);
    EXPECT_EQ(ParseIntText("2147483647"), 2147483647);
    EXPECT_EQ(ParseIntText("-2147483648"), -2147483647 - 1);
}

TEST(ParseIntText, RefusesAnythingElse) {
    EXPECT_EQ(ParseIntText(""), std::nullopt);
    EXPECT_EQ(ParseIntText(" "), std::nullopt);
    EXPECT_EQ(ParseIntText("-"), std::nullopt);
    EXPECT_EQ(ParseIntText("12a"), std::nullopt);
    EXPECT_EQ(ParseIntText("1 2"), std::nullopt);
    EXPECT_EQ(ParseIntText("2147483648"), std::nullopt);
    EXPECT_EQ(ParseIntText("99999999999999999999"), std::nullopt);
}

TEST(DpiScale, LengthsRoundToTheNearestPixelAndPicturesNeverStretch) {
    EXPECT_EQ(Scale(7, 96), 7);
    EXPECT_EQ(Scale(7, 144), 11); // 10.5
    EXPECT_EQ(Scale(-1, 144), -2);
    EXPECT_EQ(Scale(200, 120), 250);
    EXPECT_EQ(ScaleBetween(806, 96, 192), 403);
    const std::pair<int, int> pictures[] = {{72, 16},  {96, 16},  {119, 16}, {120, 20}, {143, 20},
                                            {144, 24}, {191, 24}, {192, 32}, {288, 32}};
    for (const auto& [dpi, size] : pictures) {
        EXPECT_EQ(PictureSize(dpi), size) << dpi;
    }
    EXPECT_EQ(PictureResourceId(150, 16), 150);
    EXPECT_EQ(PictureResourceId(150, 24), 2150);
    EXPECT_EQ(PictureResourceId(168, 32), 3168);
}

} // namespace
} // namespace sb
