#include "ui/win_prompter.h"

namespace sb {

Answer WinPrompter::ShowMessage(std::string_view text, std::string_view caption, unsigned style) {
    const int answer =
        ::MessageBoxW(m_owner.Handle(), Widen(text).c_str(), Widen(caption).c_str(), style);
    return static_cast<Answer>(answer);
}

} // namespace sb
