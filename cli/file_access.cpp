#include "cli/file_access.h"

#include "files/file_store.h"

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
    // One byte more than wanted tells a longer file.
    result.bytes.resize(limit + 1);
    result.bytes.resize(opened.file->Read(result.bytes));
    if (result.bytes.size() > limit) {
        result.bytes.resize(limit);
        result.longer = true;
    }
    return result;
}

} // namespace sb::cli
