#include "printer/send.h"

#include "fake_spooler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sb {
namespace {

using test::FakeSpooler;
using Calls = std::vector<std::string>;

const OsVersionInfo kNt{2, 10, 0};
const OsVersionInfo kOlderFamily{1, 4, 10};

SettingRecord PatternRecord() {
    SettingRecord record{};
    for (std::size_t i = 0; i < record.size(); ++i) {
        record[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    return record;
}

class SendTest : public ::testing::Test {
protected:
    void SetUp() override { spooler.AddLocal("Q1", "VYR Quillstrike 480ZQ9", "LPT1:"); }

    FakeSpooler spooler;
    SettingRecord record = PatternRecord();
};

TEST_F(SendTest, NtWritesTheWholeRecordOnceAsOneNamedDocument) {
    EXPECT_TRUE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=8", "StartDoc Q1", "Reset Q1", "Write Q1 270",
                                    "EndDoc Q1", "Close Q1"}));
    ASSERT_EQ(spooler.writes.size(), 1u);
    EXPECT_EQ(spooler.writes[0], std::vector<std::uint8_t>(record.begin(), record.end()));
    ASSERT_EQ(spooler.docs.size(), 1u);
    EXPECT_EQ(spooler.docs[0].docName, "Switchboard Status Write");
    EXPECT_FALSE(spooler.docs[0].outputFile.has_value());
    EXPECT_FALSE(spooler.docs[0].datatype.has_value());
}

TEST_F(SendTest, NtIgnoresThePrinterStatus) {
    spooler.level2[std::nullopt][0].status = 0x00100000;
    EXPECT_TRUE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.calls.front(), "Open Q1 access=8");
    EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "GetPrinter2 Q1"), 0);
}

TEST_F(SendTest, ResetResultDoesNotMatter) {
    spooler.resetResult = true;
    EXPECT_TRUE(SendRecord(spooler, kNt, "Q1", record));
    spooler.resetResult = false;
    EXPECT_TRUE(SendRecord(spooler, kNt, "Q1", record));
}

TEST_F(SendTest, OlderFamilyOpensWithoutAccessAndAsksForTheStatus) {
    spooler.level2[std::nullopt][0].status = 0x1; // paused: not a reason to refuse
    EXPECT_TRUE(SendRecord(spooler, kOlderFamily, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=0", "GetPrinter2 Q1", "StartDoc Q1", "Reset Q1",
                                    "Write Q1 270", "EndDoc Q1", "Close Q1"}));
}

TEST_F(SendTest, AnyPlatformOtherThanNtTakesTheOlderFamilyPath) {
    EXPECT_TRUE(SendRecord(spooler, OsVersionInfo{0, 3, 1}, "Q1", record));
    EXPECT_EQ(spooler.calls.front(), "Open Q1 access=0");
}

TEST_F(SendTest, OlderFamilyRefusesAPrinterWaitingForTheUser) {
    spooler.level2[std::nullopt][0].status = 0x00100000 | 0x1;
    EXPECT_FALSE(SendRecord(spooler, kOlderFamily, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=0", "GetPrinter2 Q1", "Close Q1"}));
}

TEST_F(SendTest, OlderFamilyRefusesWhenTheStatusCannotBeRead) {
    spooler.failGetPrinter = true;
    EXPECT_FALSE(SendRecord(spooler, kOlderFamily, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=0", "GetPrinter2 Q1", "Close Q1"}));
}

TEST_F(SendTest, OpenFailureSendsNothingOnEitherFamily) {
    spooler.unopenable.insert("Q1");
    EXPECT_FALSE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_FALSE(SendRecord(spooler, kOlderFamily, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=8", "Open Q1 access=0"}));
}

TEST_F(SendTest, StartDocFailureClosesWithoutWriting) {
    spooler.failStartDoc = true;
    EXPECT_FALSE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=8", "StartDoc Q1", "Close Q1"}));
}

TEST_F(SendTest, FailedWriteStillEndsTheDocumentButIsNoSuccess) {
    spooler.failWrite = true;
    EXPECT_FALSE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=8", "StartDoc Q1", "Reset Q1", "Write Q1 270",
                                    "EndDoc Q1", "Close Q1"}));
}

TEST_F(SendTest, ShortWriteIsNoSuccess) {
    spooler.writtenOverride = 269;
    EXPECT_FALSE(SendRecord(spooler, kNt, "Q1", record));
    spooler.writtenOverride = 0;
    EXPECT_FALSE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.writes.size(), 2u); // one write per attempt, never a retry
}

// An undeliverable job shows only at the end of the document.
TEST_F(SendTest, EndDocFailureIsNoSuccess) {
    spooler.failEndDoc = true;
    EXPECT_FALSE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.calls.back(), "Close Q1");
}

} // namespace
} // namespace sb
