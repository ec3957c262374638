#include "files/settings_file.h"

#include <algorithm>

namespace sb {

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

std::string ProgramDirectory(std::string_view modulePath) {
    const std::size_t slash = modulePath.rfind('\\');
    if (slash == std::string_view::npos) {
        return {};
    }
    return std::string(modulePath.substr(0, slash + 1));
}

} // namespace sb
