// A setting record as readable text: what the panel would show for it, one "key: value" line
// per field in record order, under the keys the command-line program uses, so that a received
// job can be read, grepped and diffed. What no page shows (bytes no page reads, switch bits
// without a control, the high bits of a switch byte) is given raw, in its place.
#pragma once

#include "pages/record_fields.h"
#include "record/setting_record.h"

#include <string>
#include <vector>

namespace sb {

struct RecordText {
    std::vector<std::string> lines;
    std::vector<ByteRepair> repairs; // what loading the record would change
};

// Decodes a copy of the record, so the caller's bytes stay as they arrived.
RecordText DescribeRecord(const SettingRecord& record);

// The lines, then one "repair byte N: XX -> YY" line per repaired byte (or "repairs: none"),
// each ended by a line feed.
std::string RenderRecord(const SettingRecord& record);

} // namespace sb
