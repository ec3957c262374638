#include "ui/int_text.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace sb
