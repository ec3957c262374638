// Settings files on the Win32 file API: UTF-8 paths in, the W functions underneath.
#pragma once

#include "files/file_store.h"

namespace sb {

class WinFileStore final : public FileStore {
public:
    OpenResult OpenToRead(const std::string& path) override;
    OpenResult OpenAlways(const std::string& path) override;
    bool Exists(const std::string& path) const override;
};

} // namespace sb
