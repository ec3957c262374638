#include "pages/msw_values.h"
#include "record/factory_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sb {
namespace {

SettingRecord WithBytes(std::size_t offset, std::uint8_t first, std::uint8_t second) {
    SettingRecord record = FactoryRecord();
    record[offset] = first;
    record[offset + 1] = second;
    return record;
}

TEST(MswValues, ConstructedWithNoRadioCheckedAndNoCountry) {
    CMswValues msw1(kMswBanks[0]);
    EXPECT_EQ(msw1.m_strCountry, "");
    EXPECT_EQ(msw1.m_nSwitch[3], -1);
    CMswValues msw2(kMswBanks[1]);
    EXPECT_EQ(msw2.m_nSwitch[0], 0); // check box
    EXPECT_EQ(msw2.m_nSwitch[1], -1);
}

TEST(MswValues, FactoryRecordShowsTheFactorySwitchesAndComesBackUnchanged) {
    SettingRecord record = FactoryRecord();
    std::vector<CMswValues> pages;
    for (const MswBank& bank : kMswBanks) {
        pages.emplace_back(bank).DecodeRecord(record);
    }
    EXPECT_EQ(pages[0].m_strCountry, "日本");
    const std::array<std::array<int, 8>, 4> expected = {{
        {0, 0, 0, 0, 0, 0, 0, 0}, // country bits are not in m_nSwitch
        {0, 1, 0, 0, 0, 0, 0, 0}, // "常時(&A)"
        {0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 1, 1, 0, 0, 0, 0}, // "TOF＋固定長(&P)", "両方向(&2)"
    }};
    for (std::size_t n = 0; n < 4; ++n) {
        EXPECT_EQ(pages[n].m_nSwitch, expected[n]) << "MSW" << n + 1;
    }
    for (const CMswValues& page : pages) {
        page.EncodeRecord(record);
    }
    EXPECT_EQ(record, FactoryRecord());
}

// Each bound control, in exchange order, with the bit it stands for.
struct BoundSwitch {
    BindKind kind;
    int id;
    int id2;
    std::size_t byte;
    std::uint8_t mask;
};

const std::array<std::vector<BoundSwitch>, 4> kBoundSwitches = {{
    {{BindKind::ComboText, 1010, 0, 4, 0},
     {BindKind::RadioIndex, 1017, 1237, 4, 0x08},
     {BindKind::RadioIndex, 1016, 1235, 5, 0x01},
     {BindKind::RadioIndex, 1008, 1012, 5, 0x02},
     {BindKind::RadioIndex, 1011, 1234, 5, 0x04},
     {BindKind::RadioIndex, 1014, 1015, 5, 0x08}},
    {{BindKind::Check, 1016, 0, 7, 0x01},
     {BindKind::RadioIndex, 1017, 1018, 7, 0x02},
     {BindKind::RadioIndex, 1019, 1236, 7, 0x04},
     {BindKind::RadioIndex, 1023, 1009, 7, 0x08},
     {BindKind::RadioIndex, 1020, 1235, 8, 0x01},
     {BindKind::RadioIndex, 1021, 1012, 8, 0x02},
     {BindKind::RadioIndex, 1022, 1234, 8, 0x04},
     {BindKind::RadioIndex, 1024, 1015, 8, 0x08}},
    {{BindKind::RadioIndex, 1032, 1018, 10, 0x02},
     {BindKind::RadioIndex, 1027, 1236, 10, 0x04},
     {BindKind::RadioIndex, 1029, 1009, 10, 0x08},
     {BindKind::RadioIndex, 1028, 1235, 11, 0x01},
     {BindKind::Check, 1026, 0, 11, 0x04},
     {BindKind::RadioIndex, 1030, 1015, 11, 0x08}},
    {{BindKind::RadioIndex, 1031, 1237, 13, 0x01},
     {BindKind::RadioIndex, 1032, 1018, 13, 0x02},
     {BindKind::RadioIndex, 1033, 1236, 13, 0x04},
     {BindKind::RadioIndex, 1034, 1009, 13, 0x08},
     {BindKind::RadioIndex, 1035, 1235, 14, 0x01},
     {BindKind::RadioIndex, 1036, 1012, 14, 0x02},
     {BindKind::RadioIndex, 1037, 1234, 14, 0x04},
     {BindKind::RadioIndex, 1039, 1015, 14, 0x08}},
}};

TEST(MswValues, EveryControlIsBoundInOrderAndDrivesItsOwnBit) {
    for (std::size_t n = 0; n < 4; ++n) {
        SCOPED_TRACE("MSW" + std::to_string(n + 1));
        const std::size_t first = kMswBanks[n].offset;
        CMswValues page(kMswBanks[n]);
        page.DecodeRecord(WithBytes(first, 0, 0));
        const BindingTable table = page.Bindings();
        ASSERT_EQ(table.size(), kBoundSwitches[n].size());
        for (std::size_t i = 0; i < table.size(); ++i) {
            const BoundSwitch& want = kBoundSwitches[n][i];
            SCOPED_TRACE(want.id);
            EXPECT_EQ(table[i].kind, want.kind);
            EXPECT_EQ(table[i].id, want.id);
            EXPECT_EQ(table[i].id2, want.id2);
            if (want.kind == BindKind::ComboText) {
                EXPECT_EQ(table[i].text, &page.m_strCountry);
                EXPECT_EQ(table[i].maxChars, 20);
                continue;
            }
            // Encode: this control alone on gives this bit alone.
            *table[i].value = 1;
            SettingRecord encoded = WithBytes(first, 0, 0);
            page.EncodeRecord(encoded);
            *table[i].value = 0;
            EXPECT_EQ(encoded[first] | encoded[first + 1] << 8,
                      want.byte == first ? want.mask : want.mask << 8);
            // Decode: this bit alone turns this control alone on.
            SettingRecord single = WithBytes(first, 0, 0);
            single[want.byte] = want.mask;
            page.DecodeRecord(single);
            for (std::size_t j = 0; j < table.size(); ++j) {
                if (table[j].value != nullptr) {
                    EXPECT_EQ(*table[j].value, j == i ? 1 : 0) << "control " << table[j].id;
                }
            }
            page.DecodeRecord(WithBytes(first, 0, 0));
        }
    }
}

TEST(MswValues, CountryCodeShowsItsEntryAndUnlistedCodesBecomeJapan) {
    struct Case {
        std::uint8_t byte4;
        std::string shown;
        std::uint8_t encoded;
    };
    const Case cases[] = {
        {0x00, "日本", 0x00},     {0x01, "日本", 0x00},     {0x02, "アメリカ", 0x02},
        {0x03, "イギリス", 0x03}, {0x04, "ドイツ", 0x04},   {0x05, "スウェーデン", 0x05},
        {0x06, "日本", 0x00},     {0x07, "日本", 0x00},     {0x0F, "日本", 0x08},
        {0x0E, "日本", 0x08},     {0x0B, "イギリス", 0x0B}, {0xF3, "イギリス", 0x03},
    };
    for (const Case& c : cases) {
        CMswValues page(kMswBanks[0]);
        SettingRecord record = WithBytes(4, c.byte4, 0);
        page.DecodeRecord(record);
        EXPECT_EQ(page.m_strCountry, c.shown) << int(c.byte4);
        page.EncodeRecord(record);
        EXPECT_EQ(record[4], c.encoded) << int(c.byte4);
    }
}

TEST(MswValues, CountryTextIsMatchedExactly) {
    const std::pair<std::string, std::uint8_t> cases[] = {
        {"日本", 0x00},         {"アメリカ", 0x02}, {"イギリス", 0x03}, {"ドイツ", 0x04},
        {"スウェーデン", 0x05}, {"", 0x00},         {"アメ", 0x00},     {"ドイツ ", 0x00},
    };
    for (const auto& [text, code] : cases) {
        CMswValues page(kMswBanks[0]);
        SettingRecord record = WithBytes(4, 0x07, 0);
        page.DecodeRecord(record);
        page.m_strCountry = text;
        page.EncodeRecord(record);
        EXPECT_EQ(record[4], code) << text;
    }
}

TEST(MswValues, HighBitsAndTheLanAdapterBitAreDroppedAndMsw3Bit6IsCarried) {
    // {bytes in, bytes out} per bank.
    const std::array<std::array<std::uint8_t, 4>, 4> allSet = {{
        {0xFF, 0xFF, 0x08, 0x0F}, // country code 7 is Japan
        {0xFF, 0xFF, 0x0F, 0x0F},
        {0xFF, 0xFF, 0x0E, 0x0F},
        {0xFF, 0xFF, 0x0F, 0x0F},
    }};
    for (std::size_t n = 0; n < 4; ++n) {
        for (const auto& [in1, in2, out1, out2] :
             {allSet[n], std::array<std::uint8_t, 4>{0xF0, 0xF0, 0x00, 0x00}}) {
            CMswValues page(kMswBanks[n]);
            SettingRecord record = WithBytes(kMswBanks[n].offset, in1, in2);
            page.DecodeRecord(record);
            page.EncodeRecord(record);
            EXPECT_EQ(record[kMswBanks[n].offset], out1) << "MSW" << n + 1;
            EXPECT_EQ(record[kMswBanks[n].offset + 1], out2) << "MSW" << n + 1;
        }
    }

    // MSW3-6 has no control: whatever the controls say, it goes out as last decoded.
    CMswValues msw3(kMswBanks[2]);
    msw3.DecodeRecord(WithBytes(10, 0x00, 0x02));
    msw3.m_nSwitch[4] = 1;
    SettingRecord other = WithBytes(10, 0x00, 0x00);
    msw3.EncodeRecord(other);
    EXPECT_EQ(other[11], 0x03);
    msw3.DecodeRecord(WithBytes(10, 0x01, 0x00));
    EXPECT_EQ(msw3.DecodedBits()[0], 0);
    msw3.EncodeRecord(other);
    EXPECT_EQ(other[10], 0x00);
    EXPECT_EQ(other[11], 0x00);
}

TEST(MswValues, RadioPairWithNoButtonCheckedKeepsItsDecodedBit) {
    CMswValues page(kMswBanks[1]);
    SettingRecord record = WithBytes(7, 0x02, 0x08);
    page.DecodeRecord(record);
    page.m_nSwitch[1] = -1;
    page.m_nSwitch[7] = -1;
    page.EncodeRecord(record);
    EXPECT_EQ(record[7], 0x02);
    EXPECT_EQ(record[8], 0x08);

    // Never decoded: nothing to carry, and no bit outside 0-3.
    CMswValues fresh(kMswBanks[3]);
    fresh.EncodeRecord(record);
    EXPECT_EQ(record[13], 0x00);
    EXPECT_EQ(record[14], 0x00);
}

TEST(MswValues, EncodeWritesOnlyItsTwoBytes) {
    for (const MswBank& bank : kMswBanks) {
        CMswValues page(bank);
        page.DecodeRecord(FactoryRecord());
        SettingRecord record;
        record.fill(0xA5);
        page.EncodeRecord(record);
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            if (i != bank.offset && i != bank.offset + 1) {
                EXPECT_EQ(record[i], 0xA5) << "byte " << i;
            }
        }
    }
}

TEST(MswValues, OnlyTheFirstPageHasTheCountryList) {
    CMswValues msw1(kMswBanks[0]);
    const auto entries = msw1.ComboEntries(1010);
    EXPECT_EQ(
        std::vector<std::string_view>(entries.begin(), entries.end()),
        (std::vector<std::string_view>{"日本", "アメリカ", "イギリス", "ドイツ", "スウェーデン"}));
    EXPECT_TRUE(msw1.ComboEntries(1017).empty());
    EXPECT_TRUE(CMswValues(kMswBanks[1]).ComboEntries(1010).empty());
}

} // namespace
} // namespace sb
