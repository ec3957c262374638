#include "base/number_messages.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(NumberMessages, SpellTheStandardTexts) {
    EXPECT_EQ(kNotAnIntegerMessage, "整数を入力してください。");
    EXPECT_EQ(FormatRangeMessage(2, 5), "2 から 5 までの整数を入力してください。");
    EXPECT_EQ(FormatRangeMessage(1, 99), "1 から 99 までの整数を入力してください。");
    EXPECT_EQ(FormatRangeMessage(0, 170), "0 から 170 までの整数を入力してください。");
    EXPECT_EQ(FormatRangeMessage(-6, 3), "-6 から 3 までの整数を入力してください。");
}

} // namespace
} // namespace sb
