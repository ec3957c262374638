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
        "MSW1-1: 0 country bit",
        "country: 日本",
        "MSW1-4: 0 radio 0",
        "MSW2-1: 0 unchecked",
        "MSW2-2: 1 radio 1",
        "MSW3-1: 0 no control",
        "MSW3-6: 0 no control",
        "MSW3-7: 0 unchecked",
        "MSW4-3: 1 radio 1",
        "MSW4-4: 1 radio 1",
        "MSW4-8: 0 radio 0",
        "font 1: 標準",
        "font 2: 標準",
        "kanji code table: JIS1978年版",
        "byte 22: 00",
        "postcard print mode: 0",
        "sheet guide set position: 0",
        "cut sheet centering: 40",
        "front tractor centering: 36",
        "rear tractor centering: 96",
        "form 0 page length: 66",
        "form 0 load front tractor: 120",
        "form 0 load sheet guide: 46",
        "form 0 load postcard: 54",
        "form 0 cut sheet correction: 0",
        "form 0 front tractor correction: 0",
        "auto position adjust: 9",
        "typeface: 0",
        "reduction: 縮小なし",
        "paper thickness: オート",
        "print pressure: 0",
        "print position: 0",
        "copy strength: 標準",
        "selected form: 書式０",
        "form 1 page length: 66",
        "form 1 left margin: 0",
        "form 1 right margin: 136",
        "byte 124: 00",
        "form 4 load rear tractor: 120",
        "form 4 load sheet feeder: 46",
        "byte 241: 00",
        "auto return time: １５秒",
        "byte 246: 30",
        "intake time: 2",
        "AGA retry time: １０秒",
        "LF pitch front tractor: 0",
        "LF pitch rear tractor: 0",
        "LF pitch sheet guide: 0",
        "LF pitch sheet feeder: 0",
    };
    auto from = text.lines.begin();
    for (const std::string& line : expected) {
        const auto found = std::find(from, text.lines.end(), line);
        ASSERT_NE(found, text.lines.end()) << "missing or out of order: " << line;
        from = found + 1;
    }
    // 32 switches and the country; 9 lines from font 1 to the rear tractor; form 0 (8);
    // 8 selections; forms 1-4 (10 each) with their opaque bytes; 8 lines from byte 243 on.
    EXPECT_EQ(text.lines.size(), 33u + 9u + 8u + 8u + 4u * 11u + 8u);
    // Form 0 has no margins.
    EXPECT_FALSE(HasLine(text.lines, "form 0 left margin: 0"));
}

