#include "files/settings_file.h"
#include "record/factory_record.h"
#include "tools/job_check.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sb {
namespace {

std::vector<std::uint8_t> FactoryJob() {
    const SettingRecord& record = FactoryRecord();
    return {record.begin(), record.end()};
}

const std::vector<std::uint8_t> kHeader = {'Q', 'u', 'i', 'l', 'l', 's', 't', 'r', 'i',  'k',
                                           'e', ' ', '4', '8', '0', 'Z', 'Q', '9', '\n', 0x00};

std::vector<std::uint8_t> SettingsFile(const std::vector<std::uint8_t>& header) {
    std::vector<std::uint8_t> bytes = header;
    const std::vector<std::uint8_t> job = FactoryJob();
    bytes.insert(bytes.end(), job.begin(), job.end());
    return bytes;
}

TEST(JobFrame, TheFactoryRecordIsAGoodJob) {
    const FrameCheck check = CheckFrame(FactoryJob());
    EXPECT_EQ(check.fault, FrameFault::None);
    EXPECT_EQ(FrameLine(check), "frame: ok");
}

TEST(JobFrame, WrongLengthsAreShortOrLong) {
    std::vector<std::uint8_t> job = FactoryJob();
    job.pop_back();
    EXPECT_EQ(FrameLine(CheckFrame(job)), "malformed job: short (269 bytes, expected 270)");
    EXPECT_EQ(FrameLine(CheckFrame({})), "malformed job: short (0 bytes, expected 270)");

    job = FactoryJob();
    job.push_back(0);
    EXPECT_EQ(CheckFrame(job).fault, FrameFault::Long);
    EXPECT_EQ(FrameLine(CheckFrame(job)), "malformed job: long (271 bytes, expected 270)");
    // Two jobs in one are one long job.
    job = FactoryJob();
    const std::vector<std::uint8_t> second = FactoryJob();
    job.insert(job.end(), second.begin(), second.end());
    EXPECT_EQ(FrameLine(CheckFrame(job)), "malformed job: long (540 bytes, expected 270)");
}

TEST(JobFrame, EachOfTheFourOpeningBytesIsChecked) {
    const std::pair<std::size_t, std::uint8_t> cases[] = {{0, 0x1B}, {1, 'O'}, {2, '1'}, {3, '.'}};
    for (const auto& [offset, value] : cases) {
        std::vector<std::uint8_t> job = FactoryJob();
        job[offset] = value;
        EXPECT_EQ(CheckFrame(job).fault, FrameFault::BadStart) << offset;
    }
    std::vector<std::uint8_t> job = FactoryJob();
    job[2] = '1';
    EXPECT_EQ(FrameLine(CheckFrame(job)),
              "malformed job: bad start (bytes 0-3 are 1C 6F 31 2C, expected 1C 6F 30 2C)");
}

TEST(JobFrame, TheFullStopAndEveryTailByteAreChecked) {
    std::vector<std::uint8_t> job = FactoryJob();
    job[263] = ',';
    EXPECT_EQ(FrameLine(CheckFrame(job)), "malformed job: bad end (byte 263 is 2C, expected 2E)");
    for (std::size_t offset = 264; offset < 270; ++offset) {
        job = FactoryJob();
        job[offset] = 0x01;
        const FrameCheck check = CheckFrame(job);
        EXPECT_EQ(check.fault, FrameFault::BadEnd) << offset;
        EXPECT_EQ(check.reason, "byte " + std::to_string(offset) + " is 01, expected 00");
    }
}

TEST(JobFrame, FieldsInsideTheFrameAreNotTheFramesBusiness) {
    std::vector<std::uint8_t> job = FactoryJob();
    job[6] = 'x';   // a comma
    job[22] = 0xFF; // an opaque byte
    job[262] = 'Q';
    EXPECT_EQ(CheckFrame(job).fault, FrameFault::None);
}

TEST(JobFrame, FaultNames) {
    EXPECT_EQ(FrameFaultName(FrameFault::Short), "short");
    EXPECT_EQ(FrameFaultName(FrameFault::Long), "long");
    EXPECT_EQ(FrameFaultName(FrameFault::BadStart), "bad start");
    EXPECT_EQ(FrameFaultName(FrameFault::BadEnd), "bad end");
}

TEST(SettingsFileCheck, AGoodFileGivesItsRecordAndLaterBytesAreIgnored) {
    SettingsFileCheck check = CheckSettingsFile(SettingsFile(kHeader));
    ASSERT_TRUE(check.record);
    EXPECT_EQ(*check.record, FactoryRecord());
    EXPECT_EQ(check.reason, "");

    std::vector<std::uint8_t> longer = SettingsFile(kHeader);
    longer.insert(longer.end(), {'x', 'y', 'z'});
    check = CheckSettingsFile(longer);
    ASSERT_TRUE(check.record);
    EXPECT_EQ(*check.record, FactoryRecord());
}

TEST(SettingsFileCheck, AHeaderInAnotherCaseIsRefused) {
    std::vector<std::uint8_t> header = kHeader;
    header[0] = 'q';
    SettingsFileCheck check = CheckSettingsFile(SettingsFile(header));
    EXPECT_FALSE(check.record);
    EXPECT_EQ(check.reason, "bad header: byte 0 is 71, expected 51");

    header = kHeader;
    header[15] = 'z';
    check = CheckSettingsFile(SettingsFile(header));
    EXPECT_FALSE(check.record);
    EXPECT_EQ(check.reason, "bad header: byte 15 is 7A, expected 5A");
}

TEST(SettingsFileCheck, AHeaderWhoseByte19IsNotZeroIsRefused) {
    std::vector<std::uint8_t> header = kHeader;
    header[19] = 0x01;
    const SettingsFileCheck check = CheckSettingsFile(SettingsFile(header));
    EXPECT_FALSE(check.record);
    EXPECT_EQ(check.reason, "bad header: byte 19 is 01, expected 00");
}

TEST(SettingsFileCheck, ShortFilesAreRefused) {
    std::vector<std::uint8_t> file = SettingsFile(kHeader);
    file.pop_back();
    SettingsFileCheck check = CheckSettingsFile(file);
    EXPECT_FALSE(check.record);
    EXPECT_EQ(check.reason, "short: 289 bytes, expected 290");

    check = CheckSettingsFile(std::vector<std::uint8_t>(kHeader.begin(), kHeader.begin() + 5));
    EXPECT_FALSE(check.record);
    EXPECT_EQ(check.reason, "short: 5 bytes, expected 290");

    EXPECT_EQ(CheckSettingsFile({}).reason, "short: 0 bytes, expected 290");
    // A short file that is not even the header's beginning is a bad header first.
    const std::vector<std::uint8_t> other = {'Q', 'x'};
    EXPECT_EQ(CheckSettingsFile(other).reason, "bad header: byte 1 is 78, expected 75");
}

} // namespace
} // namespace sb
