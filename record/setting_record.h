// The 270-byte setting record: the printer command that carries every setting, and the one
// store of the settings inside the program. Fields sit at fixed offsets; nothing parses the
// commas, so encoders overwrite only their own bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace sb {

inline constexpr std::size_t kRecordSize = 270;
using SettingRecord = std::array<std::uint8_t, kRecordSize>;

// Byte offsets of the record's fields, counted from the leading 0x1C.
namespace off {
// Memory switch banks: the first byte holds switches 1-4, the second switches 5-8.
inline constexpr std::size_t kMsw1 = 4;
inline constexpr std::size_t kMsw2 = 7;
inline constexpr std::size_t kMsw3 = 10;
inline constexpr std::size_t kMsw4 = 13;
inline constexpr std::size_t kMswBanks[4] = {kMsw1, kMsw2, kMsw3, kMsw4};

// Parameter page.
inline constexpr std::size_t kFont1 = 16;
inline constexpr std::size_t kFont2 = 18;
inline constexpr std::size_t kKanjiTable = 20;
inline constexpr std::size_t kPostcardMode = 24;
inline constexpr std::size_t kCutSheetCentering = 28;     // 2 digits
inline constexpr std::size_t kFrontTractorCentering = 31; // 2 digits
inline constexpr std::size_t kRearTractorCentering = 34;  // 3 digits
inline constexpr std::size_t kAutoReturnTime = 243;       // 2 digits
inline constexpr std::size_t kIntakeTimeTens = 246;       // carried, never written
inline constexpr std::size_t kIntakeTime = 247;           // 1 digit
inline constexpr std::size_t kAgaRetryTime = 249;         // 2 digits
inline constexpr std::size_t kLfFrontTractor = 252;       // signed pair
inline constexpr std::size_t kLfRearTractor = 255;        // signed pair
inline constexpr std::size_t kLfSheetGuide = 258;         // signed pair
inline constexpr std::size_t kLfSheetFeeder = 261;        // signed pair

// Function selection page.
inline constexpr std::size_t kSheetGuideSetPos = 26;
inline constexpr std::size_t kAutoPosAdjust = 67; // 2 digits
inline constexpr std::size_t kTypeface = 70;
inline constexpr std::size_t kReduction = 72;
inline constexpr std::size_t kPaperThickness = 74; // 2 digits
inline constexpr std::size_t kPressure = 77;       // signed pair
inline constexpr std::size_t kPrintPosition = 80;  // signed pair
inline constexpr std::size_t kCopyStrength = 83;
inline constexpr std::size_t kFormSelect = 85;

// Form blocks: form 0 is 29 bytes without margins, forms 1-4 are 37 bytes each.
inline constexpr std::size_t kFormBlock[5] = {38, 87, 126, 165, 204};
inline constexpr std::size_t kForm0Size = 29;
inline constexpr std::size_t kFormSize = 37;

// Bytes no page reads or writes.
inline constexpr std::size_t kOpaque[5] = {22, 124, 163, 202, 241};
inline constexpr std::size_t kFullStop = 263;
inline constexpr std::size_t kZeroTail = 264;
} // namespace off

inline constexpr std::size_t FormBlockSize(int form) {
    return form == 0 ? off::kForm0Size : off::kFormSize;
}

// Digit field, read by plain arithmetic: no character is tested for being a digit, so other
// bytes give out-of-range values that the pages replace by their defaults.
int ReadDigits(const SettingRecord& record, std::size_t offset, int width);
// Digit field, written zero-filled to its width ("09", "096").
void WriteDigits(SettingRecord& record, std::size_t offset, int width, int value);

// Signed pair: "0n" for 0..9, "F" + (71 + v) for negative v ("FF" is -1, "FA" -6).
// Reads nothing (nullopt) when the first character is neither '0' nor 'F'.
std::optional<int> ReadSignedPair(const SettingRecord& record, std::size_t offset);
void WriteSignedPair(SettingRecord& record, std::size_t offset, int value);
// Rewrites a second character outside the allowed set so that the pair reads as 0: to '0'
// after '0' when it is not in '0'..zeroMax, to 'G' after 'F' when it is not in fMin..'F'.
void RepairSignedPair(SettingRecord& record, std::size_t offset, char zeroMax, char fMin);

// Switch byte: four switches in bits 0-3; bits 4-7 are always written as 0.
using SwitchBits = std::array<int, 4>;
SwitchBits ReadSwitchBits(std::uint8_t byte);
std::uint8_t MakeSwitchByte(const SwitchBits& bits);

// Bytes as upper-case hexadecimal pairs separated by spaces ("1C 6F 30"), the way messages
// about a record or a file quote them.
std::string HexBytes(std::span<const std::uint8_t> bytes);

} // namespace sb
