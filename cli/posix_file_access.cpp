#include "cli/posix_file_access.h"

#include <cerrno>
#include <climits>
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
mode_t ModeFor(const struct stat* existing) {
    if (existing != nullptr) {
        return existing->st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

PathKind KindOf(const struct stat& info) {
    return S_ISREG(info.st_mode)   ? PathKind::File
           : S_ISDIR(info.st_mode) ? PathKind::Folder
                                   : PathKind::Other;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file a name leads to once every symbolic link on the way is followed, so that the
// link stays a link and its target is what gets replaced. A link that leads nowhere gives
// the name of the file it would make.
std::string Followed(std::string path, std::string& error) {
    // As many as the system itself follows before it gives up.
    constexpr int kMostLinks = 40;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        if (links == kMostLinks) {
            error = Reason("cannot follow its links", ELOOP);
            return {};
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0 || static_cast<std::size_t>(length) == sizeof target) {
            error = Reason("cannot follow its link", length < 0 ? errno : ENAMETOOLONG);
            return {};
        }
        const std::string_view next(target, static_cast<std::size_t>(length));
        if (next.starts_with('/')) {
            path = next;
        } else {
            path = FolderOf(path).append("/").append(next);
        }
    }
}

// Whatever the file holds after its first `offset` bytes, appended to `out`.
bool CopyTail(const std::string& path, long offset, std::FILE* out) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        return false;
    }
    bool copied = std::fseek(in, offset, SEEK_SET) == 0;
    char buffer[8192];
    while (copied) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, in);
        copied = std::fwrite(buffer, 1, got, out) == got;
        if (got < sizeof buffer) {
            copied = copied && std::ferror(in) == 0;
            break;
        }
    }
    std::fclose(in);
    return copied;
}

} // namespace

ReadResult PosixFileAccess::Read(const std::string& path, std::size_t limit) {
    struct stat info {};
    const PathKind kind = ::stat(path.c_str(), &info) == 0 ? KindOf(info) : PathKind::Missing;
    return ReadFromStore(m_store, path, limit, kind);
}

std::string PosixFileAccess::Replace(const std::string& given, std::span<const std::uint8_t> head) {
    std::string error;
    const std::string path = Followed(given, error);
    if (!error.empty()) {
        return error;
    }
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && KindOf(info) != PathKind::File) {
        return KindRefusal(KindOf(info)) + "; nothing written";
    }
    TempFile temp(path + ".XXXXXX");
    if (temp.File() == nullptr) {
        return Reason("cannot create a file in " + FolderOf(path), errno);
    }
    const int fd = ::fileno(temp.File());
    if (std::fwrite(head.data(), 1, head.size(), temp.File()) != head.size()) {
        return Reason("cannot write " + temp.Path(), errno);
    }
    if (exists && info.st_size > static_cast<off_t>(head.size()) &&
        !CopyTail(path, static_cast<long>(head.size()), temp.File())) {
        return Reason("cannot read what follows the settings in " + path, errno);
    }
    if (std::fflush(temp.File()) != 0 || ::fchmod(fd, ModeFor(exists ? &info : nullptr)) != 0 ||
        ::fsync(fd) != 0 || !temp.Close()) {
        return Reason("cannot write " + temp.Path(), errno);
    }
    if (::rename(temp.Path().c_str(), path.c_str()) != 0) {
        return Reason("cannot replace it", errno);
    }
    temp.Renamed();
    return {};
}

} // namespace sb::cli
