// The settings file: a 20-byte text header, then the setting record as raw bytes. Anything
// after the 290th byte is not part of the file's contents.
#pragma once

#include "record/setting_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sb {

// The 19 header characters; the literal's terminating zero is header byte 19.
inline constexpr char kSettingsHeader[] = "Quillstrike 480ZQ9\n";
inline constexpr std::size_t kSettingsHeaderSize = sizeof(kSettingsHeader);
inline constexpr std::size_t kSettingsFileSize = kSettingsHeaderSize + kRecordSize;
static_assert(kSettingsHeaderSize == 20);

// The record a file's first bytes hold, or nothing when they are not a settings file: a
// header that differs in any byte (letter case included) or fewer than 290 bytes.
std::optional<SettingRecord> ParseSettingsFile(std::span<const std::uint8_t> bytes);

struct SettingsFileCheck {
    std::optional<SettingRecord> record; // the file's record when it is a settings file
    std::string reason;                  // why it is not one
};

// The loader's verdict, with the reason when it says no.
SettingsFileCheck CheckSettingsFile(std::span<const std::uint8_t> bytes);

// The 290 bytes a save writes: the header, then the record.
std::array<std::uint8_t, kSettingsFileSize> SettingsFileBytes(const SettingRecord& record);

// Where the file dialogs and the help file start: the program's own path cut after its last
// backslash, the backslash kept.
std::string ProgramDirectory(std::string_view modulePath);

} // namespace sb
