// A setting record as readable text: what each page would show for it, one "name: value"
// line per field in record order, so that a received job can be read, grepped and diffed.
// The record is decoded through the pages' own value models, never through a second copy of
// the byte map.
#pragma once

#include "record/setting_record.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sb {

// A byte that decoding the record would change.
struct ByteRepair {
    std::size_t offset;
    std::uint8_t from;
    std::uint8_t to;
    bool operator==(const ByteRepair&) const = default;
};

struct RecordText {
    std::vector<std::string> lines;
    std::vector<ByteRepair> repairs;
};

// Decodes a copy of the record, so the caller's bytes stay as they arrived.
RecordText DescribeRecord(const SettingRecord& record);

// The field lines, then one "repair byte N: XX -> YY" line per repaired byte (or
// "repairs: none"), each ended by a line feed.
std::string RenderRecord(const SettingRecord& record);

// Upper-case hexadecimal bytes separated by spaces ("1C 6F 30").
std::string HexBytes(std::span<const std::uint8_t> bytes);

} // namespace sb
