#include "cli/posix_file_access.h"

#include "cli/output.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sb::cli {
namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

// A file that appears under the name again and again while this waits for it is given up.
constexpr int kMostTries = 20;

std::string Reason(std::string_view what, int error) {
    return std::string(what) + ": " + std::strerror(error);
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

// The file a name leads to once every symbolic link on the way is followed, so that a link
// that leads nowhere gives the name of the file it would make, and stays a link.
std::string Followed(std::string path, std::string& error) {
    // As many as the system itself follows before it gives up.
    constexpr int kMostLinks = 40;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        if (links == kMostLinks) {
            error = Reason("cannot be written", ELOOP);
            return {};
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0 || static_cast<std::size_t>(length) == sizeof target) {
            error = Reason("cannot be written", length < 0 ? errno : ENAMETOOLONG);
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

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int Get() const { return m_fd; }

private:
    int m_fd;
};

bool WriteAt(int fd, std::span<const std::uint8_t> bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t put = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            errno = put == 0 ? EIO : errno;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(put));
        offset += put;
    }
    return true;
}

// From the start: the file was just opened.
ReadResult ReadStart(int fd, std::size_t limit) {
    return ReadUpTo(
        limit,
        [fd](std::span<std::uint8_t> into, std::string& error) -> std::optional<std::size_t> {
            for (;;) {
                const ssize_t read = ::read(fd, into.data(), into.size());
                if (read >= 0) {
                    return static_cast<std::size_t>(read);
                }
                if (errno != EINTR) {
                    error = Reason("cannot be read", errno);
                    return std::nullopt;
                }
            }
        });
}

// The name of the temporary file that exists now, for the signal handlers: a file that was
// never finished is not left behind when the user stops the program.
char g_tempPath[PATH_MAX + 1];
std::atomic<bool> g_bTemp{false};

extern "C" void OnStopSignal(int signal) {
    if (g_bTemp.load()) {
        ::unlink(g_tempPath);
    }
    // Ended the way the signal ends a program, so that the caller sees which one it was.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file of a new one until it has taken its name; removed if it never does,
// whether the write fails or a signal stops the program.
class CTempFile {
public:
    explicit CTempFile(const std::string& folder) {
        std::string pattern = folder + "/sbcXXXXXX.tmp";
        if (pattern.size() > PATH_MAX) {
            errno = ENAMETOOLONG;
            return;
        }
        for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
            // A signal the caller ignores (nohup) stays ignored.
            ::sigaction(kStopSignals[i], nullptr, &m_previous[i]);
            if (m_previous[i].sa_handler != SIG_IGN) {
                struct sigaction action {};
                action.sa_handler = OnStopSignal;
                ::sigaction(kStopSignals[i], &action, nullptr);
            }
        }
        // Named before it exists, so that a signal in between removes it too.
        BlockSignals(true);
        const int fd = ::mkstemps(pattern.data(), 4);
        const int error = errno;
        if (fd >= 0) {
            std::memcpy(g_tempPath, pattern.c_str(), pattern.size() + 1);
            g_bTemp = true;
            m_path = pattern;
            m_fd = fd;
        }
        BlockSignals(false);
        errno = error;
    }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;
    ~CTempFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        BlockSignals(true);
        if (g_bTemp) {
            ::unlink(m_path.c_str());
            g_bTemp = false;
        }
        BlockSignals(false);
        for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
            ::sigaction(kStopSignals[i], &m_previous[i], nullptr);
        }
    }

    int Fd() const { return m_fd; }
    // Takes the name if nothing has it yet; false with errno set otherwise.
    bool Link(const std::string& target) {
        BlockSignals(true);
        const bool linked = ::renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, target.c_str(),
                                        RENAME_NOREPLACE) == 0 ||
                            (errno == EINVAL && ::link(m_path.c_str(), target.c_str()) == 0 &&
                             ::unlink(m_path.c_str()) == 0);
        const int error = errno;
        g_bTemp = !linked;
        BlockSignals(false);
        errno = error;
        return linked;
    }

private:
    static void BlockSignals(bool block) {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : kStopSignals) {
            sigaddset(&set, signal);
        }
        ::sigprocmask(block ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
    }

    std::string m_path;
    int m_fd = -1;
    struct sigaction m_previous[std::size(kStopSignals)]{};
};

