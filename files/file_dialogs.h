// The open and save dialogs for settings files. Their parameters are data, so the platform
// side has nothing to decide.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sb {

// Common file dialog flags, with the platform's own values.
namespace ofn {
inline constexpr unsigned kOverwritePrompt = 0x2;
inline constexpr unsigned kHideReadOnly = 0x4;
} // namespace ofn

struct FileDialogSpec {
    bool save;
    std::string_view filterName;
    std::string_view filterPattern;
    std::string_view defaultExtension;
    std::string_view initialName;
    unsigned flags;
};

inline constexpr std::string_view kSettingsFilterName = "SB設定ファイル (*.dat)";
inline constexpr std::string_view kSettingsPattern = "*.dat";

inline constexpr FileDialogSpec kLoadDialog{false, kSettingsFilterName, kSettingsPattern,
                                            "dat", kSettingsPattern,    ofn::kHideReadOnly};
inline constexpr FileDialogSpec kSaveDialog{
    true,  kSettingsFilterName, kSettingsPattern,
    "dat", kSettingsPattern,    ofn::kHideReadOnly | ofn::kOverwritePrompt};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file as a UTF-8 path, or nothing when the user cancelled.
    virtual std::optional<std::string> Run(const FileDialogSpec& dialog,
                                           const std::string& initialDirectory) = 0;
};

} // namespace sb
