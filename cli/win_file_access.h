// Files on Windows: the panel's file store to read, the W functions and LockFileEx to
// change.
#pragma once

#include "cli/file_access.h"
#include "files/win_file_store.h"

namespace sb::cli {

class WinFileAccess final : public FileAccess {
public:
    ReadResult Read(const std::string& path, std::size_t limit) override;
    std::string Change(const std::string& path, std::size_t limit, std::chrono::seconds wait,
                       const ChangeMaker& make) override;

private:
    WinFileStore m_store;
};

// The system's text for an error code, in the system's language.
std::string SystemMessage(unsigned long error);

} // namespace sb::cli
