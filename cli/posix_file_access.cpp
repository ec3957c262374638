#include "cli/posix_file_access.h"

#include <cerrno>
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
    explicit TempFile(std::string pattern)
        : m_path(std::move(pattern)), m_fd(::mkstemp(m_path.data())), m_bExists(m_fd >= 0) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (m_bExists) {
            ::unlink(m_path.c_str());
        }
    }

    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_path; }
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }
    void Renamed() { m_bExists = false; }

private:
    std::string m_path;
    int m_fd;
    bool m_bExists;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return true;
}

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
    if (temp.Fd() < 0) {
        return Reason("cannot create a file in " + folder, errno);
    }
    if (!WriteAll(temp.Fd(), bytes) || ::fchmod(temp.Fd(), ModeFor(path)) != 0 ||
        ::fsync(temp.Fd()) != 0) {
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
