#include "menu/menu_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

const std::vector<std::u16string> kFilePopup = {
    u"設定ファイルの読み込み(&O)...\tCtrl+O",
    u"設定ファイルへの書き込み(&S)...\tCtrl+S",
    u"",
    u"設定値をプリンタへ送信(&W)\tCtrl+W",
    u"工場出荷設定を表示(&I)\tCtrl+I",
    u"",
    u"プリンタの選択(&C)...\tCtrl+C",
    u"",
    u"終了(&X)\tAlt+F4",
};

TEST(ItemText, SplitsLabelAndAcceleratorAtTheTabs) {
    const auto plain = SplitItemText(u"バージョン情報(&A)...");
    EXPECT_EQ(plain.left, u"バージョン情報(&A)...");
    EXPECT_EQ(plain.right, u"");
    EXPECT_FALSE(plain.hasTab);

    const auto one = SplitItemText(u"終了(&X)\tAlt+F4");
    EXPECT_EQ(one.left, u"終了(&X)");
    EXPECT_EQ(one.right, u"Alt+F4");
    EXPECT_TRUE(one.hasTab);

    const auto two = SplitItemText(u"a\tmiddle\tb");
    EXPECT_EQ(two.left, u"a");
    EXPECT_EQ(two.right, u"b");

    const auto trailing = SplitItemText(u"label\t");
    EXPECT_EQ(trailing.left, u"label");
    EXPECT_EQ(trailing.right, u"");
    EXPECT_TRUE(trailing.hasTab);
}

int Monospace(std::u16string_view text) {
    return static_cast<int>(text.size()) * 10;
}

TEST(AlignShortcuts, PadsLabelsToTheWidestLabelAndOneSpace) {
    const std::vector<std::u16string> texts = {u"Open\tCtrl+O", u"", u"Longer one",
                                               u"Exit now\tAlt+F4"};
    const std::vector<std::u16string> expected = {u"Open       \tCtrl+O", u"", u"Longer one",
                                                  u"Exit now   \tAlt+F4"};
    EXPECT_EQ(AlignShortcuts(texts, Monospace), expected);
}

TEST(AlignShortcuts, PadsUntilAtLeastAsWideWithNarrowSpaces) {
    // Letters 8 wide, spaces 3: the widest label and a space is 27, "ab" needs 4 spaces
    // to reach 28, "abc" 1 space to reach 27.
    const auto width = [](std::u16string_view text) {
        int total = 0;
        for (char16_t c : text) {
            total += c == u' ' ? 3 : 8;
        }
        return total;
    };
    const std::vector<std::u16string> texts = {u"ab\tX", u"WWW", u"abc\tY\tZ"};
    const std::vector<std::u16string> expected = {u"ab    \tX", u"WWW", u"abc \tY\tZ"};
    EXPECT_EQ(AlignShortcuts(texts, width), expected);
}

TEST(AlignShortcuts, EndsWhenSpacesHaveNoWidth) {
    const auto spaceless = [](std::u16string_view text) {
        int total = 0;
        for (char16_t c : text) {
            total += c == u' ' ? 0 : 8;
        }
        return total;
    };
    const std::vector<std::u16string> texts = {u"ab\tX", u"WWWW"};
    const auto aligned = AlignShortcuts(texts, spaceless);
    ASSERT_EQ(aligned.size(), 2u);
    EXPECT_EQ(aligned[0], u"ab \tX");
    EXPECT_EQ(aligned[1], u"WWWW");
}

TEST(Mnemonic, IsTheCharacterAfterTheFirstSingleAmpersand) {
    EXPECT_EQ(Mnemonic(u"パラメータ設定（&P）\tCtrl+P"), u'P');
    EXPECT_EQ(Mnemonic(u"Fish && &Chips"), u'C');
    EXPECT_EQ(Mnemonic(u"Save &&Exit"), 0);
    EXPECT_EQ(Mnemonic(u"trailing&"), 0);
    EXPECT_EQ(Mnemonic(u"&One &Two"), u'O');
    EXPECT_EQ(Mnemonic(u""), 0);
}

constexpr unsigned kPopup = 0x10;

TEST(MenuChar, ExecutesTheItemWithTheTypedMnemonicInEitherCase) {
    EXPECT_EQ(MenuCharResult(u'o', kPopup, kFilePopup), 0x00020000u);
    EXPECT_EQ(MenuCharResult(u'O', kPopup, kFilePopup), 0x00020000u);
    EXPECT_EQ(MenuCharResult(u'w', kPopup, kFilePopup), 0x00020003u);
    EXPECT_EQ(MenuCharResult(u'c', kPopup, kFilePopup), 0x00020006u);
    EXPECT_EQ(MenuCharResult(u'X', kPopup, kFilePopup), 0x00020008u);

    const std::vector<std::u16string> showPopup = {
        u"機能選択(&K)\tCtrl+K", u"パラメータ設定（&P）\tCtrl+P", u"メモリスイッチ１(&1)\tCtrl+1"};
    EXPECT_EQ(MenuCharResult(u'p', kPopup, showPopup), 0x00020001u);
    EXPECT_EQ(MenuCharResult(u'1', kPopup, showPopup), 0x00020002u);
}

TEST(MenuChar, LeavesTheKeyToTheSystemWithoutAMatchOrOutsideAPopup) {
    EXPECT_EQ(MenuCharResult(u'z', kPopup, kFilePopup), 0u);
    EXPECT_EQ(MenuCharResult(u'&', kPopup, kFilePopup), 0u);
    EXPECT_EQ(MenuCharResult(0, kPopup, kFilePopup), 0u);
    EXPECT_EQ(MenuCharResult(u'o', 0, kFilePopup), 0u);
    EXPECT_EQ(MenuCharResult(u'o', 0x2000, kFilePopup), 0u); // MF_SYSMENU alone
    EXPECT_EQ(MenuCharResult(u'e', kPopup, {u"Save &&Exit"}), 0u);
    EXPECT_EQ(MenuCharResult(u'o', kPopup, {}), 0u);
}

TEST(MenuChar, TakesTheFirstOfTwoItemsWithTheSameMnemonic) {
    EXPECT_EQ(MenuCharResult(u's', kPopup, {u"&Open", u"&Save", u"&Send"}), 0x00020001u);
}

} // namespace
} // namespace sb
