// The system's open and save dialogs, modal over the main window.
#pragma once

#include "files/file_dialogs.h"
#include "ui/window.h"

namespace sb {

class WinFileDialogs final : public FileDialogs {
public:
    explicit WinFileDialogs(const CWindow& owner) : m_owner(owner) {}
    std::optional<std::string> Run(const FileDialogSpec& dialog,
                                   const std::string& initialDirectory) override;

private:
    const CWindow& m_owner;
};

} // namespace sb
