#include "record/factory_record.h"
#include "tools/record_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace sb {
namespace {

SettingRecord FactoryWith(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
    SettingRecord record = FactoryRecord();
    for (const auto& [offset, value] : bytes) {
        record[offset] = value;
    }
    return record;
}

std::vector<std::string> LinesOf(const SettingRecord& record) {
    return DescribeRecord(record).lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Indexes of the lines that differ; both lists must be as long.
std::vector<std::size_t> ChangedLines(const std::vector<std::string>& before,
                                      const std::vector<std::string>& after) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) {
            changed.push_back(i);
        }
    }
    return changed;
}

TEST(RecordText, FactoryRecordShowsTheFactoryValuesInRecordOrder) {
    const RecordText text = DescribeRecord(FactoryRecord());
    EXPECT_TRUE(text.repairs.empty());
    // A selection of lines across the whole record, in the order they must come.
    const std::vector<std::string> expected = {
        "msw1-country: 日本",
        "msw1-4: 従来互換(O)",
        "msw2-1: off",
        "msw2-2: 常時(A)",
        "byte 10 bit 0: 0 (no control)",
        "byte 11 bit 1: 0 (no control)",
        "msw3-7: off",
        "msw4-3: TOF＋固定長(P)",
        "msw4-4: 両方向(2)",
        "msw4-8: オート(A)",
        "param.font1: 標準",
        "param.font2: 標準",
        "param.kanji-table: JIS1978年版",
        "byte 22: 00",
        "param.postcard-mode: OFF(N)",
        "select.sheet-guide-position: 左端(L)",
        "param.centering-cut-sheet: 40",
        "param.centering-front-tractor: 36",
        "param.centering-rear-tractor: 96",
        "form0.page-length: 66",
        "form0.load-front-tractor: 120",
        "form0.load-sheet-guide: 46",
        "form0.load-postcard: 54",
        "form0.cut-sheet-correction: 0",
        "form0.front-tractor-correction: 0",
        "select.auto-position-adjust: 9",
        "select.typeface: 明朝体(R)",
        "select.reduction: 縮小なし",
        "select.paper-thickness: オート",
        "select.print-pressure: 0",
        "select.print-position: 0",
        "select.copy-strength: 標準",
        "select.form: 書式０",
        "form1.page-length: 66",
        "form1.left-margin: 0",
        "form1.right-margin: 136",
        "byte 124: 00",
        "form4.load-rear-tractor: 120",
        "form4.load-sheet-feeder: 46",
        "byte 241: 00",
        "param.auto-return-time: １５秒",
        "byte 246: 30",
        "param.intake-time: 2",
        "param.aga-retry-time: １０秒",
        "param.lf-pitch-front-tractor: 0",
        "param.lf-pitch-rear-tractor: 0",
        "param.lf-pitch-sheet-guide: 0",
        "param.lf-pitch-sheet-feeder: 0",
    };
    auto from = text.lines.begin();
    for (const std::string& line : expected) {
        const auto found = std::find(from, text.lines.end(), line);
        ASSERT_NE(found, text.lines.end()) << "missing or out of order: " << line;
        from = found + 1;
    }
    // The country and 27 switches with controls, 2 without; 9 lines from font 1 to the rear
    // tractor; form 0 (8); 8 selections; forms 1-4 (10 each) with their opaque bytes; 8 lines
    // from byte 243 on.
    EXPECT_EQ(text.lines.size(), 28u + 2u + 9u + 8u + 8u + 4u * 11u + 8u);
    // Form 0 has no margins.
    EXPECT_FALSE(HasLine(text.lines, "form0.left-margin: 0"));
}

