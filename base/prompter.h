// Message boxes as the core sees them: a text, a caption, a style, and the user's answer.
// The Win32 side shows a real box owned by its window; tests script the answers.
#pragma once

#include <string_view>

namespace sb {

// Styles and answers carry the platform's own values, so the Win32 side passes them through.
namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kOkCancel = 0x1;
inline constexpr unsigned kYesNoCancel = 0x3;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconExclamation = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
} // namespace mb

enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

inline constexpr std::string_view kCaption = "Switchboard";

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ShowMessage(std::string_view text, std::string_view caption, unsigned style) = 0;
    // Almost every box of the program carries the program's caption.
    Answer Message(std::string_view text, unsigned style) {
        return ShowMessage(text, kCaption, style);
    }
};

} // namespace sb
