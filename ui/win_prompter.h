// Message boxes owned by a window.
#pragma once

#include "base/prompter.h"
#include "ui/window.h"

namespace sb {

class WinPrompter final : public Prompter {
public:
    explicit WinPrompter(const CWindow& owner) : m_owner(owner) {}
    Answer ShowMessage(std::string_view text, std::string_view caption, unsigned style) override;

private:
    const CWindow& m_owner;
};

} // namespace sb
