#include "cli/win_file_access.h"

#include "ui/wide_text.h"

#include <windows.h>

namespace sb::cli {
namespace {

// The temporary file until it has taken the target's place; removed if it never does.
class TempFile {
public:
    explicit TempFile(const std::wstring& folder) {
        wchar_t path[MAX_PATH];
        if (::GetTempFileNameW(folder.c_str(), L"sbc", 0, path) != 0) {
            m_path = path;
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!m_path.empty()) {
            ::DeleteFileW(m_path.c_str());
        }
    }

    bool Created() const { return !m_path.empty(); }
    const std::wstring& Path() const { return m_path; }
    void Renamed() { m_path.clear(); }

private:
    std::wstring m_path;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close() {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != FALSE;
    }

private:
    HANDLE m_handle;
};

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
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

std::string Failure(std::string_view what) {
    const DWORD error = ::GetLastError();
    return std::string(what) + ": " + SystemMessage(error);
}

// What a name leads to, and the file it is once links and junctions are followed, so that a
// link stays a link and its target is what gets replaced.
PathKind Resolve(const std::wstring& given, std::wstring& path) {
    path = given;
    const FileHandle file(
        ::CreateFileW(given.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) {
        return PathKind::Missing;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(file.Get(), &info)) {
        return PathKind::Other;
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::Folder;
    }
    wchar_t final[MAX_PATH];
    const DWORD length = ::GetFinalPathNameByHandleW(file.Get(), final, MAX_PATH,
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length != 0 && length < MAX_PATH) {
        path.assign(final, length);
        // "\\?\C:\..." as the plain path it stands for, which every call takes.
        constexpr std::wstring_view kLong = L"\\\\?\\";
        if (path.starts_with(kLong) && path.size() > 6 && path[5] == L':') {
            path.erase(0, kLong.size());
        }
    }
    return PathKind::File;
}

// Whatever the file holds after its first `offset` bytes, appended to `out`.
bool CopyTail(const std::wstring& path, std::size_t offset, HANDLE out) {
    const FileHandle in(::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(offset);
    if (!in.Valid() || !::SetFilePointerEx(in.Get(), start, nullptr, FILE_BEGIN)) {
        return false;
    }
    std::uint8_t buffer[8192];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(in.Get(), buffer, sizeof buffer, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!WriteAll(out, std::span(buffer, got))) {
            return false;
        }
    }
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
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return ReadFromStore(m_store, path, limit, folder ? PathKind::Folder : PathKind::File);
}

std::string WinFileAccess::Replace(const std::string& given, std::span<const std::uint8_t> head) {
    std::wstring target;
    const PathKind kind = Resolve(Widen(given), target);
    if (kind == PathKind::Folder || kind == PathKind::Other) {
        return KindRefusal(kind) + "; nothing written";
    }
    const std::string path = Narrow(target);
    const std::size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    TempFile temp(Widen(folder));
    if (!temp.Created()) {
        // Named without its last separator, unless that is a drive's root.
        const bool root = folder.size() <= 1 || folder[folder.size() - 2] == ':';
        return Failure("cannot create a file in " +
                       (root ? folder : folder.substr(0, folder.size() - 1)));
    }
    FileHandle file(::CreateFileW(temp.Path().c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid() || !WriteAll(file.Get(), head)) {
        return Failure("cannot write " + Narrow(temp.Path()));
    }
    if (kind == PathKind::File && !CopyTail(target, head.size(), file.Get())) {
        return Failure("cannot read what follows the settings in " + path);
    }
    if (!::FlushFileBuffers(file.Get()) || !file.Close()) {
        return Failure("cannot write " + Narrow(temp.Path()));
    }
    if (!::MoveFileExW(temp.Path().c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Failure("cannot replace it");
    }
    temp.Renamed();
    return {};
}

} // namespace sb::cli
