// Value model of the four memory switch pages. A table per bank says how each of its eight
// switches is shown; one class decodes and encodes any bank through its table.
#pragma once

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

inline constexpr int kCountryCombo = 1010;
inline constexpr std::array<std::string_view, 5> kCountryEntries = {"日本", "アメリカ", "イギリス",
                                                                    "ドイツ", "スウェーデン"};

// MSW1 to MSW4, in that order.
inline constexpr std::array<MswBank, 4> kMswBanks = {{
    {off::kMsw1,
     {{{SwitchKind::Country, kCountryCombo},
       {SwitchKind::Country, kCountryCombo},
       {SwitchKind::Country, kCountryCombo},
       {SwitchKind::Radio, 1017, 1237},
       {SwitchKind::Radio, 1016, 1235},
       {SwitchKind::Radio, 1008, 1012},
       {SwitchKind::Radio, 1011, 1234},
       {SwitchKind::Radio, 1014, 1015}}}},
    {off::kMsw2,
     {{{SwitchKind::Check, 1016},
       {SwitchKind::Radio, 1017, 1018},
       {SwitchKind::Radio, 1019, 1236},
       {SwitchKind::Radio, 1023, 1009},
       {SwitchKind::Radio, 1020, 1235},
       {SwitchKind::Radio, 1021, 1012},
       {SwitchKind::Radio, 1022, 1234},
       {SwitchKind::Radio, 1024, 1015}}}},
    {off::kMsw3,
     {{{SwitchKind::Hidden, 1031, 1237}, // LAN adapter
       {SwitchKind::Radio, 1032, 1018},
       {SwitchKind::Radio, 1027, 1236},
       {SwitchKind::Radio, 1029, 1009},
       {SwitchKind::Radio, 1028, 1235},
       {SwitchKind::Carried},
       {SwitchKind::Check, 1026},
       {SwitchKind::Radio, 1030, 1015}}}},
    {off::kMsw4,
     {{{SwitchKind::Radio, 1031, 1237},
       {SwitchKind::Radio, 1032, 1018},
       {SwitchKind::Radio, 1033, 1236},
       {SwitchKind::Radio, 1034, 1009},
       {SwitchKind::Radio, 1035, 1235},
       {SwitchKind::Radio, 1036, 1012},
       {SwitchKind::Radio, 1037, 1234},
       {SwitchKind::Radio, 1039, 1015}}}},
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
