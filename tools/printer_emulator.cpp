// sbemu: the printer's end of the test set-up. A pipe port ("|sbemu receive ...") starts one
// process per job with the job's bytes on standard input; the process checks the frame and
// writes down what the printer would take from the record. "listen" does the same for each
// connection to a TCP port, as a network printer takes raw jobs ("listen --stall" takes
// connections and never reads them, as a printer that hangs). "show" and "show-raw" print
// the same for a settings file and for a captured job.

#include "files/settings_file.h"
#include "record/setting_record.h"
#include "tools/job_check.h"
#include "tools/record_text.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <span>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace sb {
namespace {

constexpr int kExitGood = 0;
constexpr int kExitFailure = 1; // usage, or a file that could not be read or written
constexpr int kExitMalformed = 2;

// A job is 270 bytes; of anything larger only this much is kept, the rest is counted.
constexpr std::size_t kKeptBytes = 1 << 20;

constexpr std::string_view kUsage = "usage: sbemu receive [--out FILE] [--log FILE] [--dir DIR]\n"
                                    "       sbemu listen [--out FILE] [--log FILE] [--dir DIR]\n"
                                    "       sbemu listen --stall\n"
                                    "       sbemu show FILE.dat\n"
                                    "       sbemu show-raw FILE\n";

class UniqueFd {
public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Close reports what a deferred write error would otherwise hide.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

struct Input {
    std::vector<std::uint8_t> bytes; // at most kKeptBytes
    std::uint64_t total = 0;
};

// Reads to the end even past what is kept: the writer of a pipe port must see its job taken.
bool ReadAll(int fd, Input& input) {
    std::uint8_t buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        const auto size = static_cast<std::size_t>(got);
        const std::size_t keep = std::min(size, kKeptBytes - input.bytes.size());
        input.bytes.insert(input.bytes.end(), buffer, buffer + keep);
        input.total += size;
    }
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return true;
}

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// One write per job, so jobs appended by successive processes never interleave.
bool WriteFile(const std::string& path, int flags, std::span<const std::uint8_t> bytes) {
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0644));
    if (!fd.Valid()) {
        std::fprintf(stderr, "sbemu: cannot open %s\n", path.c_str());
        return false;
    }
    const bool written = WriteAll(fd.Get(), bytes);
    if (!fd.Close() || !written) {
        std::fprintf(stderr, "sbemu: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool ReadFile(const std::string& path, Input& input) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid() || !ReadAll(fd.Get(), input)) {
        std::fprintf(stderr, "sbemu: cannot read %s\n", path.c_str());
        return false;
    }
    return true;
}

// UTC with milliseconds, so jobs sent within one second still tell apart.
std::string Timestamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text + length, sizeof text - length, ".%03dZ", static_cast<int>(millis));
    return text;
}

std::string SizeText(const Input& input) {
    std::string text = std::to_string(input.total) + " bytes";
    if (input.total > input.bytes.size()) {
        text += " (first " + std::to_string(input.bytes.size()) + " kept)";
    }
    return text;
}

struct JobText {
    std::string text;
    bool good = false;
};

// The frame line, then the record's lines when there are 270 bytes to decode.
JobText DescribeJob(std::span<const std::uint8_t> job) {
    const FrameCheck frame = CheckFrame(job);
    JobText result{FrameLine(frame) + "\n", frame.fault == FrameFault::None};
    if (job.size() == kRecordSize) {
        SettingRecord record;
        std::copy(job.begin(), job.end(), record.begin());
        result.text += RenderRecord(record);
    }
    return result;
}

struct JobFiles {
    std::string outPath;
    std::string logPath;
    std::string dir; // a file of its own for each job, when many arrive at once
};

// --out, --log and --dir; false on anything else.
bool ParseJobFiles(std::span<char* const> args, JobFiles& files) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (i + 1 == args.size()) {
            return false;
        }
        if (arg == "--out") {
            files.outPath = args[++i];
        } else if (arg == "--log") {
            files.logPath = args[++i];
        } else if (arg == "--dir") {
            files.dir = args[++i];
        } else {
            return false;
        }
    }
    return true;
}

