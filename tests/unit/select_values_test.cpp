#include "pages/select_values.h"
#include "record/factory_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace sb {
namespace {

SettingRecord With(std::size_t offset, std::string_view bytes) {
    SettingRecord record = FactoryRecord();
    std::copy(bytes.begin(), bytes.end(), record.begin() + offset);
    return record;
}

std::string Bytes(const SettingRecord& record, std::size_t offset, std::size_t count) {
    return std::string(record.begin() + offset, record.begin() + offset + count);
}

CSelectValues Decoded(SettingRecord record) {
    CSelectValues page;
    page.DecodeRecord(record);
    return page;
}

TEST(SelectValues, FactoryRecordDecodesToTheFactoryEntries) {
    SettingRecord record = FactoryRecord();
    CSelectValues page;
    page.DecodeRecord(record);
    EXPECT_EQ(page.m_nSheetGuideSetPos, 0);
    EXPECT_EQ(page.m_strAutoPosAdjust, "9");
    EXPECT_EQ(page.m_nTypeface, 0);
    EXPECT_EQ(page.m_strReduction, "縮小なし");
    EXPECT_EQ(page.m_strPaperThickness, "オート");
    EXPECT_EQ(page.m_strPressure, "0");
    EXPECT_EQ(page.m_strPrintPosition, "0");
    EXPECT_EQ(page.m_strCopyStrength, "標準");
    EXPECT_EQ(page.m_strFormName, "書式０");
    EXPECT_EQ(record, FactoryRecord()) << "decoding the factory record repairs nothing";
}

// The bytes the page writes: its own fields and the five form blocks.
std::set<std::size_t> PageBytes() {
    std::set<std::size_t> owned = {26, 67, 68, 70, 72, 74, 75, 77, 78, 80, 81, 83, 85};
    for (std::size_t form = 0; form < 5; ++form) {
        for (std::size_t i = 0; i < FormBlockSize(int(form)); ++i) {
            owned.insert(off::kFormBlock[form] + i);
        }
    }
    return owned;
}

TEST(SelectValues, FactoryRecordEncodesBackByteForByte) {
    SettingRecord record = FactoryRecord();
    CSelectValues page;
    page.DecodeRecord(record);
    SettingRecord encoded = FactoryRecord();
    for (std::size_t i : PageBytes()) {
        encoded[i] = '#';
    }
    page.EncodeRecord(encoded);
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        EXPECT_EQ(encoded[i], FactoryRecord()[i]) << "byte " << i;
    }
}

struct DecodeCase {
    std::size_t offset;
    std::string bytes;
    std::string CSelectValues::*member;
    std::string shown;
};

