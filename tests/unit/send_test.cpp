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

TEST_F(SendTest, NtWritesTheWholeRecordOnceAsOneNamedRawDocument) {
    EXPECT_TRUE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=8", "Driver Q1", "StartDoc Q1", "Reset Q1",
                                    "Write Q1 270", "EndDoc Q1", "Close Q1"}));
    ASSERT_EQ(spooler.writes.size(), 1u);
    EXPECT_EQ(spooler.writes[0], std::vector<std::uint8_t>(record.begin(), record.end()));
    ASSERT_EQ(spooler.docs.size(), 1u);
    EXPECT_EQ(spooler.docs[0].docName, "Switchboard Status Write");
    EXPECT_FALSE(spooler.docs[0].outputFile.has_value());
    EXPECT_EQ(spooler.docs[0].datatype, "RAW");
}

// RAW data on a queue of the XPS print path would leave an empty spool file.
TEST_F(SendTest, XpsDriverGetsItsOwnPassThroughDataType) {
    spooler.xpsDriver = true;
    EXPECT_TRUE(SendRecord(spooler, kNt, "Q1", record));
    ASSERT_EQ(spooler.docs.size(), 1u);
    EXPECT_EQ(spooler.docs[0].datatype, "XPS_PASS");
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
    EXPECT_EQ(spooler.calls,
              (Calls{"Open Q1 access=0", "GetPrinter2 Q1", "Driver Q1", "StartDoc Q1", "Reset Q1",
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
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=8", "Driver Q1", "StartDoc Q1", "Close Q1"}));
}

// A write the spooler refuses, or one that takes no more bytes, leaves part of a command in
// the job: it is dropped, never ended.
TEST_F(SendTest, FailedOrStuckWriteAbortsTheJob) {
    spooler.failWrite = true;
    EXPECT_FALSE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.calls, (Calls{"Open Q1 access=8", "Driver Q1", "StartDoc Q1", "Reset Q1",
                                    "Write Q1 270", "Abort Q1", "Close Q1"}));
    FakeSpooler stuck;
    stuck.AddLocal("Q1", "VYR Quillstrike 480ZQ9", "LPT1:");
    stuck.writtenCounts = {100, 0};
    EXPECT_FALSE(SendRecord(stuck, kNt, "Q1", record));
    EXPECT_EQ(stuck.calls, (Calls{"Open Q1 access=8", "Driver Q1", "StartDoc Q1", "Reset Q1",
                                  "Write Q1 270", "Write Q1 170", "Abort Q1", "Close Q1"}));
}

TEST_F(SendTest, ShortWriteIsRetriedWithTheRest) {
    spooler.writtenCounts = {100, 150};
    EXPECT_TRUE(SendRecord(spooler, kNt, "Q1", record));
    ASSERT_EQ(spooler.writes.size(), 3u);
    std::vector<std::uint8_t> taken(spooler.writes[0].begin(), spooler.writes[0].begin() + 100);
    taken.insert(taken.end(), spooler.writes[1].begin(), spooler.writes[1].begin() + 150);
    taken.insert(taken.end(), spooler.writes[2].begin(), spooler.writes[2].end());
    EXPECT_EQ(taken, std::vector<std::uint8_t>(record.begin(), record.end()));
    EXPECT_EQ(spooler.calls.back(), "Close Q1");
    EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "EndDoc Q1"), 1);
}

// An undeliverable job shows only at the end of the document.
TEST_F(SendTest, EndDocFailureIsNoSuccess) {
    spooler.failEndDoc = true;
    EXPECT_FALSE(SendRecord(spooler, kNt, "Q1", record));
    EXPECT_EQ(spooler.calls.back(), "Close Q1");
}

} // namespace
} // namespace sb
