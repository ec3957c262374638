#include "record/factory_record.h"
#include "record/setting_record.h"
#include "record/settings_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sb {
namespace {

// The factory record, row by row as the printer's documentation prints it.
const std::vector<std::uint8_t> kFactoryRows = {
    0x1C, 0x6F, 0x30, 0x2C, 0x00, 0x00, 0x2C, 0x02, 0x00, 0x2C, 0x00, 0x00, 0x2C, 0x0C, 0x00, 0x2C,
    0x30, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x00, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x34, 0x30, 0x2C, 0x33,
    0x36, 0x2C, 0x30, 0x39, 0x36, 0x2C, 0x36, 0x36, 0x2C, 0x31, 0x32, 0x30, 0x2C, 0x31, 0x32, 0x30,
    0x2C, 0x30, 0x34, 0x36, 0x2C, 0x30, 0x34, 0x36, 0x2C, 0x30, 0x35, 0x34, 0x2C, 0x30, 0x30, 0x2C,
    0x30, 0x30, 0x2C, 0x30, 0x39, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x30, 0x30, 0x2C, 0x30, 0x30, 0x2C,
    0x30, 0x30, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x36, 0x36, 0x2C, 0x30, 0x30, 0x30, 0x2C, 0x31, 0x33,
    0x36, 0x2C, 0x31, 0x32, 0x30, 0x2C, 0x31, 0x32, 0x30, 0x2C, 0x30, 0x34, 0x36, 0x2C, 0x30, 0x34,
    0x36, 0x2C, 0x30, 0x35, 0x34, 0x2C, 0x30, 0x30, 0x2C, 0x30, 0x30, 0x2C, 0x00, 0x2C, 0x36, 0x36,
    0x2C, 0x30, 0x30, 0x30, 0x2C, 0x31, 0x33, 0x36, 0x2C, 0x31, 0x32, 0x30, 0x2C, 0x31, 0x32, 0x30,
    0x2C, 0x30, 0x34, 0x36, 0x2C, 0x30, 0x34, 0x36, 0x2C, 0x30, 0x35, 0x34, 0x2C, 0x30, 0x30, 0x2C,
    0x30, 0x30, 0x2C, 0x00, 0x2C, 0x36, 0x36, 0x2C, 0x30, 0x30, 0x30, 0x2C, 0x31, 0x33, 0x36, 0x2C,
    0x31, 0x32, 0x30, 0x2C, 0x31, 0x32, 0x30, 0x2C, 0x30, 0x34, 0x36, 0x2C, 0x30, 0x34, 0x36, 0x2C,
    0x30, 0x35, 0x34, 0x2C, 0x30, 0x30, 0x2C, 0x30, 0x30, 0x2C, 0x00, 0x2C, 0x36, 0x36, 0x2C, 0x30,
    0x30, 0x30, 0x2C, 0x31, 0x33, 0x36, 0x2C, 0x31, 0x32, 0x30, 0x2C, 0x31, 0x32, 0x30, 0x2C, 0x30,
    0x34, 0x36, 0x2C, 0x30, 0x34, 0x36, 0x2C, 0x30, 0x35, 0x34, 0x2C, 0x30, 0x30, 0x2C, 0x30, 0x30,
    0x2C, 0x00, 0x2C, 0x31, 0x35, 0x2C, 0x30, 0x32, 0x2C, 0x30, 0x32, 0x2C, 0x30, 0x30, 0x2C, 0x30,
    0x30, 0x2C, 0x30, 0x30, 0x2C, 0x30, 0x30, 0x2E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

TEST(FactoryRecord, MatchesThePrintedTableByteForByte) {
    ASSERT_EQ(kFactoryRows.size(), kRecordSize);
    const SettingRecord& record = FactoryRecord();
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        EXPECT_EQ(record[i], kFactoryRows[i]) << "byte " << i;
    }
}

TEST(FactoryRecord, HoldsTheFrameAndTheCommasAtTheirOffsets) {
    const SettingRecord& record = FactoryRecord();
    EXPECT_EQ(record[0], 0x1C);
    EXPECT_EQ(record[1], 'o');
    EXPECT_EQ(record[2], '0');
    EXPECT_EQ(record[263], '.');
    for (std::size_t i = 264; i < kRecordSize; ++i) {
        EXPECT_EQ(record[i], 0) << "byte " << i;
    }
    for (std::size_t form = 0; form < 5; ++form) {
        const std::size_t end = off::kFormBlock[form] + FormBlockSize(static_cast<int>(form)) - 1;
        EXPECT_EQ(record[end], ',') << "form " << form;
    }
}

SettingRecord Blank() {
    SettingRecord record{};
    record.fill('?');
    return record;
}

TEST(DigitField, ReadsByPlainArithmeticWithoutTestingForDigits) {
    SettingRecord record = Blank();
    record[10] = '4';
    record[11] = '0';
    EXPECT_EQ(ReadDigits(record, 10, 2), 40);
    record[10] = '0';
    record[11] = '9';
    record[12] = '6';
    EXPECT_EQ(ReadDigits(record, 10, 3), 96);
    EXPECT_EQ(ReadDigits(record, 12, 1), 6);
    // Not digits: the arithmetic still runs, giving values the pages treat as out of range.
    record[10] = 0x00;
    record[11] = '5';
    EXPECT_EQ(ReadDigits(record, 10, 2), -480 + 5);
    record[10] = 'A';
    record[11] = '0';
    EXPECT_EQ(ReadDigits(record, 10, 2), 170);
}

TEST(DigitField, WritesZeroFilledToItsWidthAndNothingElse) {
    SettingRecord record = Blank();
    WriteDigits(record, 20, 2, 9);
    EXPECT_EQ(record[20], '0');
    EXPECT_EQ(record[21], '9');
    WriteDigits(record, 20, 3, 96);
    EXPECT_EQ(std::string(record.begin() + 20, record.begin() + 23), "096");
    WriteDigits(record, 20, 3, 126);
    EXPECT_EQ(std::string(record.begin() + 20, record.begin() + 23), "126");
    WriteDigits(record, 30, 1, 5);
    EXPECT_EQ(record[30], '5');
    EXPECT_EQ(record[19], '?');
    EXPECT_EQ(record[23], '?');
    EXPECT_EQ(record[29], '?');
    EXPECT_EQ(record[31], '?');
}

TEST(SignedPair, ReadsBothSignsAndNothingForAnotherFirstCharacter) {
    SettingRecord record = Blank();
    const auto read = [&](char a, char b) {
        record[40] = static_cast<std::uint8_t>(a);
        record[41] = static_cast<std::uint8_t>(b);
        return ReadSignedPair(record, 40);
    };
    EXPECT_EQ(read('0', '0'), 0);
    EXPECT_EQ(read('0', '5'), 5);
    EXPECT_EQ(read('F', 'F'), -1);
    EXPECT_EQ(read('F', 'A'), -6);
    EXPECT_EQ(read('F', 'B'), -5);
    EXPECT_EQ(read('F', 'G'), 0);
    EXPECT_EQ(read('X', '3'), std::nullopt);
    EXPECT_EQ(read('f', 'f'), std::nullopt);
}

TEST(SignedPair, WritesTwoUpperCaseHexDigitsOfTheTwosComplement) {
    SettingRecord record = Blank();
    const auto written = [&](int value) {
        WriteSignedPair(record, 40, value);
        return std::string(record.begin() + 40, record.begin() + 42);
    };
    EXPECT_EQ(written(-5), "FB");
    EXPECT_EQ(written(5), "05");
    EXPECT_EQ(written(0), "00");
    EXPECT_EQ(written(-1), "FF");
    EXPECT_EQ(written(-6), "FA");
    EXPECT_EQ(written(3), "03");
    EXPECT_EQ(record[39], '?');
    EXPECT_EQ(record[42], '?');
}

TEST(SignedPair, RepairRewritesOnlyASecondCharacterOutsideTheAllowedSet) {
    struct Case {
        const char* before;
        const char* after;
    };
    // Allowed: '0'..'5' after '0', 'B'..'F' after 'F'.
    const Case cases[] = {{"09", "00"}, {"05", "05"}, {"00", "00"}, {"0A", "00"},
                          {"FA", "FG"}, {"FB", "FB"}, {"FF", "FF"}, {"FZ", "FG"},
                          {"FG", "FG"}, {"X3", "X3"}, {"F0", "FG"}};
    for (const Case& c : cases) {
        SettingRecord record = Blank();
        record[40] = static_cast<std::uint8_t>(c.before[0]);
        record[41] = static_cast<std::uint8_t>(c.before[1]);
        RepairSignedPair(record, 40, '5', 'B');
        EXPECT_EQ(std::string(record.begin() + 40, record.begin() + 42), c.after) << c.before;
        EXPECT_EQ(record[42], '?');
    }
}

TEST(SwitchByte, KeepsBitsZeroToThreeAndDropsTheRest) {
    EXPECT_EQ(ReadSwitchBits(0x0C), (SwitchBits{0, 0, 1, 1}));
    EXPECT_EQ(ReadSwitchBits(0xF1), (SwitchBits{1, 0, 0, 0}));
    EXPECT_EQ(MakeSwitchByte({0, 1, 0, 0}), 0x02);
    EXPECT_EQ(MakeSwitchByte({1, 1, 1, 1}), 0x0F);
    EXPECT_EQ(MakeSwitchByte(ReadSwitchBits(0xFF)), 0x0F);
}

TEST(HexBytes, AreUpperCaseAndSpaced) {
    const std::uint8_t bytes[] = {0x1C, 0x6F, 0x00, 0xAB};
    EXPECT_EQ(HexBytes(bytes), "1C 6F 00 AB");
    EXPECT_EQ(HexBytes({}), "");
}

// A page that logs its calls and owns one byte of the record.
class LoggingPage : public IRecordPage {
public:
    LoggingPage(std::string name, std::size_t offset, std::vector<std::string>& log)
        : m_name(std::move(name)), m_offset(offset), m_log(log) {}
    void DecodeRecord(SettingRecord& record) override {
        m_log.push_back("decode " + m_name);
        m_shown = record[m_offset];
    }
    void EncodeRecord(SettingRecord& record) override {
        m_log.push_back("encode " + m_name);
        record[m_offset] = m_shown;
    }
    std::uint8_t m_shown = 0;

private:
    std::string m_name;
    std::size_t m_offset;
    std::vector<std::string>& m_log;
};

class RecordingView : public SettingsView {
public:
    explicit RecordingView(std::vector<std::string>& log) : m_log(log) {}
    void EnableSendCommand(bool enable) override {
        m_log.push_back(enable ? "enable send" : "disable send");
    }
    void ShowTab(int tab) override { m_log.push_back("show tab " + std::to_string(tab)); }
    void RefreshFormButtonCaption() override { m_log.push_back("refresh caption"); }

private:
    std::vector<std::string>& m_log;
};

class RecordingPrompter : public Prompter {
public:
    explicit RecordingPrompter(std::vector<std::string>& log) : m_log(log) {}
    Answer ShowMessage(std::string_view text, std::string_view caption, unsigned style) override {
        m_log.push_back("box [" + std::string(caption) + "] " + std::string(text) + " " +
                        std::to_string(style));
        return Answer::Ok;
    }

private:
    std::vector<std::string>& m_log;
};

class SettingsStateTest : public ::testing::Test {
protected:
    std::vector<std::string> log;
    LoggingPage select{"select", off::kReduction, log};
    LoggingPage param{"param", off::kFont1, log};
    LoggingPage msw1{"msw1", off::kMsw1, log};
    LoggingPage msw2{"msw2", off::kMsw2, log};
    LoggingPage msw3{"msw3", off::kMsw3, log};
    LoggingPage msw4{"msw4", off::kMsw4, log};
    RecordingView view{log};
    RecordingPrompter prompter{log};
    bool startupDone = false;
    CSettingsState state{
        {&select, &param, &msw1, &msw2, &msw3, &msw4}, view, prompter, startupDone};
};

TEST_F(SettingsStateTest, VisitsThePagesInTheFixedOrder) {
    state.InitCopies();
    state.DecodeAllPages();
    state.EncodeAllPages();
    EXPECT_EQ(log, (std::vector<std::string>{"decode select", "decode param", "decode msw1",
                                             "decode msw2", "decode msw3", "decode msw4",
                                             "encode select", "encode param", "encode msw1",
                                             "encode msw2", "encode msw3", "encode msw4"}));
}

TEST_F(SettingsStateTest, StartsWithThreeFactoryCopiesThatCompareEqual) {
    state.InitCopies();
    EXPECT_EQ(state.Current(), FactoryRecord());
    EXPECT_EQ(state.Saved(), FactoryRecord());
    EXPECT_EQ(state.Sent(), FactoryRecord());
    EXPECT_FALSE(state.IsUnsent());
    EXPECT_FALSE(state.IsUnsaved());
}

TEST_F(SettingsStateTest, DataCheckDuringStartUpEncodesNothingButEnablesSending) {
    state.InitCopies();
    msw2.m_shown = 0x0F;
    state.OnDataCheck();
    EXPECT_EQ(log, (std::vector<std::string>{"enable send"}));
    EXPECT_EQ(state.Current(), FactoryRecord());
}

TEST_F(SettingsStateTest, DataCheckAfterStartUpEncodesAndNeverCompares) {
    state.InitCopies();
    state.DecodeAllPages();
    startupDone = true;
    msw2.m_shown = 0x03;
    state.OnDataCheck();
    EXPECT_EQ(state.Current()[off::kMsw2], 0x03);
    EXPECT_TRUE(state.IsUnsent());
    EXPECT_TRUE(state.IsUnsaved());

    // Changed back: sending stays available, but nothing differs any more.
    msw2.m_shown = 0x02;
    log.clear();
    state.OnDataCheck();
    EXPECT_EQ(log.back(), "enable send");
    EXPECT_FALSE(state.IsUnsent());
    EXPECT_FALSE(state.IsUnsaved());
}

TEST_F(SettingsStateTest, DifferenceTestsCoverEveryByteIncludingTheTail) {
    state.InitCopies();
    state.Current()[269] = 1;
    EXPECT_TRUE(state.IsUnsent());
    EXPECT_TRUE(state.IsUnsaved());
    state.MarkSent();
    EXPECT_FALSE(state.IsUnsent());
    EXPECT_TRUE(state.IsUnsaved());
    state.MarkSaved();
    EXPECT_FALSE(state.IsUnsaved());
    state.Current()[0] = 0;
    EXPECT_TRUE(state.IsUnsent());
}

TEST_F(SettingsStateTest, FactoryResetShowsTabZeroTellsTheUserAndLeavesSavedAndSentAlone) {
    state.InitCopies();
    startupDone = true;
    state.Current()[off::kMsw1] = 0x05;
    state.MarkSaved();
    state.MarkSent();
    log.clear();

    state.ApplyFactorySettings();

    EXPECT_EQ(state.Current(), FactoryRecord());
    EXPECT_EQ(state.Saved()[off::kMsw1], 0x05);
    EXPECT_EQ(state.Sent()[off::kMsw1], 0x05);
    EXPECT_TRUE(state.IsUnsent());
    EXPECT_TRUE(state.IsUnsaved());
    const std::vector<std::string> expected = {
        "decode select", "decode param",
        "decode msw1",   "decode msw2",
        "decode msw3",   "decode msw4",
        "show tab 0",    "box [Switchboard] 工場出荷設定値を表示しました。 64",
        "encode select", "encode param",
        "encode msw1",   "encode msw2",
        "encode msw3",   "encode msw4",
        "enable send",   "refresh caption"};
    EXPECT_EQ(log, expected);
}

} // namespace
} // namespace sb
