// Files on a POSIX system.
#pragma once

#include "cli/file_access.h"
#include "files/stdio_file_store.h"

namespace sb::cli {

class PosixFileAccess final : public FileAccess {
public:
    ReadResult Read(const std::string& path, std::size_t limit) override;
    std::string Change(const std::string& path, std::size_t limit, std::chrono::seconds wait,
                       const ChangeMaker& make) override;

private:
    StdioFileStore m_store;
};

} // namespace sb::cli