TEST(SelectValues, DecodesEachFieldAndFallsBackToItsDefault) {
    const std::vector<DecodeCase> cases = {
        {67, "24", &CSelectValues::m_strAutoPosAdjust, "24"},
        {67, "25", &CSelectValues::m_strAutoPosAdjust, "0"},
        {67, "/9", &CSelectValues::m_strAutoPosAdjust, "0"},
        {67, "A0", &CSelectValues::m_strAutoPosAdjust, "0"},
        {77, "FA", &CSelectValues::m_strPressure, "-6"},
        {77, "FF", &CSelectValues::m_strPressure, "-1"},
        {77, "03", &CSelectValues::m_strPressure, "+3"},
        {77, "01", &CSelectValues::m_strPressure, "+1"},
        {80, "FD", &CSelectValues::m_strPrintPosition, "-1.3"},
        {80, "FE", &CSelectValues::m_strPrintPosition, "-0.8"},
        {80, "FF", &CSelectValues::m_strPrintPosition, "-0.4"},
        {80, "01", &CSelectValues::m_strPrintPosition, "+0.4"},
        {80, "02", &CSelectValues::m_strPrintPosition, "+0.8"},
        {80, "03", &CSelectValues::m_strPrintPosition, "+1.3"},
        {80, "F1", &CSelectValues::m_strPrintPosition, "0"},
        {80, "FA", &CSelectValues::m_strPrintPosition, "0"},
        {80, "FJ", &CSelectValues::m_strPrintPosition, "0"},
        {80, "0/", &CSelectValues::m_strPrintPosition, "0"},
        {80, "04", &CSelectValues::m_strPrintPosition, "0"},
        {74, "13", &CSelectValues::m_strPaperThickness, "オート"},
        {74, "12", &CSelectValues::m_strPaperThickness, "12"},
        {74, "09", &CSelectValues::m_strPaperThickness, "9"},
        {72, "1", &CSelectValues::m_strReduction, "２／３縮小"},
        {72, "5", &CSelectValues::m_strReduction, "４／５縮小"},
        {72, "2", &CSelectValues::m_strReduction, "縮小なし"},
        {83, "1", &CSelectValues::m_strCopyStrength, "厚紙"},
        {83, "2", &CSelectValues::m_strCopyStrength, "複写"},
        {83, "3", &CSelectValues::m_strCopyStrength, "標準"},
        {85, "3", &CSelectValues::m_strFormName, "書式３"},
        {85, "4", &CSelectValues::m_strFormName, "書式４"},
        {85, "5", &CSelectValues::m_strFormName, "書式０"},
        {85, "/", &CSelectValues::m_strFormName, "書式０"},
    };
    for (const DecodeCase& c : cases) {
        const CSelectValues page = Decoded(With(c.offset, c.bytes));
        EXPECT_EQ(page.*c.member, c.shown) << "bytes " << c.offset << " = " << c.bytes;
    }
}

TEST(SelectValues, RadioIndexesDecodeOnlyZeroAndOne) {
    EXPECT_EQ(Decoded(With(26, "1")).m_nSheetGuideSetPos, 1);
    EXPECT_EQ(Decoded(With(26, "2")).m_nSheetGuideSetPos, 0);
    EXPECT_EQ(Decoded(With(70, "1")).m_nTypeface, 1);
    EXPECT_EQ(Decoded(With(70, "/")).m_nTypeface, 0);
}

TEST(SelectValues, PressureRepairsTheRecordItDecodes) {
    struct Case {
        std::string bytes;
        std::string repaired;
    };
    for (const Case& c :
         std::vector<Case>{{"FG", "FG"}, {"FZ", "FG"}, {"F0", "FG"}, {"07", "00"}, {"0F", "00"}}) {
        SettingRecord record = With(77, c.bytes);
        CSelectValues page;
        page.DecodeRecord(record);
        EXPECT_EQ(page.m_strPressure, "0") << c.bytes;
        EXPECT_EQ(Bytes(record, 77, 2), c.repaired) << c.bytes;
        page.EncodeRecord(record);
        EXPECT_EQ(Bytes(record, 77, 2), "00") << c.bytes;
    }
}

TEST(SelectValues, UnknownSignByteKeepsTheShownEntry) {
    CSelectValues page;
    SettingRecord first = With(77, "FC");
    first[80] = 'F';
    first[81] = 'E';
    page.DecodeRecord(first);

    SettingRecord record = With(77, "X3");
    record[80] = '1';
    record[81] = '1';
    page.DecodeRecord(record);
    EXPECT_EQ(page.m_strPressure, "-4");
    EXPECT_EQ(page.m_strPrintPosition, "-0.8");
    EXPECT_EQ(Bytes(record, 77, 2), "X3");
}

TEST(SelectValues, UnknownPrintPositionIsNotRepairedUntilTheNextEncode) {
    SettingRecord record = With(80, "F1");
    CSelectValues page;
    page.DecodeRecord(record);
    EXPECT_EQ(Bytes(record, 80, 2), "F1");
    page.EncodeRecord(record);
    EXPECT_EQ(Bytes(record, 80, 2), "00");
}

TEST(SelectValues, OutOfRangeFieldsEncodeAsTheirDefaults) {
    struct Case {
        std::size_t offset;
        std::string bytes;
        std::string encoded;
    };
    for (const Case& c : std::vector<Case>{
             {67, "25", "00"}, {74, "13", "00"}, {72, "2", "0"}, {83, "7", "0"}, {85, "9", "0"}}) {
        SettingRecord record = With(c.offset, c.bytes);
        Decoded(record).EncodeRecord(record);
        EXPECT_EQ(Bytes(record, c.offset, c.encoded.size()), c.encoded) << c.bytes;
    }
}

