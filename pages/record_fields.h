// A record as the panel's fields show it, and the fields set by the panel's rules. The values
// go in and out through the six page value models and their binding tables, decoded and
// encoded the way the main window does it.
#pragma once

#include "pages/field_catalogue.h"
#include "pages/shown_text.h"
#include "record/setting_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sb {

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
