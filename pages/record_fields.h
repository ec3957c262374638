// Every setting the panel shows, under a stable ASCII key, with its page, its label and its
// value as the panel shows them, and the values it takes. The values go in and out through
// the six page value models and their binding tables, decoded and encoded the way the main
// window does it; what this adds is only what the models do not hold: keys, the labels of the
// dialog templates, and the record bytes each field is written to.
#pragma once

#include "pages/msw_values.h"
#include "pages/param_values.h"
#include "pages/select_values.h"
#include "record/setting_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// A template text as the control shows it: "&X" is an underlined X, "&&" an ampersand, and a
// line break only wraps the text, so it is dropped.
std::string ShownText(std::string_view templateText);

// A text as a message quotes it: in double quotes, and cut short when it is long, since a
// value may be anything a script put there.
std::string QuotedText(std::string_view text);

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

// A byte that loading would change.
struct ByteRepair {
    std::size_t offset;
    std::uint8_t from;
    std::uint8_t to;
    bool operator==(const ByteRepair&) const = default;
};

struct FieldAssignment {
    std::string key;
    std::string value;
};

// A record as the panel holds it once it has loaded it: the pages decoded from the factory
// record first (as at start-up, which matters where a field reads nothing and keeps what it
// showed), then from this record.
class CRecordFields {
public:
    explicit CRecordFields(const SettingRecord& record);

    // What a save or a send would carry now: every page encoded into the decoded record.
    SettingRecord Encoded() const;
    // The bytes of the given record that loading it and saving it again would change.
    std::vector<ByteRepair> Repairs(const SettingRecord& original) const;

    // What each field shows, in RecordFieldList() order.
    std::vector<std::string> Values();

    // Sets the fields by the panel's rules, all of them or, at the first refusal, none: a list
    // takes one of its entries, a radio pair one of its buttons' texts (with or without the
    // trailing mnemonic), a number its range, a form its dialog's OK checks. The refusal names
    // the key and what it takes.
    std::optional<std::string> Apply(std::span<const FieldAssignment> assignments);

private:
    void DecodeAll(SettingRecord& record);
    BindingTable PageBindings(std::size_t page);

    SettingRecord m_record{};
    CSelectValues m_select;
    CParamValues m_param;
    std::array<CMswValues, 4> m_msw{CMswValues(kMswBanks[0]), CMswValues(kMswBanks[1]),
                                    CMswValues(kMswBanks[2]), CMswValues(kMswBanks[3])};
};

} // namespace sb
