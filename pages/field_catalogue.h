// The catalogue of every setting the panel shows: under a stable ASCII key, with its page,
// its label and its unit as the dialog templates show them, the values it takes, and the
// record bytes it is written to. Built once, from the page value models' binding tables and
// the templates' texts.
#pragma once

#include "pages/form_values.h"
#include "pages/msw_values.h"
#include "pages/param_values.h"
#include "pages/select_values.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

enum class FieldKind {
    List,   // a drop-down list: one of its entries
    Radio,  // a radio pair: one of its two buttons' texts
    Check,  // a check box: "on" or "off"
    Number, // a number edit: a whole number from lo to hi
};

struct FieldInfo {
    std::string key;   // ASCII: "select.reduction", "msw2-4", "form1.page-length"
    std::string page;  // the tab, or the form dialog's title
    std::string group; // the group box around the control, empty when none
    std::string label; // the control's own text, or its group's for a radio pair
    std::string unit;  // the text after the control, empty when none
    FieldKind kind = FieldKind::List;
    std::vector<std::string> choices; // List, Radio, Check
    int lo = 0;                       // Number
    int hi = 0;
    // The record bytes the field is written to, and the bits of each that are its own: all
    // of them but for a memory switch (the country code has three).
    std::size_t offset = 0;
    std::size_t width = 0;
    std::uint8_t mask = 0xFF;
};

// Every field, page by page as the panel offers them: the function selection page, the five
// forms of its form dialog, the parameter page, the four memory switch pages.
const std::vector<FieldInfo>& RecordFieldList();
std::optional<std::size_t> FindField(std::string_view key);

// How a field reaches its value: a binding of a page model, or an edit of a form.
struct FieldSource {
    std::size_t page = 0; // PageIndex for a binding
    int control = 0;
    int form = -1; // 0-4 for a form field
    int edit = 0;  // FormEdit
};

// The sources of RecordFieldList()'s fields, in its order.
const std::vector<FieldSource>& RecordFieldSources();

// A form field's key: "form" and the form's number, then the edit's own key.
std::string FormFieldKey(int form, int edit);

} // namespace sb
