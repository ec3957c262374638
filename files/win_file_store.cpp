#include "files/win_file_store.h"

#include "ui/wide_text.h"

#include <windows.h>

namespace sb {
namespace {

class WinFile final : public StoredFile {
public:
    explicit WinFile(HANDLE file) : m_hFile(file) {}
    WinFile(const WinFile&) = delete;
    WinFile& operator=(const WinFile&) = delete;
    ~WinFile() override { Close(); }

    std::size_t Read(std::span<std::uint8_t> buffer) override {
        std::size_t total = 0;
        while (m_hFile != INVALID_HANDLE_VALUE && total < buffer.size()) {
            DWORD read = 0;
            const auto wanted = static_cast<DWORD>(buffer.size() - total);
            if (!::ReadFile(m_hFile, buffer.data() + total, wanted, &read, nullptr) || read == 0) {
                break;
            }
            total += read;
        }
        return total;
    }

    bool Write(std::span<const std::uint8_t> bytes) override {
        std::size_t total = 0;
        while (m_hFile != INVALID_HANDLE_VALUE && total < bytes.size()) {
            DWORD written = 0;
            const auto wanted = static_cast<DWORD>(bytes.size() - total);
            if (!::WriteFile(m_hFile, bytes.data() + total, wanted, &written, nullptr) ||
                written == 0) {
                return false;
            }
            total += written;
        }
        return total == bytes.size();
    }

    bool Close() override {
        if (m_hFile == INVALID_HANDLE_VALUE) {
            return false;
        }
        const bool closed = ::CloseHandle(m_hFile) != FALSE;
        m_hFile = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_hFile;
};

OpenResult Open(const std::string& path, DWORD access, DWORD disposition) {
    const HANDLE file = ::CreateFileW(Widen(path).c_str(), access, FILE_SHARE_READ, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    // The reason is taken here, before anything else can overwrite it.
    const DWORD error = ::GetLastError();
    if (file == INVALID_HANDLE_VALUE) {
        return {nullptr,
                error == ERROR_ACCESS_DENIED ? OpenFailure::AccessDenied : OpenFailure::Other};
    }
    return {std::make_unique<WinFile>(file), OpenFailure::None};
}

} // namespace

OpenResult WinFileStore::OpenToRead(const std::string& path) {
    return Open(path, GENERIC_READ, OPEN_EXISTING);
}

OpenResult WinFileStore::OpenAlways(const std::string& path) {
    return Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
}

bool WinFileStore::Exists(const std::string& path) const {
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(Widen(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::FindClose(search);
    return true;
}

} // namespace sb
