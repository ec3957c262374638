// Files as switchboard-cli reads and changes them. A change is one piece under the file's
// lock: what the file holds is read, the new bytes are made from it, and they are written
// over its start, in place, as the panel's save writes. So nothing another program holds
// of the file is lost: its owner, its mode, its other names, what follows the settings,
// what a program writes there meanwhile. A file that does not exist yet is written beside
// its name first and takes the name once whole, so no half-written file ever has it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
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
    Other, // a device, a FIFO, a socket: nothing a settings file may be written to
};

struct ReadResult {
    std::vector<std::uint8_t> bytes; // at most the limit asked for
    bool longer = false;             // the file holds more than that
    std::string error;               // why it could not be read; empty when it was
};

// The bytes a file's start is to become, made from what it holds (an error when it holds
// nothing, or nothing when it does not exist); nothing when the change is refused.
using ChangeMaker = std::function<std::optional<std::vector<std::uint8_t>>(const ReadResult&)>;

class FileAccess {
public:
    virtual ~FileAccess() = default;
    virtual ReadResult Read(const std::string& path, std::size_t limit) = 0;
    // Takes the file's lock (a change of the file by another switchboard-cli, or by any
    // program that takes it too, ends first; waiting `wait` at most), reads its first
    // `limit` bytes, and writes what `make` gives over them; the lock is let go once that is
    // on the disk. A folder, a device or a FIFO is refused before anything is opened, and so
    // is a file the caller may not write. A symbolic link is followed. The error says what
    // failed; empty when the bytes were written, or when `make` gave none.
    virtual std::string Change(const std::string& path, std::size_t limit,
                               std::chrono::seconds wait, const ChangeMaker& make) = 0;
};

// Why a name of that kind is no file to read or to write; empty for a file or none.
std::string KindRefusal(PathKind kind);

// Read on the panel's own file store: an existing file, opened for reading only.
ReadResult ReadFromStore(FileStore& store, const std::string& path, std::size_t limit,
                         PathKind kind);

// Reads what a file gives, a piece at a time, up to `limit` bytes and one more to tell a
// longer file. `read` fills what it can and says how much (0 at the end), or nothing after
// it has put why into the error.
using ReadSome = std::function<std::optional<std::size_t>(std::span<std::uint8_t>, std::string&)>;
ReadResult ReadUpTo(std::size_t limit, const ReadSome& read);

// What `make` gives for a file that does not exist yet.
std::optional<std::vector<std::uint8_t>> MakeNew(const ChangeMaker& make);

// Why a change gave up waiting for the file's lock.
std::string LockTimeout(std::chrono::seconds wait);

// Tries until `attempt` succeeds or the deadline has passed, a little less often the
// longer it takes; true when it succeeded.
bool TryUntil(std::chrono::steady_clock::time_point deadline, const std::function<bool()>& attempt);

} // namespace sb::cli
