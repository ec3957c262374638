#include "menu/menu_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace sb {
namespace {

const std::vector<std::uint8_t> kMenu142 = {
#include "menu_142_template.inc"
};

// Builds templates word by word, little-endian.
class TemplateBytes {
public:
    TemplateBytes& Word(std::uint16_t word) {
        m_bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(word >> 8));
        return *this;
    }
    TemplateBytes& Header() { return Word(0).Word(0); }
    TemplateBytes& Text(std::u16string_view text) {
        for (char16_t unit : text) {
            Word(unit);
        }
        return Word(0);
    }
    TemplateBytes& Item(std::uint16_t flags, std::uint16_t id, std::u16string_view text) {
        return Word(flags).Word(id).Text(text);
    }
    TemplateBytes& Popup(std::uint16_t flags, std::u16string_view text) {
        return Word(flags | 0x10).Text(text);
    }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

MenuTemplateItem Command(std::uint16_t id, std::u16string text, std::uint16_t flags = 0) {
    return {flags, id, std::move(text), {}};
}

MenuTemplateItem Popup(std::u16string text, std::vector<MenuTemplateItem> items) {
    return {0x10, 0, std::move(text), std::move(items)};
}

MenuTemplateItem Separator() {
    return {0, 0, u"", {}};
}

TEST(MenuTemplate, ReadsThePanelMenuAsTheResourceCompilerWritesIt) {
    const auto menu = ParseMenuTemplate(kMenu142);
    ASSERT_TRUE(menu.has_value());
    const std::vector<MenuTemplateItem> expected = {
        Popup(u"ファイル(&F)",
              {
                  Command(32781, u"設定ファイルの読み込み(&O)...\tCtrl+O"),
                  Command(32782, u"設定ファイルへの書き込み(&S)...\tCtrl+S"),
                  Separator(),
                  Command(32784, u"設定値をプリンタへ送信(&W)\tCtrl+W"),
                  Command(32785, u"工場出荷設定を表示(&I)\tCtrl+I"),
                  Separator(),
                  Command(32798, u"プリンタの選択(&C)...\tCtrl+C"),
                  Separator(),
                  Command(32783, u"終了(&X)\tAlt+F4"),
              }),
        Popup(u"メニュー(&M)",
              {
                  Command(32771, u"機能選択(&K)\tCtrl+K"),
                  Command(32801, u"パラメータ設定（&P）\tCtrl+P"),
                  Command(32773, u"メモリスイッチ１(&1)\tCtrl+1"),
                  Command(32778, u"メモリスイッチ２(&2)\tCtrl+2"),
                  Command(32779, u"メモリスイッチ３(&3)\tCtrl+3"),
                  Command(32780, u"メモリスイッチ４(&4)\tCtrl+4"),
              }),
        Popup(u"ヘルプ(&H)",
              {
                  Command(32806, u"ヘルプ目次(&H)\tF1"),
                  Separator(),
                  Command(16, u"バージョン情報(&A)..."),
              }),
    };
    EXPECT_EQ(*menu, expected);
}

TEST(MenuTemplate, EveryShortenedPanelMenuIsRefused) {
    for (std::size_t size = 0; size < kMenu142.size(); ++size) {
        const std::span<const std::uint8_t> cut(kMenu142.data(), size);
        EXPECT_FALSE(ParseMenuTemplate(cut).has_value()) << "cut at " << size;
    }
}

TEST(MenuTemplate, SeveralEndsInARowCloseEveryFinishedLevel) {
    // A { a1, B { C { c1 } } }, then x at the top: c1 ends C, B and A at once.
    TemplateBytes bytes;
    bytes.Header()
        .Popup(0, u"A")
        .Item(0, 1, u"a1")
        .Popup(0x80, u"B")
        .Popup(0x80, u"C")
        .Item(0x80, 2, u"c1")
        .Item(0x80, 3, u"x");
    const auto menu = ParseMenuTemplate(bytes.Bytes());
    ASSERT_TRUE(menu.has_value());
    const std::vector<MenuTemplateItem> expected = {
        Popup(u"A", {Command(1, u"a1"), Popup(u"B", {Popup(u"C", {Command(2, u"c1")})})}),
        Command(3, u"x"),
    };
    EXPECT_EQ(*menu, expected);
}

TEST(MenuTemplate, ALevelStaysOpenAfterAPopupThatIsNotItsLast) {
    // P { p1 } is not the last item of the top level, so q follows it there.
    TemplateBytes bytes;
    bytes.Header()
        .Popup(0, u"P")
        .Item(0x80, 1, u"p1")
        .Popup(0x80, u"Q")
        .Item(0, 2, u"q1")
        .Item(0x80, 3, u"q2");
    const auto menu = ParseMenuTemplate(bytes.Bytes());
    ASSERT_TRUE(menu.has_value());
    const std::vector<MenuTemplateItem> expected = {
        Popup(u"P", {Command(1, u"p1")}),
        Popup(u"Q", {Command(2, u"q1"), Command(3, u"q2")}),
    };
    EXPECT_EQ(*menu, expected);
}

TEST(MenuTemplate, KeepsItemFlagsButDropsTheEndMark) {
    TemplateBytes bytes;
    bytes.Header().Item(0x0001 | 0x0008, 7, u"grey").Item(0x80 | 0x0001, 8, u"last");
    const auto menu = ParseMenuTemplate(bytes.Bytes());
    ASSERT_TRUE(menu.has_value());
    ASSERT_EQ(menu->size(), 2u);
    EXPECT_EQ((*menu)[0].flags, 0x0009);
    EXPECT_EQ((*menu)[1].flags, 0x0001);
    EXPECT_FALSE((*menu)[1].IsPopup());
}

TEST(MenuTemplate, SkipsTheHeaderItsSizeWordAnnounces) {
    TemplateBytes bytes;
    bytes.Word(0).Word(4).Word(0xAAAA).Word(0xBBBB).Item(0x80, 5, u"only");
    const auto menu = ParseMenuTemplate(bytes.Bytes());
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(*menu, std::vector<MenuTemplateItem>{Command(5, u"only")});
}

TEST(MenuTemplate, StopsAtTheLastEndAndIgnoresWhatFollows) {
    TemplateBytes bytes;
    bytes.Header().Item(0x80, 5, u"only").Item(0x80, 6, u"after");
    const auto menu = ParseMenuTemplate(bytes.Bytes());
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(*menu, std::vector<MenuTemplateItem>{Command(5, u"only")});
}

TEST(MenuTemplate, RefusesWhatIsNotACompleteStandardTemplate) {
    TemplateBytes extended;
    extended.Word(1).Word(0).Item(0x80, 5, u"only");
    EXPECT_FALSE(ParseMenuTemplate(extended.Bytes()).has_value());

    TemplateBytes headerPastEnd;
    headerPastEnd.Word(0).Word(40).Item(0x80, 5, u"only");
    EXPECT_FALSE(ParseMenuTemplate(headerPastEnd.Bytes()).has_value());

    TemplateBytes noItems;
    noItems.Header();
    EXPECT_FALSE(ParseMenuTemplate(noItems.Bytes()).has_value());

    TemplateBytes popupWithoutEnd;
    popupWithoutEnd.Header().Popup(0x80, u"P").Item(0, 1, u"p1");
    EXPECT_FALSE(ParseMenuTemplate(popupWithoutEnd.Bytes()).has_value());

    // A text whose terminating zero is cut in half.
    TemplateBytes oddEnd;
    oddEnd.Header().Word(0x80).Word(5).Word(u'a');
    std::vector<std::uint8_t> odd = oddEnd.Bytes();
    odd.push_back(0);
    EXPECT_FALSE(ParseMenuTemplate(odd).has_value());
}

} // namespace
} // namespace sb