TEST(SelectValues, EncodesEveryListEntryToItsCode) {
    struct Case {
        std::string CSelectValues::*member;
        std::string text;
        std::size_t offset;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {&CSelectValues::m_strPressure, "-6", 77, "FA"},
        {&CSelectValues::m_strPressure, "-5", 77, "FB"},
        {&CSelectValues::m_strPressure, "-4", 77, "FC"},
        {&CSelectValues::m_strPressure, "-3", 77, "FD"},
        {&CSelectValues::m_strPressure, "-2", 77, "FE"},
        {&CSelectValues::m_strPressure, "-1", 77, "FF"},
        {&CSelectValues::m_strPressure, "0", 77, "00"},
        {&CSelectValues::m_strPressure, "+1", 77, "01"},
        {&CSelectValues::m_strPressure, "+2", 77, "02"},
        {&CSelectValues::m_strPressure, "+3", 77, "03"},
        {&CSelectValues::m_strPrintPosition, "-1.3", 80, "FD"},
        {&CSelectValues::m_strPrintPosition, "-0.8", 80, "FE"},
        {&CSelectValues::m_strPrintPosition, "-0.4", 80, "FF"},
        {&CSelectValues::m_strPrintPosition, "0", 80, "00"},
        {&CSelectValues::m_strPrintPosition, "+0.4", 80, "01"},
        {&CSelectValues::m_strPrintPosition, "+0.8", 80, "02"},
        {&CSelectValues::m_strPrintPosition, "+1.3", 80, "03"},
        {&CSelectValues::m_strAutoPosAdjust, "0", 67, "00"},
        {&CSelectValues::m_strAutoPosAdjust, "7", 67, "07"},
        {&CSelectValues::m_strAutoPosAdjust, "24", 67, "24"},
        {&CSelectValues::m_strPaperThickness, "オート", 74, "00"},
        {&CSelectValues::m_strPaperThickness, "9", 74, "09"},
        {&CSelectValues::m_strPaperThickness, "10", 74, "10"},
        {&CSelectValues::m_strPaperThickness, "12", 74, "12"},
        {&CSelectValues::m_strReduction, "縮小なし", 72, "0"},
        {&CSelectValues::m_strReduction, "２／３縮小", 72, "1"},
        {&CSelectValues::m_strReduction, "４／５縮小", 72, "5"},
        {&CSelectValues::m_strCopyStrength, "標準", 83, "0"},
        {&CSelectValues::m_strCopyStrength, "厚紙", 83, "1"},
        {&CSelectValues::m_strCopyStrength, "複写", 83, "2"},
        {&CSelectValues::m_strFormName, "書式０", 85, "0"},
        {&CSelectValues::m_strFormName, "書式１", 85, "1"},
        {&CSelectValues::m_strFormName, "書式３", 85, "3"},
        {&CSelectValues::m_strFormName, "書式４", 85, "4"},
    };
    for (const Case& c : cases) {
        SettingRecord record = FactoryRecord();
        CSelectValues page = Decoded(record);
        page.*c.member = c.text;
        page.EncodeRecord(record);
        EXPECT_EQ(Bytes(record, c.offset, c.bytes.size()), c.bytes) << c.text;
    }
}

TEST(SelectValues, UnmatchedPositionAndReductionTextsLeaveTheirBytes) {
    SettingRecord record = With(80, "FE");
    record[72] = '1';
    CSelectValues page = Decoded(FactoryRecord());
    page.m_strPrintPosition = "";
    page.m_strReduction = "縮小";
    page.EncodeRecord(record);
    EXPECT_EQ(Bytes(record, 80, 2), "FE");
    EXPECT_EQ(record[72], '1');
}

