#include "pages/msw_values.h"

namespace sb {

namespace {

// Country codes of the combo entries; every other code shows the first entry.
constexpr std::array<int, 5> kCountryCodes = {0, 2, 3, 4, 5};

std::string_view CountryOfCode(int code) {
    for (std::size_t i = 0; i < kCountryCodes.size(); ++i) {
        if (kCountryCodes[i] == code) {
            return kCountryEntries[i];
        }
    }
    return kCountryEntries[0];
}

// The empty text and an unknown one are Japan as well.
int CodeOfCountry(std::string_view text) {
    for (std::size_t i = 0; i < kCountryEntries.size(); ++i) {
        if (kCountryEntries[i] == text) {
            return kCountryCodes[i];
        }
    }
    return 0;
}

} // namespace

CMswValues::CMswValues(const MswBank& bank) : m_bank(bank) {
    for (std::size_t k = 0; k < m_bank.switches.size(); ++k) {
        m_nSwitch[k] = m_bank.switches[k].kind == SwitchKind::Radio ? -1 : 0;
    }
}

void CMswValues::DecodeRecord(const SettingRecord& record) {
    const SwitchBits first = ReadSwitchBits(record[m_bank.offset]);
    const SwitchBits second = ReadSwitchBits(record[m_bank.offset + 1]);
    int countryCode = 0;
    int weight = 1;
    for (std::size_t k = 0; k < m_bank.switches.size(); ++k) {
        const int bit = k < 4 ? first[k] : second[k - 4];
        switch (m_bank.switches[k].kind) {
        case SwitchKind::Radio:
        case SwitchKind::Check:
            m_nSwitch[k] = bit;
            break;
        case SwitchKind::Country:
            countryCode += bit * weight;
            weight *= 2;
            break;
        case SwitchKind::Hidden:
        case SwitchKind::Carried:
            break;
        }
        m_nDecodedBits[k] = m_bank.switches[k].kind == SwitchKind::Hidden ? 0 : bit;
    }
    if (weight > 1) {
        m_strCountry = CountryOfCode(countryCode);
    }
}

void CMswValues::EncodeRecord(SettingRecord& record) const {
    std::array<int, 8> bits = m_nDecodedBits;
    const int countryCode = CodeOfCountry(m_strCountry);
    int weight = 1;
    for (std::size_t k = 0; k < m_bank.switches.size(); ++k) {
        const int value = m_nSwitch[k];
        switch (m_bank.switches[k].kind) {
        case SwitchKind::Radio:
            // A pair with no button checked has no value of its own to give.
            if (value == 0 || value == 1) {
                bits[k] = value;
            }
            break;
        case SwitchKind::Check:
            bits[k] = value != 0 ? 1 : 0;
            break;
        case SwitchKind::Country:
            bits[k] = countryCode / weight % 2;
            weight *= 2;
            break;
        case SwitchKind::Hidden:
            bits[k] = 0;
            break;
        case SwitchKind::Carried:
            break;
        }
    }
    record[m_bank.offset] = MakeSwitchByte({bits[0], bits[1], bits[2], bits[3]});
    record[m_bank.offset + 1] = MakeSwitchByte({bits[4], bits[5], bits[6], bits[7]});
}

BindingTable CMswValues::Bindings() {
    BindingTable table;
    bool countryBound = false;
    for (std::size_t k = 0; k < m_bank.switches.size(); ++k) {
        const SwitchRow& row = m_bank.switches[k];
        switch (row.kind) {
        case SwitchKind::Radio:
            table.push_back({.kind = BindKind::RadioIndex,
                             .id = row.id,
                             .id2 = row.id2,
                             .value = &m_nSwitch[k]});
            break;
        case SwitchKind::Check:
            table.push_back({.kind = BindKind::Check, .id = row.id, .value = &m_nSwitch[k]});
            break;
        case SwitchKind::Country:
            // Three bits, one combo box.
            if (!countryBound) {
                countryBound = true;
                table.push_back({.kind = BindKind::ComboText,
                                 .id = row.id,
                                 .text = &m_strCountry,
                                 .maxChars = 20});
            }
            break;
        case SwitchKind::Hidden:
        case SwitchKind::Carried:
            break;
        }
    }
    return table;
}

std::span<const std::string_view> CMswValues::ComboEntries(int comboId) const {
    for (const SwitchRow& row : m_bank.switches) {
        if (row.kind == SwitchKind::Country && row.id == comboId) {
            return kCountryEntries;
        }
    }
    return {};
}

} // namespace sb
