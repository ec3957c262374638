// How a page's members are tied to its controls: one table row per control, walked in
// either direction by the Win32 page's exchange. Portable, so the value models declare their
// own tables and the views stay generic.
#pragma once

#include <string>
#include <vector>

namespace sb {

enum class BindKind {
    ComboText,  // drop-down list: the selected entry's text; shown by selecting the first
                // entry that begins with the text (an unmatched text keeps the selection)
    RadioIndex, // two radio buttons id, id2: 0 first checked, 1 second, -1 none
    Check,      // check box: 0 or 1
    IntEdit,    // number edit: decimal text; a non-integer text is refused when read
    IntRange,   // number edit that is also refused outside lo..hi when read
};

struct Binding {
    BindKind kind;
    int id;
    int id2 = 0;                 // second radio button
    std::string* text = nullptr; // ComboText
    int* value = nullptr;        // RadioIndex, Check, IntEdit, IntRange
    int maxChars = 0;            // ComboText: longest text kept, 0 for no limit
    int lo = 0;                  // IntRange bounds
    int hi = 0;
};

using BindingTable = std::vector<Binding>;

// The row of a control (a radio pair's by its first button), or null.
inline const Binding* FindBinding(const BindingTable& table, int id) {
    for (const Binding& row : table) {
        if (row.id == id) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace sb
