#include "cli/win_file_access.h"

#include "ui/window.h"

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

std::string WinFileAccess::Replace(const std::string& path, std::span<const std::uint8_t> bytes) {
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
    if (!file.Valid() || !WriteAll(file.Get(), bytes) || !::FlushFileBuffers(file.Get())) {
        return Failure("cannot write " + Narrow(temp.Path()));
    }
    if (!file.Close()) {
        return Failure("cannot write " + Narrow(temp.Path()));
    }
    if (!::MoveFileExW(temp.Path().c_str(), Widen(path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Failure("cannot replace it");
    }
    temp.Renamed();
    return {};
}

} // namespace sb::cli