// Permissions as any new file gets them.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

enum class Step { Done, Again };

// A file that does not exist yet: written beside its name, which it then takes, unless
// another program has made a file of that name meanwhile (then `Again`).
Step Create(const std::string& given, const ChangeMaker& make, std::string& error) {
    const std::string path = Followed(given, error);
    if (!error.empty()) {
        return Step::Done;
    }
    const std::optional<Bytes> bytes = MakeNew(make);
    if (!bytes) {
        return Step::Done;
    }
    const std::string folder = FolderOf(path);
    CTempFile temp(folder);
    if (temp.Fd() < 0) {
        error = Reason("cannot create a file in the folder " + ShownPath(folder), errno);
        return Step::Done;
    }
    if (!WriteAt(temp.Fd(), *bytes, 0) || ::fchmod(temp.Fd(), NewFileMode()) != 0 ||
        ::fsync(temp.Fd()) != 0) {
        error = Reason("cannot write", errno);
        return Step::Done;
    }
    if (!temp.Link(path)) {
        if (errno == EEXIST) {
            return Step::Again;
        }
        error = Reason("cannot give the new file its name", errno);
    }
    return Step::Done;
}

// Writes the new start over the old one; when that fails, puts the old one back.
std::string WriteOver(int fd, const ReadResult& old, off_t oldSize, const Bytes& bytes) {
    if (WriteAt(fd, bytes, 0) && ::fsync(fd) == 0) {
        return {};
    }
    const int error = errno;
    const std::size_t kept =
        std::min<std::size_t>(old.bytes.size(), static_cast<std::size_t>(oldSize));
    if (WriteAt(fd, std::span(old.bytes).first(kept), 0)) {
        // The old size back where the new start made the file longer. The write's own failure
        // is what the caller hears of; glibc's fortified builds (the Debian package) insist
        // that this result be taken, which a cast to void does not do.
        [[maybe_unused]] const int cut = ::ftruncate(fd, oldSize);
        (void)::fsync(fd);
    }
    return Reason("cannot write", error);
}

} // namespace

ReadResult PosixFileAccess::Read(const std::string& path, std::size_t limit) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        ReadResult result;
        result.error = errno == ENOENT ? "no such file" : Reason("cannot be read", errno);
        return result;
    }
    return ReadFromStore(m_store, path, limit, KindOf(info));
}

std::string PosixFileAccess::Change(const std::string& path, std::size_t limit,
                                    std::chrono::seconds wait, const ChangeMaker& make) {
    const Clock::time_point deadline = Clock::now() + wait;
    for (int tries = 0; tries < kMostTries; ++tries) {
        // What it is, before anything opens it: opening a FIFO waits for a writer.
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return Reason("cannot be written", errno);
            }
            std::string error;
            if (Create(path, make, error) == Step::Done) {
                return error;
            }
            continue;
        }
        if (KindOf(info) != PathKind::File) {
            return KindRefusal(KindOf(info));
        }
        // Opened for writing as well, so that a file the caller may not write is refused
        // before anything is made, as the shell refuses it.
        const FileDescriptor file(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat held {};
        if (file.Get() < 0 && errno == ENOENT) {
            continue; // gone since: made anew
        }
        if (file.Get() < 0) {
            return Reason("cannot be written", errno);
        }
        if (::fstat(file.Get(), &held) != 0 || KindOf(held) != PathKind::File) {
            return KindRefusal(PathKind::Other);
        }
        const bool locked =
            TryUntil(deadline, [&] { return ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0; });
        if (!locked) {
            return LockTimeout(wait);
        }
        // Replaced under its name while this waited: the change goes to the file it is now.
        if (::stat(path.c_str(), &info) != 0 || info.st_dev != held.st_dev ||
            info.st_ino != held.st_ino) {
            continue;
        }
        const ReadResult current = ReadStart(file.Get(), limit);
        if (!current.error.empty()) {
            return current.error;
        }
        if (::fstat(file.Get(), &held) != 0) {
            return Reason("cannot be read", errno);
        }
        const std::optional<Bytes> bytes = make(current);
        if (!bytes) {
            return {};
        }
        return WriteOver(file.Get(), current, held.st_size, *bytes);
    }
    return "was replaced by another program again and again while this waited (nothing "
           "written)";
}

} // namespace sb::cli
