#include "cli/win_file_access.h"

#include "cli/output.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

#include <windows.h>

#include <mutex>

namespace sb::cli {
namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

// A file that appears under the name again and again while this writes a new one is given
// up.
constexpr int kMostTries = 20;

std::string Failure(std::string_view what) {
    const DWORD error = ::GetLastError();
    return std::string(what) + ": " + SystemMessage(error);
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool WriteAt(HANDLE file, std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
        return false;
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written == 0) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

// From the start: the file was just opened.
ReadResult ReadStart(HANDLE file, std::size_t limit) {
    return ReadUpTo(
        limit,
        [file](std::span<std::uint8_t> into, std::string& error) -> std::optional<std::size_t> {
            DWORD read = 0;
            if (!::ReadFile(file, into.data(), static_cast<DWORD>(into.size()), &read, nullptr)) {
                error = Failure("cannot be read");
                return std::nullopt;
            }
            return read;
        });
}

// The name of the temporary file that exists now, for the console's control handler: a
// file that was never finished is not left behind when the user stops the program.
std::mutex g_tempMutex;
std::wstring g_tempPath;

BOOL WINAPI OnStop(DWORD /*event*/) {
    const std::lock_guard lock(g_tempMutex);
    if (!g_tempPath.empty()) {
        ::DeleteFileW(g_tempPath.c_str());
        g_tempPath.clear();
    }
    // The system's own handling goes on: the program ends as Ctrl+C ends it.
    return FALSE;
}

// The temporary file of a new one until it has taken its name; removed if it never does,
// whether the write fails or Ctrl+C stops the program.
class CTempFile {
public:
    explicit CTempFile(const std::wstring& folder) {
        ::SetConsoleCtrlHandler(OnStop, TRUE);
        const std::lock_guard lock(g_tempMutex);
        wchar_t path[MAX_PATH];
        if (::GetTempFileNameW(folder.c_str(), L"sbc", 0, path) != 0) {
            g_tempPath = path;
            m_path = path;
        }
    }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;
    ~CTempFile() {
        {
            const std::lock_guard lock(g_tempMutex);
            if (!g_tempPath.empty()) {
                ::DeleteFileW(g_tempPath.c_str());
                g_tempPath.clear();
            }
        }
        ::SetConsoleCtrlHandler(OnStop, FALSE);
    }

    bool Created() const { return !m_path.empty(); }
    const std::wstring& Path() const { return m_path; }
    // Takes the name if nothing has it yet; false with the last error set otherwise.
    bool Move(const std::wstring& target) {
        const std::lock_guard lock(g_tempMutex);
        if (!::MoveFileExW(m_path.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return false;
        }
        g_tempPath.clear();
        return true;
    }

private:
    std::wstring m_path;
};

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) {
        return ".";
    }
    // A drive's root keeps its separator.
    return slash == 0 || path[slash - 1] == ':' ? path.substr(0, slash + 1) : path.substr(0, slash);
}

enum class Step { Done, Again };

// A file that does not exist yet: written beside its name, which it then takes, unless
// another program has made a file of that name meanwhile (then `Again`).
Step Create(const std::string& path, const ChangeMaker& make, std::string& error) {
    const std::optional<Bytes> bytes = MakeNew(make);
    if (!bytes) {
        return Step::Done;
    }
    const std::string folder = FolderOf(path);
    CTempFile temp(Widen(folder));
    if (!temp.Created()) {
        error = Failure("cannot create a file in the folder " + ShownPath(folder));
        return Step::Done;
    }
    {
        CFileHandle file(::CreateFileW(temp.Path().c_str(), GENERIC_WRITE, FILE_SHARE_DELETE,
                                       nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteAt(file.Get(), *bytes, 0) || !::FlushFileBuffers(file.Get()) ||
            !::CloseHandle(file.Release())) {
            error = Failure("cannot write");
            return Step::Done;
        }
    }
    if (!temp.Move(Widen(path))) {
        if (::GetLastError() == ERROR_ALREADY_EXISTS || ::GetLastError() == ERROR_FILE_EXISTS) {
            return Step::Again;
        }
        error = Failure("cannot give the new file its name");
    }
    return Step::Done;
}

// Writes the new start over the old one; when that fails, puts the old one back.
std::string WriteOver(HANDLE file, const ReadResult& old, const Bytes& bytes) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) {
        return Failure("cannot be read");
    }
    if (WriteAt(file, bytes, 0) && ::FlushFileBuffers(file)) {
        return {};
    }
    const DWORD error = ::GetLastError();
    if (WriteAt(file, old.bytes, 0) && ::SetFilePointerEx(file, size, nullptr, FILE_BEGIN)) {
        ::SetEndOfFile(file);
        ::FlushFileBuffers(file);
    }
    return "cannot write: " + SystemMessage(error);
}

} // namespace

std::string SystemMessage(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length != 0 ? std::wstring(text, length) : std::wstring();
    ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(error) : Narrow(message);
}

ReadResult WinFileAccess::Read(const std::string& path, std::size_t limit) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ReadResult result;
        result.error = IsMissing(::GetLastError()) ? "no such file" : Failure("cannot be read");
        return result;
    }
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return ReadFromStore(m_store, path, limit, folder ? PathKind::Folder : PathKind::File);
}

std::string WinFileAccess::Change(const std::string& path, std::size_t limit,
                                  std::chrono::seconds wait, const ChangeMaker& make) {
    const Clock::time_point deadline = Clock::now() + wait;
    const std::wstring name = Widen(path);
    for (int tries = 0; tries < kMostTries; ++tries) {
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (!IsMissing(::GetLastError())) {
                return Failure("cannot be written");
            }
            std::string error;
            if (Create(path, make, error) == Step::Done) {
                return error;
            }
            continue;
        }
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return KindRefusal(PathKind::Folder);
        }
        // Opened for writing as well, so that a read-only file, or one the caller may not
        // write, is refused before anything is made, as the panel refuses it. Others may
        // read it meanwhile, as the panel's save lets them.
        const CFileHandle file(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return Failure("cannot be written");
        }
        if (::GetFileType(file.Get()) != FILE_TYPE_DISK) {
            return KindRefusal(PathKind::Other);
        }
        // The whole file, as far as it may ever reach.
        OVERLAPPED whole{};
        const bool locked = TryUntil(deadline, [&] {
            return ::LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                                MAXDWORD, MAXDWORD, &whole) != FALSE;
        });
        if (!locked) {
            return LockTimeout(wait);
        }
        const ReadResult current = ReadStart(file.Get(), limit);
        std::string error = current.error;
        if (error.empty()) {
            if (const std::optional<Bytes> bytes = make(current)) {
                error = WriteOver(file.Get(), current, *bytes);
            }
        }
        ::UnlockFileEx(file.Get(), 0, MAXDWORD, MAXDWORD, &whole);
        return error;
    }
    return "was made by another program again and again while this wrote it (nothing written)";
}

} // namespace sb::cli
