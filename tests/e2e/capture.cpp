#include "tests/e2e/capture.h"

#include "tests/e2e/driver.h"

#include <filesystem>
#include <system_error>

namespace sb::e2e {
namespace {

// Single quotes for /bin/sh; the paths here never hold one themselves.
std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

} // namespace

WorkDir::WorkDir(const std::string& root, const std::string& leaf) : m_unix(root + "/" + leaf) {
    std::error_code ignored;
    std::filesystem::remove_all(Dos(), ignored);
    std::filesystem::create_directories(Dos(), ignored);
}

std::wstring WorkDir::Dos(const std::string& name) const {
    return DosPath(name.empty() ? m_unix : m_unix + "/" + name);
}

std::optional<Bytes> ReadFileBytes(const std::wstring& path) {
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    Bytes bytes;
    std::uint8_t chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const Bytes& bytes) {
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.Get() != INVALID_HANDLE_VALUE &&
           ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
           written == bytes.size();
}

JobCapture::JobCapture(const WorkDir& dir, std::string sbemu)
    : m_dir(dir), m_sbemu(std::move(sbemu)) {}

std::wstring JobCapture::Port() const {
    // The reader in place of the port's shell, which would hold what it inherited; the
    // folder of the jobs, and the emulator where there is one.
    std::string command = "|exec ";
    command += Quoted(EnvVar("SB_E2E_RECEIVE"));
    command += ' ';
    command += Quoted(m_dir.Unix());
    if (Emulated()) {
        command += ' ';
        command += Quoted(m_sbemu);
    }
    return Widen(command);
}

std::optional<Bytes> JobCapture::WaitJob(DWORD timeoutMs) {
    const std::wstring path = m_dir.Dos("job.dat");
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (auto bytes = ReadFileBytes(path)) {
            ::DeleteFileW(path.c_str());
            return bytes;
        }
        if (::GetTickCount64() >= deadline) {
            return std::nullopt;
        }
        ::Sleep(20);
    }
}

bool JobCapture::NoJob(DWORD timeoutMs) {
    return !WaitJob(timeoutMs);
}

std::string JobCapture::Log() const {
    const auto bytes = ReadFileBytes(m_dir.Dos("jobs.log"));
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

} // namespace sb::e2e