TEST(RecordText, RenderEndsWithTheRepairsOrSaysThereAreNone) {
    const auto endsWith = [](const std::string& text, const std::string& end) {
        return text.size() >= end.size() &&
               text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    const std::string factory = RenderRecord(FactoryRecord());
    EXPECT_EQ(factory.substr(0, 22), "MSW1-1: 0 country bit\n");
    EXPECT_TRUE(endsWith(factory, "\nLF pitch sheet feeder: 0\nrepairs: none\n")) << factory;

    const std::string repaired = RenderRecord(FactoryWith({{259, '9'}}));
    EXPECT_TRUE(endsWith(repaired, "\nLF pitch sheet feeder: 0\nrepair byte 259: 39 -> 30\n"))
        << repaired;
}

TEST(RecordText, EachSwitchWithAControlChangesExactlyItsOwnLine) {
    const std::vector<std::string> factory = LinesOf(FactoryRecord());
    const std::size_t banks[4] = {4, 7, 10, 13};
    for (int n = 0; n < 4; ++n) {
        for (int k = 1; k <= 8; ++k) {
            // The country bits other than the lowest move the country line too.
            if (n == 0 && (k == 2 || k == 3)) {
                continue;
            }
            const std::size_t byte = banks[n] + (k > 4 ? 1 : 0);
            SettingRecord record = FactoryRecord();
            record[byte] ^= static_cast<std::uint8_t>(1 << ((k - 1) % 4));
            const std::vector<std::string> lines = LinesOf(record);
            const std::string name = "MSW" + std::to_string(n + 1) + "-" + std::to_string(k) + ":";
            const std::vector<std::size_t> changed = ChangedLines(factory, lines);
            ASSERT_EQ(lines.size(), factory.size()) << name;
            ASSERT_EQ(changed.size(), 1u) << name;
            EXPECT_EQ(lines[changed[0]].substr(0, name.size()), name);
        }
    }
}

TEST(RecordText, SwitchLinesGiveTheBitAndWhatThePageShows) {
    const std::vector<std::string> lines =
        LinesOf(FactoryWith({{7, 0x0B}, {10, 0x01}, {11, 0x06}, {14, 0x08}}));
    EXPECT_TRUE(HasLine(lines, "MSW2-1: 1 checked"));
    EXPECT_TRUE(HasLine(lines, "MSW2-2: 1 radio 1"));
    EXPECT_TRUE(HasLine(lines, "MSW2-3: 0 radio 0"));
    EXPECT_TRUE(HasLine(lines, "MSW2-4: 1 radio 1"));
    EXPECT_TRUE(HasLine(lines, "MSW3-1: 1 no control"));
    EXPECT_TRUE(HasLine(lines, "MSW3-6: 1 no control"));
    EXPECT_TRUE(HasLine(lines, "MSW3-7: 1 checked"));
    EXPECT_TRUE(HasLine(lines, "MSW4-8: 1 radio 1"));
}

TEST(RecordText, CountryCodesShowTheirCountryAndUnknownCodesJapan) {
    const std::pair<std::uint8_t, const char*> cases[] = {
        {0x00, "country: 日本"},     {0x01, "country: 日本"},   {0x02, "country: アメリカ"},
        {0x03, "country: イギリス"}, {0x04, "country: ドイツ"}, {0x05, "country: スウェーデン"},
        {0x06, "country: 日本"},     {0x0F, "country: 日本"},
    };
    for (const auto& [byte4, line] : cases) {
        EXPECT_TRUE(HasLine(LinesOf(FactoryWith({{4, byte4}})), line)) << int{byte4};
    }
    const std::vector<std::string> usa = LinesOf(FactoryWith({{4, 0x0A}}));
    EXPECT_TRUE(HasLine(usa, "MSW1-1: 0 country bit"));
    EXPECT_TRUE(HasLine(usa, "MSW1-2: 1 country bit"));
    EXPECT_TRUE(HasLine(usa, "MSW1-4: 1 radio 1"));
}

TEST(RecordText, HighSwitchBitsAreReportedOnlyWhenSet) {
    const std::vector<std::string> factory = LinesOf(FactoryRecord());
    EXPECT_EQ(std::count_if(factory.begin(), factory.end(),
                            [](const std::string& l) { return l.find("high bits") != l.npos; }),
              0);
    const std::vector<std::string> lines = LinesOf(FactoryWith({{7, 0xF2}, {14, 0x10}}));
    EXPECT_TRUE(HasLine(lines, "byte 7 high bits: F2"));
    EXPECT_TRUE(HasLine(lines, "byte 14 high bits: 10"));
    EXPECT_TRUE(HasLine(lines, "MSW2-2: 1 radio 1"));
    EXPECT_EQ(lines.size(), factory.size() + 2);
}

struct FieldCase {
    std::size_t offset;
    std::string bytes;
    const char* line;
};

TEST(RecordText, ParameterAndSelectionFieldsShowTheListTextsAndNumbers) {
    const FieldCase cases[] = {
        {16, "4", "font 1: OCR-B"},
        {18, "2", "font 2: クーリエ"},
        {18, "9", "font 2: 標準"},
        {20, "2", "kanji code table: JIS1990年版"},
        {24, "1", "postcard print mode: 1"},
        {26, "1", "sheet guide set position: 1"},
        {28, "68", "cut sheet centering: 68"},
        {28, "09", "cut sheet centering: 40"},
        {31, "10", "front tractor centering: 10"},
        {34, "126", "rear tractor centering: 126"},
        {34, "127", "rear tractor centering: 96"},
        {67, "24", "auto position adjust: 24"},
        {67, "25", "auto position adjust: 0"},
        {70, "1", "typeface: 1"},
        {72, "5", "reduction: ４／５縮小"},
        {72, "1", "reduction: ２／３縮小"},
        {74, "12", "paper thickness: 12"},
        {74, "13", "paper thickness: オート"},
        {77, "FA", "print pressure: -6"},
        {77, "03", "print pressure: +3"},
        {80, "FD", "print position: -1.3"},
        {80, "03", "print position: +1.3"},
        {83, "2", "copy strength: 複写"},
        {85, "3", "selected form: 書式３"},
        {243, "00", "auto return time: 自動戻り無し"},
        {243, "08", "auto return time: ８秒"},
        {247, "5", "intake time: 5"},
        {247, "6", "intake time: 2"},
        {249, "07", "AGA retry time: 再実行なし"},
        {249, "99", "AGA retry time: １０秒"},
        {252, "FB", "LF pitch front tractor: -5"},
        {255, "05", "LF pitch rear tractor: +5"},
        {258, "FF", "LF pitch sheet guide: -1"},
        {261, "03", "LF pitch sheet feeder: +3"},
    };
    for (const FieldCase& c : cases) {
        SettingRecord record = FactoryRecord();
        std::copy(c.bytes.begin(), c.bytes.end(), record.begin() + c.offset);
        EXPECT_TRUE(HasLine(LinesOf(record), c.line)) << c.line;
    }
}

TEST(RecordText, PairsThatReadNothingShowTheirRawBytes) {
    const std::vector<std::string> lines =
        LinesOf(FactoryWith({{77, 'X'}, {78, '3'}, {80, 0x00}, {252, 'Z'}, {253, '1'}}));
    EXPECT_TRUE(HasLine(lines, "print pressure: (not read: 58 33)"));
    EXPECT_TRUE(HasLine(lines, "print position: (not read: 00 30)"));
    EXPECT_TRUE(HasLine(lines, "LF pitch front tractor: (not read: 5A 31)"));
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
    EXPECT_TRUE(HasLine(lines, "intake time: 2"));
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
        "form 3 page length: 0",           "form 3 left margin: 40",
        "form 3 right margin: 120",        "form 3 load front tractor: 1",
        "form 3 load rear tractor: 2",     "form 3 load sheet guide: 3",
        "form 3 load sheet feeder: 4",     "form 3 load postcard: 170",
        "form 3 cut sheet correction: 12", "form 3 front tractor correction: 68",
        "form 0 page length: -474",        "form 2 page length: 66",
        "form 4 left margin: 0",
    };
    for (const char* line : expected) {
        EXPECT_TRUE(HasLine(lines, line)) << line;
    }
}

