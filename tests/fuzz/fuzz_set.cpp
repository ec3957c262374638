// Any text as set's arguments, one per line: parsed as KEY=VALUE and applied to the factory
// record by the panel's rules. Whatever is refused changes nothing; whatever is taken gives a
// record whose frame is intact, which reads back as it was set, and which setting the values
// it shows again leaves as it is.
#include "model_panel.h"

#include "cli/assignment.h"
#include "pages/record_fields.h"
#include "record/factory_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using namespace sb;

namespace {

bool InFormBlock(std::size_t offset) {
    for (int form = 0; form < 5; ++form) {
        if (offset >= off::kFormBlock[form] &&
            offset < off::kFormBlock[form] + FormBlockSize(form)) {
            return true;
        }
    }
    return false;
}

void ExpectFrameKept(const SettingRecord& record) {
    const SettingRecord& factory = FactoryRecord();
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const bool formDigit = InFormBlock(i) && factory[i] != ',';
        if (formDigit ? (record[i] < '0' || record[i] > '9')
                      : (!fuzz::PageField(i) && record[i] != factory[i])) {
            fuzz::Fail("set broke the frame", i, record[i], factory[i]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<FieldAssignment> assignments;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        auto parsed = cli::ParseAssignment(text.substr(start, end - start));
        if (auto* assignment = std::get_if<FieldAssignment>(&parsed)) {
            assignments.push_back(std::move(*assignment));
        } else if (std::get<std::string>(parsed).empty()) {
            fuzz::Fail("a refused argument without a reason", start, 0, 0);
        }
        start = end + 1;
    }

    CRecordFields fields(FactoryRecord());
    if (const std::optional<std::string> refusal = fields.Apply(assignments)) {
        if (refusal->empty() || fields.Encoded() != FactoryRecord()) {
            fuzz::Fail("a refusal without a reason or with a change", 0, 0, 0);
        }
        return 0;
    }
    const SettingRecord encoded = fields.Encoded();
    ExpectFrameKept(encoded);

    CRecordFields reread(encoded);
    const std::vector<std::string> values = fields.Values();
    if (reread.Values() != values) {
        fuzz::Fail("the record does not read back as it was set", 0, 0, 0);
    }
    std::vector<FieldAssignment> again;
    for (const FieldAssignment& assignment : assignments) {
        again.push_back({assignment.key, values[*FindField(assignment.key)]});
    }
    if (reread.Apply(again) || reread.Encoded() != encoded) {
        fuzz::Fail("setting the shown values again changed the record", 0, 0, 0);
    }
    return 0;
}
