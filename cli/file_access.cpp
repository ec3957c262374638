#include "cli/file_access.h"

#include "files/file_store.h"

#include <algorithm>
#include <thread>

namespace sb::cli {

std::string KindRefusal(PathKind kind) {
    switch (kind) {
    case PathKind::Folder:
        return "is a folder, not a settings file";
    case PathKind::Other:
        return "is not a regular file (a device, a FIFO or a socket)";
    case PathKind::Missing:
    case PathKind::File:
        break;
    }
    return {};
}

ReadResult ReadFromStore(FileStore& store, const std::string& path, std::size_t limit,
                         PathKind kind) {
    ReadResult result;
    // Anything but a folder reads as it comes: a script may well hand in a pipe.
    if (kind == PathKind::Folder) {
        result.error = KindRefusal(kind);
        return result;
    }
    OpenResult opened = store.OpenToRead(path);
    if (!opened.file) {
        if (!store.Exists(path)) {
            result.error = "no such file";
        } else if (opened.failure == OpenFailure::AccessDenied) {
            result.error = "cannot be opened: access denied";
        } else {
            result.error = "cannot be opened";
        }
        return result;
    }
    return ReadUpTo(limit, [&](std::span<std::uint8_t> into, std::string&) {
        return std::optional<std::size_t>(opened.file->Read(into));
    });
}

ReadResult ReadUpTo(std::size_t limit, const ReadSome& read) {
    ReadResult result;
    // One byte more than wanted tells a longer file.
    result.bytes.resize(limit + 1);
    std::size_t got = 0;
    while (got < result.bytes.size()) {
        const std::optional<std::size_t> some =
            read(std::span(result.bytes).subspan(got), result.error);
        if (!some) {
            result.bytes.clear();
            return result;
        }
        if (*some == 0) {
            break;
        }
        got += *some;
    }
    result.longer = got > limit;
    result.bytes.resize(std::min(got, limit));
    return result;
}

std::optional<std::vector<std::uint8_t>> MakeNew(const ChangeMaker& make) {
    ReadResult none;
    none.error = "no such file";
    return make(none);
}

std::string LockTimeout(std::chrono::seconds wait) {
    return "another program is changing it (it holds the file's lock): gave up after " +
           std::to_string(wait.count()) + " s (nothing written)";
}

bool TryUntil(std::chrono::steady_clock::time_point deadline,
              const std::function<bool()>& attempt) {
    constexpr auto kLongestPause = std::chrono::milliseconds(50);
    for (auto pause = std::chrono::milliseconds(1);; pause = std::min(2 * pause, kLongestPause)) {
        if (attempt()) {
            return true;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    }
}

} // namespace sb::cli
