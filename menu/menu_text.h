// Rules on the texts of menu items: the accelerator column after the tab, the padding that
// lines the accelerator texts up, and the mnemonic search for keys typed in an open popup.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

struct ItemTextParts {
    std::u16string_view left;  // before the first tab: the label
    std::u16string_view right; // after the last tab: the accelerator text; empty without a tab
    bool hasTab = false;
};

ItemTextParts SplitItemText(std::u16string_view text);

// Pads the label of every text that has a tab with spaces until it is as wide as the widest
// label followed by one space, as `width` measures them; other texts stay as they are.
std::vector<std::u16string> AlignShortcuts(const std::vector<std::u16string>& texts,
                                           const std::function<int(std::u16string_view)>& width);

// The mnemonic of a text: the character after its first single '&' ("&&" is a literal
// ampersand), or 0 if it has none.
char16_t Mnemonic(std::u16string_view text);

// The WM_MENUCHAR answer for `key` typed in a menu with `texts` in position order:
// MAKELRESULT(position, MNC_EXECUTE) for the first item whose mnemonic is the key, or 0
// (left to the system) without a match or when `menuFlags` do not say the menu is a popup.
// Letters match regardless of case; only ASCII letters are folded, which covers every
// mnemonic the program's menus use.
std::uint32_t MenuCharResult(char16_t key, unsigned menuFlags,
                             const std::vector<std::u16string>& texts);

} // namespace sb
