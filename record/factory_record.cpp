#include "record/factory_record.h"

namespace sb {
namespace {

// The record as the printer reads it, field by field; "\0" marks the switch bytes, opaque
// bytes and the zero tail.
constexpr char kFactoryText[] = "\x1C"
                                "o0,"
                                "\0\0,"   // MSW1
                                "\x02\0," // MSW2
                                "\0\0,"   // MSW3
                                "\x0C\0," // MSW4
                                "0,0,0,"  // fonts, kanji table
                                "\0,"     // opaque
                                "0,0,"    // postcard mode, sheet guide set position
                                "40,36,096,"
                                "66,120,120,046,046,054,00,00,"         // form 0
                                "09,0,0,00,00,00,0,0,"                  // selections
                                "66,000,136,120,120,046,046,054,00,00," // form 1
                                "\0,"
                                "66,000,136,120,120,046,046,054,00,00," // form 2
                                "\0,"
                                "66,000,136,120,120,046,046,054,00,00," // form 3
                                "\0,"
                                "66,000,136,120,120,046,046,054,00,00," // form 4
                                "\0,"
                                "15,02,02,00,00,00,00."
                                "\0\0\0\0\0\0";
static_assert(sizeof kFactoryText == kRecordSize + 1);

constexpr SettingRecord MakeFactoryRecord() {
    SettingRecord record{};
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        record[i] = static_cast<std::uint8_t>(kFactoryText[i]);
    }
    return record;
}

constexpr SettingRecord kFactoryRecord = MakeFactoryRecord();

} // namespace

const SettingRecord& FactoryRecord() {
    return kFactoryRecord;
}

} // namespace sb
