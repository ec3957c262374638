// Files as the settings-file procedures see them. Each open file closes itself when it goes
// out of scope; Close is there for the one caller that must know whether the data reached the
// disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace sb {

class StoredFile {
public:
    virtual ~StoredFile() = default;
    // Fewer bytes than asked for only at the end of the file or on a failure.
    virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
    // True only when every byte was written.
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    // True when everything written so far has been handed to the file system.
    virtual bool Close() = 0;
};

// Why a create failed. It is taken at the create itself and travels with its result, so that
// nothing run in between can change it.
enum class OpenFailure { None, AccessDenied, Other };

struct OpenResult {
    std::unique_ptr<StoredFile> file; // null when the open failed
    OpenFailure failure = OpenFailure::None;
};

class FileStore {
public:
    virtual ~FileStore() = default;
    // An existing file, for reading; others may read it meanwhile, not write it.
    virtual OpenResult OpenToRead(const std::string& path) = 0;
    // For reading and writing, created when missing; an existing file is not truncated.
    virtual OpenResult OpenAlways(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) const = 0;
};

} // namespace sb
