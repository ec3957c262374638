#include "tools/job_check.h"

#include <algorithm>
#include <array>

namespace sb {

namespace {

constexpr std::array<std::uint8_t, 4> kJobStart = {0x1C, 'o', '0', ','};
constexpr std::uint8_t kFullStop = '.';

std::string ByteText(std::uint8_t byte) {
    return HexBytes(std::span(&byte, 1));
}

} // namespace

FrameCheck CheckFrame(std::span<const std::uint8_t> job) {
    if (job.size() < kRecordSize) {
        return {FrameFault::Short, std::to_string(job.size()) + " bytes, expected 270"};
    }
    if (job.size() > kRecordSize) {
        return {FrameFault::Long, std::to_string(job.size()) + " bytes, expected 270"};
    }
    const std::span<const std::uint8_t> start = job.first(kJobStart.size());
    if (!std::equal(start.begin(), start.end(), kJobStart.begin())) {
        return {FrameFault::BadStart,
                "bytes 0-3 are " + HexBytes(start) + ", expected " + HexBytes(kJobStart)};
    }
    if (job[off::kFullStop] != kFullStop) {
        return {FrameFault::BadEnd,
                "byte 263 is " + ByteText(job[off::kFullStop]) + ", expected 2E"};
    }
    for (std::size_t i = off::kZeroTail; i < kRecordSize; ++i) {
        if (job[i] != 0) {
            return {FrameFault::BadEnd,
                    "byte " + std::to_string(i) + " is " + ByteText(job[i]) + ", expected 00"};
        }
    }
    return {};
}

std::string_view FrameFaultName(FrameFault fault) {
    switch (fault) {
    case FrameFault::None:
        return "ok";
    case FrameFault::Short:
        return "short";
    case FrameFault::Long:
        return "long";
    case FrameFault::BadStart:
        return "bad start";
    case FrameFault::BadEnd:
        return "bad end";
    }
    return "unknown";
}

std::string FrameLine(const FrameCheck& check) {
    if (check.fault == FrameFault::None) {
        return "frame: ok";
    }
    return "malformed job: " + std::string(FrameFaultName(check.fault)) + " (" + check.reason + ")";
}

} // namespace sb
