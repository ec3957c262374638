// Value model of the four memory switch pages. A table per bank says how each of its eight
// switches is shown; one class decodes and encodes any bank through its table.
#pragma once

#include "pages/msw_ids.h"
#include "record/setting_record.h"
#include "base/binding.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace sb {

enum class SwitchKind {
    Radio,   // radio pair id, id2: the bit is the index of the checked button
    Check,   // check box id: the bit is its state
    Country, // one bit of the country code, shown by combo box id (weights 1, 2, 4 in order)
    Hidden,  // a control that is never shown or bound: never read, always written 0
    Carried, // no control: written back as last decoded
};

struct SwitchRow {
    SwitchKind kind;
    int id = 0;
    int id2 = 0;
};

struct MswBank {
    std::size_t offset;                // first of the bank's two bytes
    std::array<SwitchRow, 8> switches; // MSWn-k at index k-1
};

inline constexpr std::array<std::string_view, 5> kCountryEntries = {"日本", "アメリカ", "イギリス",
                                                                    "ドイツ", "スウェーデン"};

// MSW1 to MSW4, in that order.
inline constexpr std::array<MswBank, 4> kMswBanks = {{
    {off::kMsw1,
     {{{SwitchKind::Country, IDC_MSW1_COUNTRY},
       {SwitchKind::Country, IDC_MSW1_COUNTRY},
       {SwitchKind::Country, IDC_MSW1_COUNTRY},
       {SwitchKind::Radio, IDC_MSW1_4A, IDC_MSW1_4B},
       {SwitchKind::Radio, IDC_MSW1_5A, IDC_MSW1_5B},
       {SwitchKind::Radio, IDC_MSW1_6A, IDC_MSW1_6B},
       {SwitchKind::Radio, IDC_MSW1_7A, IDC_MSW1_7B},
       {SwitchKind::Radio, IDC_MSW1_8A, IDC_MSW1_8B}}}},
    {off::kMsw2,
     {{{SwitchKind::Check, IDC_MSW2_1},
       {SwitchKind::Radio, IDC_MSW2_2A, IDC_MSW2_2B},
       {SwitchKind::Radio, IDC_MSW2_3A, IDC_MSW2_3B},
       {SwitchKind::Radio, IDC_MSW2_4A, IDC_MSW2_4B},
       {SwitchKind::Radio, IDC_MSW2_5A, IDC_MSW2_5B},
       {SwitchKind::Radio, IDC_MSW2_6A, IDC_MSW2_6B},
       {SwitchKind::Radio, IDC_MSW2_7A, IDC_MSW2_7B},
       {SwitchKind::Radio, IDC_MSW2_8A, IDC_MSW2_8B}}}},
    {off::kMsw3,
     {{{SwitchKind::Hidden, IDC_MSW3_1A, IDC_MSW3_1B}, // LAN adapter
       {SwitchKind::Radio, IDC_MSW3_2A, IDC_MSW3_2B},
       {SwitchKind::Radio, IDC_MSW3_3A, IDC_MSW3_3B},
       {SwitchKind::Radio, IDC_MSW3_4A, IDC_MSW3_4B},
       {SwitchKind::Radio, IDC_MSW3_5A, IDC_MSW3_5B},
       {SwitchKind::Carried},
       {SwitchKind::Check, IDC_MSW3_7},
       {SwitchKind::Radio, IDC_MSW3_8A, IDC_MSW3_8B}}}},
    {off::kMsw4,
     {{{SwitchKind::Radio, IDC_MSW4_1A, IDC_MSW4_1B},
       {SwitchKind::Radio, IDC_MSW4_2A, IDC_MSW4_2B},
       {SwitchKind::Radio, IDC_MSW4_3A, IDC_MSW4_3B},
       {SwitchKind::Radio, IDC_MSW4_4A, IDC_MSW4_4B},
       {SwitchKind::Radio, IDC_MSW4_5A, IDC_MSW4_5B},
       {SwitchKind::Radio, IDC_MSW4_6A, IDC_MSW4_6B},
       {SwitchKind::Radio, IDC_MSW4_7A, IDC_MSW4_7B},
       {SwitchKind::Radio, IDC_MSW4_8A, IDC_MSW4_8B}}}},
}};

class CMswValues {
public:
    explicit CMswValues(const MswBank& bank);

    void DecodeRecord(const SettingRecord& record);
    // Writes the bank's two bytes and no other.
    void EncodeRecord(SettingRecord& record) const;

    // In switch order.
    BindingTable Bindings();
    std::span<const std::string_view> ComboEntries(int comboId) const;

    const std::array<int, 8>& DecodedBits() const { return m_nDecodedBits; }

    // MSWn-k at index k-1: a radio pair's -1 (none checked), 0 or 1, a check box's 0 or 1;
    // unused for the other kinds.
    std::array<int, 8> m_nSwitch{};
    std::string m_strCountry; // at most 20 characters

private:
    const MswBank& m_bank;
    std::array<int, 8> m_nDecodedBits{};
};

} // namespace sb