TEST(SelectValues, RadioIndexesEncodeAsDigitsAndNoneAsTheFirstButton) {
    SettingRecord record = FactoryRecord();
    CSelectValues page = Decoded(record);
    page.m_nSheetGuideSetPos = 1;
    page.m_nTypeface = 1;
    page.EncodeRecord(record);
    EXPECT_EQ(record[26], '1');
    EXPECT_EQ(record[70], '1');

    CSelectValues unset; // as constructed: no button of either group selected
    unset.EncodeRecord(record);
    EXPECT_EQ(record[26], '0');
    EXPECT_EQ(record[70], '0');
}

TEST(SelectValues, EncodeWritesOnlyThePagesBytes) {
    SettingRecord record = FactoryRecord();
    CSelectValues page = Decoded(record);
    page.m_strAutoPosAdjust = "24";
    page.m_strPaperThickness = "11";
    page.m_strPressure = "-6";
    page.m_strPrintPosition = "+1.3";
    page.m_strReduction = "４／５縮小";
    page.m_nSheetGuideSetPos = 1;
    page.m_nTypeface = 1;
    page.m_strCopyStrength = "複写";
    page.m_strFormName = "書式４";
    SettingRecord other = With(87, "99,999,999,999,999,999,999,999,99,99,");
    page.m_dlgForm.CopyFormFromRecord(1, other);
    page.EncodeRecord(record);

    const std::set<std::size_t> owned = PageBytes();
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (!owned.contains(i)) {
            EXPECT_EQ(record[i], FactoryRecord()[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(Bytes(record, 26, 1), "1");
    EXPECT_EQ(Bytes(record, 67, 19), "24,1,5,11,FA,03,2,4");
    EXPECT_EQ(Bytes(record, 87, 37), "99,999,999,999,999,999,999,999,99,99,");
}

TEST(SelectValues, FormSelectionDrivesByteAndButtonCaption) {
    SettingRecord record = FactoryRecord();
    CSelectValues page = Decoded(record);
    EXPECT_EQ(page.FormButtonCaption(), "書式０の設定(&D)...");
    page.m_strFormName = "書式３";
    page.EncodeRecord(record);
    EXPECT_EQ(record[85], '3');
    EXPECT_EQ(page.FormButtonCaption(), "書式３の設定(&D)...");
}

TEST(SelectValues, DecodeTakesTheFiveFormBlocks) {
    SettingRecord record = FactoryRecord();
    const std::string form0 = "12,001,002,003,004,005,06,07,";
    const std::string form4 = "34,010,120,001,002,003,004,005,06,07,";
    std::copy(form0.begin(), form0.end(), record.begin() + 38);
    std::copy(form4.begin(), form4.end(), record.begin() + 204);
    CSelectValues page;
    page.DecodeRecord(record);
    EXPECT_EQ(std::string(page.m_dlgForm.FormText(0).data()), form0);
    EXPECT_EQ(std::string(page.m_dlgForm.FormText(4).data()), form4);
    EXPECT_EQ(std::string(page.m_dlgForm.FormText(1).data()),
              "66,000,136,120,120,046,046,054,00,00,");
}

TEST(SelectValues, PrepareFormDialogParsesTheSelectedForm) {
    SettingRecord record = With(126, "12,010,100,001,002,003,004,005,06,07,");
    CSelectValues page = Decoded(record);
    page.m_strFormName = "書式２";
    page.PrepareFormDialog();
    EXPECT_EQ(page.m_dlgForm.m_strFormName, "書式２");
    EXPECT_EQ(page.m_dlgForm.m_nPageLength, 12);
    EXPECT_EQ(page.m_dlgForm.m_nLeftMargin, 10);
    EXPECT_EQ(page.m_dlgForm.m_nCutSheetAdjust, 6);

    // A name that is none of the five parses nothing but is still handed on.
    page.m_strFormName = "書式５";
    page.m_dlgForm.m_nPageLength = -1;
    page.PrepareFormDialog();
    EXPECT_EQ(page.m_dlgForm.m_strFormName, "書式５");
    EXPECT_EQ(page.m_dlgForm.m_nPageLength, -1);
}

TEST(SelectValues, FormDialogOkReachesOnlyThatValuesDigitsAtTheNextEncode) {
    SettingRecord record = FactoryRecord();
    CSelectValues page = Decoded(record);
    page.PrepareFormDialog();
    FormEditTexts texts = page.m_dlgForm.EditTexts();
    texts[kEditSheetFeeder] = "60";
    ASSERT_TRUE(page.m_dlgForm.OnOK(texts).accepted);
    page.EncodeRecord(record);
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (i < 53 || i > 55) {
            EXPECT_EQ(record[i], FactoryRecord()[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(Bytes(record, 53, 3), "060");
}

TEST(SelectValues, CombosListTheirEntriesInOrder) {
    const std::vector<std::pair<int, std::vector<std::string>>> expected = {
        {1048, {"0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12",
                "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24"}},
        {1045, {"オート", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
        {1046, {"-6", "-5", "-4", "-3", "-2", "-1", "0", "+1", "+2", "+3"}},
        {1047, {"-1.3", "-0.8", "-0.4", "0", "+0.4", "+0.8", "+1.3"}},
        {1057, {"縮小なし", "２／３縮小", "４／５縮小"}},
        {1058, {"標準", "厚紙", "複写"}},
        {1056, {"書式０", "書式１", "書式２", "書式３", "書式４"}},
    };
    ASSERT_EQ(kSelectCombos.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(kSelectCombos[i].id, expected[i].first);
        const std::vector<std::string> entries(kSelectCombos[i].entries.begin(),
                                               kSelectCombos[i].entries.end());
        EXPECT_EQ(entries, expected[i].second) << "combo " << expected[i].first;
    }
}

// The exchange shows each member in the control it is bound to: every decoded text must be
// an entry of that very combo, and the radio groups pair the right buttons.
TEST(SelectValues, BindingsTieEachControlToItsMemberInTemplateOrder) {
    CSelectValues page;
    const BindingTable table = page.Bindings();
    std::vector<int> ids;
    for (const Binding& b : table) {
        ids.push_back(b.id);
    }
    EXPECT_EQ(ids, (std::vector<int>{1048, 1045, 1046, 1047, 1057, 1043, 1044, 1058, 1056}));

    for (const SettingRecord& record :
         {FactoryRecord(), With(67, "24,1,5,12,FA,FD,2,4"), With(67, "13,0,1,03,03,03,1,2")}) {
        SettingRecord copy = record;
        page.DecodeRecord(copy);
        for (const Binding& b : table) {
            if (b.kind == BindKind::ComboText) {
                const auto combo =
                    std::find_if(kSelectCombos.begin(), kSelectCombos.end(),
                                 [&](const ComboEntries& c) { return c.id == b.id; });
                ASSERT_NE(combo, kSelectCombos.end()) << b.id;
                EXPECT_NE(std::find(combo->entries.begin(), combo->entries.end(), *b.text),
                          combo->entries.end())
                    << "combo " << b.id << " shown " << *b.text;
            }
        }
    }
    SettingRecord gothic = With(67, "00,1,0,00,00,00,0,0");
    page.DecodeRecord(gothic);
    for (const Binding& b : table) {
        if (b.kind == BindKind::RadioIndex) {
            EXPECT_EQ(*b.value, b.id == 1044 ? 1 : 0) << b.id;
        }
    }
    EXPECT_EQ(table[5].id2, 1012);
    EXPECT_EQ(table[6].id2, 1015);
}

TEST(SelectValues, ControlNotificationsMapToTheirActions) {
    for (int id : {1012, 1015, 1043, 1044, 1045, 1046, 1047, 1048, 1057, 1058}) {
        EXPECT_EQ(SelectCommandFor(id), SelectCommand::DataCheck) << id;
    }
    EXPECT_EQ(SelectCommandFor(1056), SelectCommand::FormSelected);
    EXPECT_EQ(SelectCommandFor(1002), SelectCommand::FormSettings);
    EXPECT_EQ(SelectCommandFor(1000), SelectCommand::None);
}

} // namespace
} // namespace sb
