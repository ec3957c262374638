#include "cli/file_access.h"

#include "files/file_store.h"

namespace sb::cli {

ReadResult ReadFromStore(FileStore& store, const std::string& path, std::size_t limit) {
    ReadResult result;
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
