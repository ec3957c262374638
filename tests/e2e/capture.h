// The printer's end of a scenario: a pipe port that hands each job to the native printer
// emulator, or, where that is not built, to cat, and the files the jobs land in.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sb::e2e {

using Bytes = std::vector<std::uint8_t>;

// A folder of the build machine, known by its Linux path (for the port's shell command) and
// by its Windows path (for the files the driver reads and the program writes).
class WorkDir {
public:
    // root/leaf, emptied first.
    WorkDir(const std::string& root, const std::string& leaf);

    const std::string& Unix() const { return m_unix; }
    std::wstring Dos(const std::string& name = "") const;

private:
    std::string m_unix;
};

std::optional<Bytes> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const Bytes& bytes);

class JobCapture {
public:
    // sbemu: the Linux path of the emulator, or empty for a raw capture.
    JobCapture(const WorkDir& dir, std::string sbemu);

    bool Emulated() const { return !m_sbemu.empty(); }
    // "|..." for the queue: each job becomes job.dat once it is complete.
    std::wstring Port() const;
    // Waits for the next job; a job that was already taken is not returned again.
    std::optional<Bytes> WaitJob(DWORD timeoutMs);
    // True when no job arrives within the time.
    bool NoJob(DWORD timeoutMs);
    // The emulator's log of every job so far.
    std::string Log() const;

private:
    const WorkDir& m_dir;
    std::string m_sbemu;
};

} // namespace sb::e2e