// The job's bytes into a new file of the folder.
bool WriteJobFile(const std::string& dir, std::span<const std::uint8_t> bytes) {
    std::string path = dir + "/job-XXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd < 0) {
        std::fprintf(stderr, "sbemu: cannot create a file in %s\n", dir.c_str());
        return false;
    }
    UniqueFd file(fd);
    const bool written = WriteAll(file.Get(), bytes);
    if (!file.Close() || !written) {
        std::fprintf(stderr, "sbemu: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// Reads one job to its end, keeps its bytes and writes down what it says.
int TakeJob(int fd, const JobFiles& files) {
    Input job;
    if (!ReadAll(fd, job)) {
        std::fputs("sbemu: cannot read the job\n", stderr);
        return kExitFailure;
    }
    const JobText described = DescribeJob(job.bytes);
    const std::string text =
        "job " + Timestamp() + ", " + SizeText(job) + "\n" + described.text + "\n";
    // The raw bytes first: whoever waits for the log entry finds them complete.
    if (!files.outPath.empty() && !WriteFile(files.outPath, O_TRUNC, job.bytes)) {
        return kExitFailure;
    }
    if (!files.dir.empty() && !WriteJobFile(files.dir, job.bytes)) {
        return kExitFailure;
    }
    const bool logged = files.logPath.empty() ? WriteAll(STDOUT_FILENO, AsBytes(text))
                                              : WriteFile(files.logPath, O_APPEND, AsBytes(text));
    if (!logged) {
        return kExitFailure;
    }
    return described.good ? kExitGood : kExitMalformed;
}

int Receive(std::span<char* const> args) {
    JobFiles files;
    if (!ParseJobFiles(args, files)) {
        std::fputs(kUsage.data(), stderr);
        return kExitFailure;
    }
    return TakeJob(STDIN_FILENO, files);
}

// Takes one connection at a time on a free port of the loopback address, which it prints
// first, until it is stopped; with --stall it keeps every connection open and reads none.
int Listen(std::span<char* const> args) {
    const bool stall = !args.empty() && std::string_view(args[0]) == "--stall";
    JobFiles files;
    if (!ParseJobFiles(args.subspan(stall ? 1 : 0), files) ||
        (stall && !(files.outPath.empty() && files.logPath.empty() && files.dir.empty()))) {
        std::fputs(kUsage.data(), stderr);
        return kExitFailure;
    }
    const UniqueFd listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* any = reinterpret_cast<sockaddr*>(&address);
    // Room for a whole fleet of queues connecting at once.
    if (!listener.Valid() || ::bind(listener.Get(), any, length) != 0 ||
        ::listen(listener.Get(), SOMAXCONN) != 0 ||
        ::getsockname(listener.Get(), any, &length) != 0) {
        std::fputs("sbemu: cannot listen on the loopback address\n", stderr);
        return kExitFailure;
    }
    const std::string port = std::to_string(ntohs(address.sin_port)) + "\n";
    if (!WriteAll(STDOUT_FILENO, AsBytes(port))) {
        return kExitFailure;
    }
    std::vector<UniqueFd> held;
    for (;;) {
        UniqueFd connection(::accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (connection.Valid() && stall) {
            held.emplace_back(std::move(connection));
        } else if (connection.Valid()) {
            TakeJob(connection.Get(), files);
        } else if (errno != EINTR && errno != ECONNABORTED) {
            std::fputs("sbemu: cannot take a connection\n", stderr);
            return kExitFailure;
        }
    }
}

int Show(const std::string& path) {
    Input file;
    if (!ReadFile(path, file)) {
        return kExitFailure;
    }
    std::string text = "file " + path + ", " + SizeText(file) + "\n";
    const SettingsFileCheck check = CheckSettingsFile(file.bytes);
    if (!check.record) {
        text += "not a settings file: " + check.reason + "\n";
        return WriteAll(STDOUT_FILENO, AsBytes(text)) ? kExitMalformed : kExitFailure;
    }
    // A settings file with a broken frame is still one the program loads; the frame line
    // tells what the printer would make of it, and the exit code only what the loader does.
    text += "header: ok\n" + DescribeJob(*check.record).text;
    return WriteAll(STDOUT_FILENO, AsBytes(text)) ? kExitGood : kExitFailure;
}

int ShowRaw(const std::string& path) {
    Input file;
    if (!ReadFile(path, file)) {
        return kExitFailure;
    }
    const JobText described = DescribeJob(file.bytes);
    const std::string text = "file " + path + ", " + SizeText(file) + "\n" + described.text;
    if (!WriteAll(STDOUT_FILENO, AsBytes(text))) {
        return kExitFailure;
    }
    return described.good ? kExitGood : kExitMalformed;
}

int Run(std::span<char* const> args) {
    if (args.empty()) {
        std::fputs(kUsage.data(), stderr);
        return kExitFailure;
    }
    const std::string_view command = args[0];
    if (command == "receive") {
        return Receive(args.subspan(1));
    }
    if (command == "listen") {
        return Listen(args.subspan(1));
    }
    if (args.size() == 2 && command == "show") {
        return Show(args[1]);
    }
    if (args.size() == 2 && command == "show-raw") {
        return ShowRaw(args[1]);
    }
    std::fputs(kUsage.data(), stderr);
    return kExitFailure;
}

} // namespace
} // namespace sb

int main(int argc, char** argv) {
    return sb::Run(std::span<char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
}