TEST(RecordText, RepairsThatDecodingWouldMakeAreListedAndTheCallersRecordIsKept) {
    const SettingRecord broken =
        FactoryWith({{77, '0'}, {78, '7'}, {255, 'F'}, {256, 'A'}, {258, '0'}, {259, '9'}});
    const SettingRecord before = broken;
    const RecordText text = DescribeRecord(broken);
    EXPECT_EQ(broken, before);
    const std::vector<ByteRepair> expected = {
        {78, 0x37, 0x30}, {256, 0x41, 0x47}, {259, 0x39, 0x30}};
    EXPECT_EQ(text.repairs, expected);
    EXPECT_TRUE(HasLine(text.lines, "print pressure: 0"));
    EXPECT_TRUE(HasLine(text.lines, "LF pitch rear tractor: 0"));
    EXPECT_TRUE(HasLine(text.lines, "LF pitch sheet guide: 0"));

    const std::string rendered = RenderRecord(broken);
    EXPECT_NE(rendered.find("repair byte 78: 37 -> 30\nrepair byte 256: 41 -> 47\n"
                            "repair byte 259: 39 -> 30\n"),
              std::string::npos);
    EXPECT_EQ(rendered.find("repairs: none"), std::string::npos);
}

TEST(RecordText, HexBytesAreUpperCaseAndSpaced) {
    const std::uint8_t bytes[] = {0x1C, 0x6F, 0x00, 0xAB};
    EXPECT_EQ(HexBytes(bytes), "1C 6F 00 AB");
    EXPECT_EQ(HexBytes({}), "");
}

} // namespace
} // namespace sb
