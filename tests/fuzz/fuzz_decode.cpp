// Any 270 bytes through decode-all and encode-all of the six page models. The first round
// may repair and normalise; a second round must change nothing more, and no byte that no
// page owns may move at all.
#include "model_panel.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace sb;

namespace {

// What the checks expect of each byte an encoder writes.
enum class Written { Not, Digit, Switch, Position };

// Computed once: the checks look at every byte of every input.
constexpr std::array<Written, kRecordSize> kWritten = [] {
    std::array<Written, kRecordSize> written{};
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        written[i] = fuzz::PageField(i) ? Written::Digit : Written::Not;
    }
    for (const std::size_t bank : off::kMswBanks) {
        written[bank] = written[bank + 1] = Written::Switch;
    }
    written[off::kPrintPosition] = written[off::kPrintPosition + 1] = Written::Position;
    return written;
}();

// What an encoder may leave in a byte it writes, bar the print position, which keeps a pair
// it cannot read: digits, and the letters of a negative signed pair.
bool WireCharacter(std::uint8_t byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'F');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SettingRecord input{};
    std::copy_n(data, std::min(size, kRecordSize), input.begin());

    fuzz::ModelPanel panel;
    SettingRecord& current = panel.state.Current();
    current = input;
    panel.state.DecodeAllPages();
    panel.state.EncodeAllPages();
    const SettingRecord first = current;
    panel.state.DecodeAllPages();
    panel.state.EncodeAllPages();

    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (current[i] != first[i]) {
            fuzz::Fail("second round differs", i, current[i], first[i]);
        }
        switch (kWritten[i]) {
        case Written::Not:
            if (first[i] != input[i]) {
                fuzz::Fail("byte no page owns changed", i, first[i], input[i]);
            }
            break;
        case Written::Digit:
            if (!WireCharacter(first[i])) {
                fuzz::Fail("encoded a byte that is no digit", i, first[i], '0');
            }
            break;
        case Written::Switch:
            if ((first[i] & 0xF0) != 0) {
                fuzz::Fail("switch byte keeps bits 4-7", i, first[i], first[i] & 0x0F);
            }
            break;
        case Written::Position:
            break;
        }
    }
    return 0;
}
