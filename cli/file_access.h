// Files as switchboard-cli reads and writes them. A write never leaves a half-written file:
// the bytes go to a temporary file in the same folder, which then replaces the target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sb {
class FileStore;
}

namespace sb::cli {

struct ReadResult {
    std::vector<std::uint8_t> bytes; // at most the limit asked for
    bool longer = false;             // the file holds more than that
    std::string error;               // why it could not be read; empty when it was
};

class FileAccess {
public:
    virtual ~FileAccess() = default;
    virtual ReadResult Read(const std::string& path, std::size_t limit) = 0;
    // The file holds exactly these bytes afterwards, or is as it was. The error says what
    // failed; empty on success.
    virtual std::string Replace(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
};

// Read on the panel's own file store: an existing file, opened for reading only.
ReadResult ReadFromStore(FileStore& store, const std::string& path, std::size_t limit);

} // namespace sb::cli