TEST(RecordText, RenderEndsWithTheRepairsOrSaysThereAreNone) {
    const auto endsWith = [](const std::string& text, const std::string& end) {
        return text.size() >= end.size() &&
               text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    const std::string factory = RenderRecord(FactoryRecord());
    EXPECT_EQ(factory.substr(0, 21), "msw1-country: 日本\n");
    EXPECT_TRUE(endsWith(factory, "\nparam.lf-pitch-sheet-feeder: 0\nrepairs: none\n")) << factory;

    const std::string repaired = RenderRecord(FactoryWith({{259, '9'}}));
    EXPECT_TRUE(endsWith(repaired, "\nparam.lf-pitch-sheet-feeder: 0\nrepair byte 259: 39 -> 30\n"))
        << repaired;
}

TEST(RecordText, EachSwitchChangesExactlyItsOwnLine) {
    const std::vector<std::string> factory = LinesOf(FactoryRecord());
    const std::size_t banks[4] = {4, 7, 10, 13};
    for (int n = 0; n < 4; ++n) {
        // The country's three bits share one line, and code 1 shows Japan like code 0.
        for (int k = n == 0 ? 4 : 1; k <= 8; ++k) {
            const std::size_t byte = banks[n] + (k > 4 ? 1 : 0);
            const int bit = (k - 1) % 4;
            SettingRecord record = FactoryRecord();
            record[byte] ^= static_cast<std::uint8_t>(1 << bit);
            const std::vector<std::string> lines = LinesOf(record);
            const bool noControl = (n == 2 && (k == 1 || k == 6));
            const std::string name =
                noControl ? "byte " + std::to_string(byte) + " bit " + std::to_string(bit) + ":"
                          : "msw" + std::to_string(n + 1) + "-" + std::to_string(k) + ":";
            const std::vector<std::size_t> changed = ChangedLines(factory, lines);
            ASSERT_EQ(lines.size(), factory.size()) << name;
            ASSERT_EQ(changed.size(), 1u) << name;
            EXPECT_EQ(lines[changed[0]].substr(0, name.size()), name);
        }
    }
}

TEST(RecordText, SwitchLinesGiveWhatThePageShows) {
    const std::vector<std::string> lines =
        LinesOf(FactoryWith({{7, 0x0B}, {10, 0x01}, {11, 0x06}, {14, 0x08}}));
    EXPECT_TRUE(HasLine(lines, "msw2-1: on"));
    EXPECT_TRUE(HasLine(lines, "msw2-2: 常時(A)"));
    EXPECT_TRUE(HasLine(lines, "msw2-3: ネイティブモード(N)"));
    EXPECT_TRUE(HasLine(lines, "msw2-4: 有効(Q)"));
    EXPECT_TRUE(HasLine(lines, "byte 10 bit 0: 1 (no control)"));
    EXPECT_TRUE(HasLine(lines, "byte 11 bit 1: 1 (no control)"));
    EXPECT_TRUE(HasLine(lines, "msw3-7: on"));
    EXPECT_TRUE(HasLine(lines, "msw4-8: マニュアル(Z)"));
}

TEST(RecordText, CountryCodesShowTheirCountryAndUnknownCodesJapan) {
    const std::pair<std::uint8_t, const char*> cases[] = {
        {0x00, "msw1-country: 日本"},     {0x01, "msw1-country: 日本"},
        {0x02, "msw1-country: アメリカ"}, {0x03, "msw1-country: イギリス"},
        {0x04, "msw1-country: ドイツ"},   {0x05, "msw1-country: スウェーデン"},
        {0x06, "msw1-country: 日本"},     {0x0F, "msw1-country: 日本"},
    };
    for (const auto& [byte4, line] : cases) {
        EXPECT_TRUE(HasLine(LinesOf(FactoryWith({{4, byte4}})), line)) << int{byte4};
    }
    const std::vector<std::string> usa = LinesOf(FactoryWith({{4, 0x0A}}));
    EXPECT_TRUE(HasLine(usa, "msw1-country: アメリカ"));
    EXPECT_TRUE(HasLine(usa, "msw1-4: 高速受信(K)"));
}

TEST(RecordText, HighSwitchBitsAreReportedOnlyWhenSet) {
    const std::vector<std::string> factory = LinesOf(FactoryRecord());
    EXPECT_EQ(std::count_if(factory.begin(), factory.end(),
                            [](const std::string& l) { return l.find("high bits") != l.npos; }),
              0);
    const std::vector<std::string> lines = LinesOf(FactoryWith({{7, 0xF2}, {14, 0x10}}));
    EXPECT_TRUE(HasLine(lines, "byte 7 high bits: F2"));
    EXPECT_TRUE(HasLine(lines, "byte 14 high bits: 10"));
    EXPECT_TRUE(HasLine(lines, "msw2-2: 常時(A)"));
    EXPECT_EQ(lines.size(), factory.size() + 2);
}

struct FieldCase {
    std::size_t offset;
    std::string bytes;
    const char* line;
};

TEST(RecordText, ParameterAndSelectionFieldsShowTheListTextsAndNumbers) {
    const FieldCase cases[] = {
        {16, "4", "param.font1: OCR-B"},
        {18, "2", "param.font2: クーリエ"},
        {18, "9", "param.font2: 標準"},
        {20, "2", "param.kanji-table: JIS1990年版"},
        {24, "1", "param.postcard-mode: ON(Y)"},
        {26, "1", "select.sheet-guide-position: 自動(E)"},
        {28, "68", "param.centering-cut-sheet: 68"},
        {28, "09", "param.centering-cut-sheet: 40"},
        {31, "10", "param.centering-front-tractor: 10"},
        {34, "126", "param.centering-rear-tractor: 126"},
        {34, "127", "param.centering-rear-tractor: 96"},
        {67, "24", "select.auto-position-adjust: 24"},
        {67, "25", "select.auto-position-adjust: 0"},
        {70, "1", "select.typeface: ゴシック体(G)"},
        {72, "5", "select.reduction: ４／５縮小"},
        {72, "1", "select.reduction: ２／３縮小"},
        {74, "12", "select.paper-thickness: 12"},
        {74, "13", "select.paper-thickness: オート"},
        {77, "FA", "select.print-pressure: -6"},
        {77, "03", "select.print-pressure: +3"},
        {80, "FD", "select.print-position: -1.3"},
        {80, "03", "select.print-position: +1.3"},
        {83, "2", "select.copy-strength: 複写"},
        {85, "3", "select.form: 書式３"},
        {243, "00", "param.auto-return-time: 自動戻り無し"},
        {243, "08", "param.auto-return-time: ８秒"},
        {247, "5", "param.intake-time: 5"},
        {247, "6", "param.intake-time: 2"},
        {249, "07", "param.aga-retry-time: 再実行なし"},
        {249, "99", "param.aga-retry-time: １０秒"},
        {252, "FB", "param.lf-pitch-front-tractor: -5"},
        {255, "05", "param.lf-pitch-rear-tractor: +5"},
        {258, "FF", "param.lf-pitch-sheet-guide: -1"},
        {261, "03", "param.lf-pitch-sheet-feeder: +3"},
    };
    for (const FieldCase& c : cases) {
        SettingRecord record = FactoryRecord();
        std::copy(c.bytes.begin(), c.bytes.end(), record.begin() + c.offset);
        EXPECT_TRUE(HasLine(LinesOf(record), c.line)) << c.line;
    }
}

TEST(RecordText, PairsThatReadNothingShowWhatAFreshPanelShowsAndAreRepaired) {
    const RecordText text =
        DescribeRecord(FactoryWith({{77, 'X'}, {78, '3'}, {252, 'Z'}, {253, '1'}}));
    EXPECT_TRUE(HasLine(text.lines, "select.print-pressure: 0"));
    EXPECT_TRUE(HasLine(text.lines, "param.lf-pitch-front-tractor: 0"));
    const std::vector<ByteRepair> expected = {
        {77, 'X', '0'}, {78, '3', '0'}, {252, 'Z', '0'}, {253, '1', '0'}};
    EXPECT_EQ(text.repairs, expected);
}

TEST(RecordText, OpaqueBytesAndByte246AreShownInHex) {
    const std::vector<std::string> lines = LinesOf(
        FactoryWith({{22, 0xAB}, {124, 0x01}, {163, 0x7F}, {202, 0xFF}, {241, 0x2C}, {246, '7'}}));
    EXPECT_TRUE(HasLine(lines, "byte 22: AB"));
    EXPECT_TRUE(HasLine(lines, "byte 124: 01"));
    EXPECT_TRUE(HasLine(lines, "byte 163: 7F"));
    EXPECT_TRUE(HasLine(lines, "byte 202: FF"));
    EXPECT_TRUE(HasLine(lines, "byte 241: 2C"));
    EXPECT_TRUE(HasLine(lines, "byte 246: 37"));
    EXPECT_TRUE(HasLine(lines, "param.intake-time: 2"));
}

TEST(RecordText, FormFieldsAreParsedFromTheirOwnBlock) {
    SettingRecord record = FactoryRecord();
    // Form 3 (bytes 165-201): page length 00, margins 040 and 120, postcard 170, corrections.
    const std::string form3 = "00,040,120,001,002,003,004,170,12,68,";
    std::copy(form3.begin(), form3.end(), record.begin() + 165);
    // Form 0 (bytes 38-66): a zero byte in the page length parses as -48 per digit place.
    record[38] = 0x00;
    const std::vector<std::string> lines = LinesOf(record);
    const char* expected[] = {
        "form3.page-length: 0",           "form3.left-margin: 40",
        "form3.right-margin: 120",        "form3.load-front-tractor: 1",
        "form3.load-rear-tractor: 2",     "form3.load-sheet-guide: 3",
        "form3.load-sheet-feeder: 4",     "form3.load-postcard: 170",
        "form3.cut-sheet-correction: 12", "form3.front-tractor-correction: 68",
        "form0.page-length: -474",        "form2.page-length: 66",
        "form4.left-margin: 0",
    };
    for (const char* line : expected) {
        EXPECT_TRUE(HasLine(lines, line)) << line;
    }
}

TEST(RecordText, RepairsThatLoadingWouldMakeAreListedAndTheCallersRecordIsKept) {
    const SettingRecord broken =
        FactoryWith({{7, 0x12}, {77, '0'}, {78, '7'}, {255, 'F'}, {256, 'A'}, {259, '9'}});
    const SettingRecord before = broken;
    const RecordText text = DescribeRecord(broken);
    EXPECT_EQ(broken, before);
    // Decoding makes the pairs read as 0, and encoding writes 0 as "00"; the high bits of a
    // switch byte are dropped.
    const std::vector<ByteRepair> expected = {
        {7, 0x12, 0x02}, {78, '7', '0'}, {255, 'F', '0'}, {256, 'A', '0'}, {259, '9', '0'}};
    EXPECT_EQ(text.repairs, expected);
    EXPECT_TRUE(HasLine(text.lines, "select.print-pressure: 0"));
    EXPECT_TRUE(HasLine(text.lines, "param.lf-pitch-rear-tractor: 0"));
    EXPECT_TRUE(HasLine(text.lines, "param.lf-pitch-sheet-guide: 0"));

    const std::string rendered = RenderRecord(broken);
    EXPECT_NE(rendered.find("repair byte 7: 12 -> 02\nrepair byte 78: 37 -> 30\n"
                            "repair byte 255: 46 -> 30\nrepair byte 256: 41 -> 30\n"
                            "repair byte 259: 39 -> 30\n"),
              std::string::npos);
    EXPECT_EQ(rendered.find("repairs: none"), std::string::npos);
}

} // namespace
} // namespace sb
