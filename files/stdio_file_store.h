// A FileStore on the C library's streams, for platforms other than the Win32 one (the native
// tests run the settings-file procedures on real files through it). The C library has no share
// modes, so reading does not lock writers out.
#pragma once

#include "files/file_store.h"

namespace sb {

class StdioFileStore final : public FileStore {
public:
    OpenResult OpenToRead(const std::string& path) override;
    OpenResult OpenAlways(const std::string& path) override;
    bool Exists(const std::string& path) const override;
};

} // namespace sb
