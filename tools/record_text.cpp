#include "tools/record_text.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <span>
#include <string_view>

namespace sb {

namespace {

// A line and where in the record it belongs: its byte, and its first bit there.
struct PlacedLine {
    std::size_t offset;
    int bit;
    std::string text;
};

std::string Hex(std::uint8_t byte) {
    return HexBytes(std::span(&byte, 1));
}

std::string ByteName(std::size_t offset) {
    return "byte " + std::to_string(offset);
}

// Switch bits that no control shows, and high bits that the next encode drops.
void AddSwitchBytes(std::vector<PlacedLine>& lines, const SettingRecord& record) {
    for (const MswBank& bank : kMswBanks) {
        for (std::size_t k = 0; k < bank.switches.size(); ++k) {
            const SwitchKind kind = bank.switches[k].kind;
            if (kind != SwitchKind::Hidden && kind != SwitchKind::Carried) {
                continue;
            }
            const std::size_t offset = bank.offset + k / 4;
            const int bit = static_cast<int>(k % 4);
            lines.push_back({offset, bit,
                             ByteName(offset) + " bit " + std::to_string(bit) + ": " +
                                 std::to_string((record[offset] >> bit) & 1) + " (no control)"});
        }
        for (std::size_t offset = bank.offset; offset < bank.offset + 2; ++offset) {
            if ((record[offset] & 0xF0) != 0) {
                lines.push_back(
                    {offset, 4, ByteName(offset) + " high bits: " + Hex(record[offset])});
            }
        }
    }
}

} // namespace

RecordText DescribeRecord(const SettingRecord& record) {
    CRecordFields fields(record);
    const std::vector<FieldInfo>& infos = RecordFieldList();
    const std::vector<std::string> values = fields.Values();

    std::vector<PlacedLine> lines;
    lines.reserve(infos.size() + 64);
    for (std::size_t i = 0; i < infos.size(); ++i) {
        lines.push_back(
            {infos[i].offset, std::countr_zero(infos[i].mask), infos[i].key + ": " + values[i]});
    }
    AddSwitchBytes(lines, record);
    // Bytes no page reads or writes, byte 246 among them.
    for (const std::size_t offset : off::kOpaque) {
        lines.push_back({offset, 0, ByteName(offset) + ": " + Hex(record[offset])});
    }
    lines.push_back({off::kIntakeTimeTens, 0,
                     ByteName(off::kIntakeTimeTens) + ": " + Hex(record[off::kIntakeTimeTens])});
    // Only the places are sorted: each text moves once, into the result.
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&lines](std::size_t a, std::size_t b) {
        return lines[a].offset != lines[b].offset ? lines[a].offset < lines[b].offset
                                                  : lines[a].bit < lines[b].bit;
    });

    RecordText result;
    result.lines.reserve(lines.size());
    for (const std::size_t i : order) {
        result.lines.push_back(std::move(lines[i].text));
    }
    result.repairs = fields.Repairs(record);
    return result;
}

std::string RenderRecord(const SettingRecord& record) {
    const RecordText described = DescribeRecord(record);
    std::string text;
    for (const std::string& line : described.lines) {
        text += line;
        text += '\n';
    }
    for (const ByteRepair& repair : described.repairs) {
        text += "repair byte " + std::to_string(repair.offset) + ": " + Hex(repair.from) + " -> " +
                Hex(repair.to) + "\n";
    }
    if (described.repairs.empty()) {
        text += "repairs: none\n";
    }
    return text;
}

} // namespace sb
