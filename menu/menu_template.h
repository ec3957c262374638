// The reader of standard RT_MENU templates: the tree of items the menu is built from.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sb {

// Item flags as the template and the menu functions spell them.
inline constexpr std::uint16_t kMfGrayed = 0x0001;
inline constexpr std::uint16_t kMfPopup = 0x0010;
inline constexpr std::uint16_t kMfEnd = 0x0080;
inline constexpr std::uint16_t kMfOwnerDraw = 0x0100;
inline constexpr std::uint16_t kMfSeparator = 0x0800;

struct MenuTemplateItem {
    std::uint16_t flags = 0; // as in the template, without MF_END
    std::uint16_t id = 0;    // 0 for a popup, which has no id word
    std::u16string text;
    std::vector<MenuTemplateItem> items; // a popup's items

    bool IsPopup() const { return (flags & kMfPopup) != 0; }
    bool operator==(const MenuTemplateItem&) const = default;
};

// The top-level items of a standard (version 0) template, or nothing when the data is not
// one: another version, or a template that ends before its last level is closed.
std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(std::span<const std::uint8_t> data);

} // namespace sb
