#include "files/settings_file.h"

#include <algorithm>

namespace sb {
namespace {

std::string HexByte(std::uint8_t byte) {
    return HexBytes(std::span(&byte, 1));
}

} // namespace

std::optional<SettingRecord> ParseSettingsFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSettingsFileSize ||
        !std::equal(bytes.begin(), bytes.begin() + kSettingsHeaderSize,
                    reinterpret_cast<const std::uint8_t*>(kSettingsHeader))) {
        return std::nullopt;
    }
    SettingRecord record;
    std::copy_n(bytes.begin() + kSettingsHeaderSize, kRecordSize, record.begin());
    return record;
}

SettingsFileCheck CheckSettingsFile(std::span<const std::uint8_t> bytes) {
    SettingsFileCheck check;
    check.record = ParseSettingsFile(bytes);
    if (check.record) {
        return check;
    }
    // The loader only says no; say why.
    const std::size_t compared = std::min(bytes.size(), kSettingsHeaderSize);
    for (std::size_t i = 0; i < compared; ++i) {
        const auto expected = static_cast<std::uint8_t>(kSettingsHeader[i]);
        if (bytes[i] != expected) {
            check.reason = "bad header: byte " + std::to_string(i) + " is " + HexByte(bytes[i]) +
                           ", expected " + HexByte(expected);
            return check;
        }
    }
    check.reason = "short: " + std::to_string(bytes.size()) + " bytes, expected " +
                   std::to_string(kSettingsFileSize);
    return check;
}

std::array<std::uint8_t, kSettingsFileSize> SettingsFileBytes(const SettingRecord& record) {
    std::array<std::uint8_t, kSettingsFileSize> bytes{};
    std::copy_n(kSettingsHeader, kSettingsHeaderSize, bytes.begin());
    std::copy(record.begin(), record.end(), bytes.begin() + kSettingsHeaderSize);
    return bytes;
}

std::string ProgramDirectory(std::string_view modulePath) {
    const std::size_t slash = modulePath.rfind('\\');
    if (slash == std::string_view::npos) {
        return {};
    }
    return std::string(modulePath.substr(0, slash + 1));
}

} // namespace sb
