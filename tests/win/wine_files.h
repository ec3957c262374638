// Files the Windows tests read back, and the Linux paths a pipe port's shell command needs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sb::test {

inline std::wstring TempPath(const std::wstring& leaf) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + leaf;
}

// The Linux path of a Windows path, for a shell command in a pipe port.
inline std::string UnixPath(const std::wstring& path) {
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) {
        return {};
    }
    char* unix = convert(path.c_str());
    if (!unix) {
        return {};
    }
    std::string result(unix);
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

inline std::vector<std::uint8_t> ReadAll(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The pipe's command may still be writing when the job has ended.
inline std::vector<std::uint8_t> WaitForBytes(const std::wstring& path, std::size_t count) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 50; ++i) {
        bytes = ReadAll(path);
        if (bytes.size() >= count) {
            break;
        }
        ::Sleep(100);
    }
    return bytes;
}

} // namespace sb::test
