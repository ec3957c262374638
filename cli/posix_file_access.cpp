#include "cli/posix_file_access.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sb::cli {
namespace {

std::string Reason(std::string_view what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// The temporary file until it has taken the target's place; removed if it never does.
class TempFile {
public:
    explicit TempFile(std::string pattern) : m_path(std::move(pattern)) {
        const int fd = ::mkstemp(m_path.data());
        m_bExists = fd >= 0;
        m_file = m_bExists ? ::fdopen(fd, "wb") : nullptr;
        if (m_bExists && m_file == nullptr) {
            ::close(fd);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
        if (m_bExists) {
            ::unlink(m_path.c_str());
        }
    }

    std::FILE* File() const { return m_file; }
    const std::string& Path() const { return m_path; }
    bool Close() {
        std::FILE* file = m_file;
        m_file = nullptr;
        return std::fclose(file) == 0;
    }
    void Renamed() { m_bExists = false; }

private:
    std::string m_path;
    std::FILE* m_file = nullptr;
    bool m_bExists = false;
};

// A new file gets the permissions any new file would; a replaced one keeps its own.
mode_t ModeFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string PosixFileAccess::Replace(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    TempFile temp(path + ".XXXXXX");
    if (temp.File() == nullptr) {
        return Reason("cannot create a file in " + folder, errno);
    }
    const int fd = ::fileno(temp.File());
    if (std::fwrite(bytes.data(), 1, bytes.size(), temp.File()) != bytes.size() ||
        std::fflush(temp.File()) != 0 || ::fchmod(fd, ModeFor(path)) != 0 || ::fsync(fd) != 0) {
        return Reason("cannot write " + temp.Path(), errno);
    }
    if (!temp.Close()) {
        return Reason("cannot write " + temp.Path(), errno);
    }
    if (::rename(temp.Path().c_str(), path.c_str()) != 0) {
        return Reason("cannot replace it", errno);
    }
    temp.Renamed();
    return {};
}

} // namespace sb::cli
