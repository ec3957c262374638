// Files as switchboard-cli reads and writes them. A write never leaves a half-written file:
// the bytes go to a temporary file in the target's folder, which then replaces the target.
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

// What a name leads to, symbolic links followed.
enum class PathKind {
    Missing,
    File,
    Folder,
    Other, // a device, a FIFO, a socket: nothing a settings file may replace
};

struct ReadResult {
    std::vector<std::uint8_t> bytes; // at most the limit asked for
    bool longer = false;             // the file holds more than that
    std::string error;               // why it could not be read; empty when it was
};

class FileAccess {
public:
    virtual ~FileAccess() = default;
    virtual ReadResult Read(const std::string& path, std::size_t limit) = 0;
    // The file's first bytes become these and whatever it holds beyond them stays, as the
    // panel's save leaves a longer file's tail; a missing file is created. A symbolic link is
    // followed and its target replaced; a folder, a device or a FIFO is refused. The file is
    // as it was unless the whole of it was written. The error says what failed; empty on
    // success.
    virtual std::string Replace(const std::string& path, std::span<const std::uint8_t> head) = 0;
};

// Why a name of that kind is no file to read or to replace; empty for a file or none.
std::string KindRefusal(PathKind kind);

// Read on the panel's own file store: an existing file, opened for reading only.
ReadResult ReadFromStore(FileStore& store, const std::string& path, std::size_t limit,
                         PathKind kind);

} // namespace sb::cli
