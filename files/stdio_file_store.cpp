#include "files/stdio_file_store.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace sb {
namespace {

class StdioFile final : public StoredFile {
public:
    explicit StdioFile(std::FILE* file) : m_file(file) {}
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;
    ~StdioFile() override { Close(); }

    std::size_t Read(std::span<std::uint8_t> buffer) override {
        return m_file ? std::fread(buffer.data(), 1, buffer.size(), m_file) : 0;
    }
    bool Write(std::span<const std::uint8_t> bytes) override {
        return m_file && std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
    }
    bool Close() override {
        if (!m_file) {
            return false;
        }
        const bool flushed = std::fclose(m_file) == 0;
        m_file = nullptr;
        return flushed;
    }

private:
    std::FILE* m_file;
};

OpenResult Opened(std::FILE* file) {
    if (file) {
        return {std::make_unique<StdioFile>(file), OpenFailure::None};
    }
    const bool denied = errno == EACCES || errno == EPERM;
    return {nullptr, denied ? OpenFailure::AccessDenied : OpenFailure::Other};
}

} // namespace

OpenResult StdioFileStore::OpenToRead(const std::string& path) {
    return Opened(std::fopen(path.c_str(), "rb"));
}

OpenResult StdioFileStore::OpenAlways(const std::string& path) {
    // "r+" keeps an existing file as it is; only a missing one is created, so the second
    // open truncates nothing.
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file && errno == ENOENT) {
        file = std::fopen(path.c_str(), "w+b");
    }
    return Opened(file);
}

bool StdioFileStore::Exists(const std::string& path) const {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace sb
