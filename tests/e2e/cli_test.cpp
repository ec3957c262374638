// switchboard-cli.exe against the spooler's queues as the scenarios make them: the printer's
// driver on pipe ports into captures, a queue on FILE:, a queue with another driver; and
// against printers' raw ports.
#include "tests/e2e/scenario.h"

#include <winsock2.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace sb::e2e {
namespace {

using Cli = Scenario;

struct CliRun {
    std::optional<DWORD> code; // none when it did not end in time
    std::string out;           // standard output and error, as the program wrote them
};

// The program running, with its output into a file of the folder, as a script's pipe takes
// it; several may run at once, each into a file of its own.
class CliProcess {
public:
    CliProcess(const WorkDir& dir, const std::wstring& args, const std::string& outName)
        : m_outPath(dir.Dos(outName)) {
        const std::wstring exe = DosPath(EnvVar("SB_E2E_CLI"));
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        UniqueHandle out(::CreateFileW(m_outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.Get();
        startup.hStdError = out.Get();
        std::wstring commandLine = L"\"" + exe + L"\" " + args;
        PROCESS_INFORMATION info{};
        // In the folder, so that its files go by their names.
        if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                              dir.Dos().c_str(), &startup, &info)) {
            ADD_FAILURE() << "switchboard-cli.exe did not start";
            return;
        }
        ::CloseHandle(info.hThread);
        m_process = UniqueHandle(info.hProcess);
    }

    // Once it has ended; stopped when it does not within the time.
    CliRun Finish() {
        CliRun run;
        DWORD code = 0;
        if (m_process.Get() != nullptr) {
            if (::WaitForSingleObject(m_process.Get(), kStartMs) == WAIT_OBJECT_0 &&
                ::GetExitCodeProcess(m_process.Get(), &code)) {
                run.code = code;
            } else {
                ::TerminateProcess(m_process.Get(), 99);
            }
        }
        const std::optional<Bytes> out = ReadFileBytes(m_outPath);
        run.out = out ? std::string(out->begin(), out->end()) : std::string();
        return run;
    }

private:
    std::wstring m_outPath;
    UniqueHandle m_process;
};

CliRun RunCli(const WorkDir& dir, const std::wstring& args) {
    return CliProcess(dir, args, "cli-out.txt").Finish();
}

// A TCP port of the loopback address, listening or only bound (which refuses connections).
class LoopbackPort {
public:
    explicit LoopbackPort(bool listening) : m_socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        const bool bound = ::bind(m_socket, any, length) == 0 &&
                           (!listening || ::listen(m_socket, 4) == 0) &&
                           ::getsockname(m_socket, any, &length) == 0;
        m_port = bound ? ntohs(address.sin_port) : 0;
    }
    LoopbackPort(const LoopbackPort&) = delete;
    LoopbackPort& operator=(const LoopbackPort&) = delete;
    ~LoopbackPort() { ::closesocket(m_socket); }

    unsigned Port() const { return m_port; }
    std::wstring Uri() const { return L"socket://127.0.0.1:" + std::to_wstring(m_port); }
    // What one connection brings until its end, then closed as a printer closes it; nothing
    // when none comes within the time.
    Bytes TakeJob(int seconds) const {
        Bytes job;
        const SOCKET connection = Accept(seconds);
        char buffer[512];
        for (int got; (got = ::recv(connection, buffer, sizeof buffer, 0)) > 0;) {
            job.insert(job.end(), buffer, buffer + got);
        }
        ::closesocket(connection);
        return job;
    }
    // One connection: its job read to the end, then 1 MiB blocks sent for as long as the
    // other side takes them, for a time at most.
    void Talk(int seconds) const {
        const SOCKET connection = Accept(seconds);
        char buffer[512];
        while (::recv(connection, buffer, sizeof buffer, 0) > 0) {
        }
        const std::vector<char> block(1 << 20);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < end &&
               ::send(connection, block.data(), static_cast<int>(block.size()), 0) > 0) {
        }
        ::closesocket(connection);
    }
    // One connection: its sending side closed at once and nothing read, held until the test
    // says the other side is done, for a time at most.
    void CloseEarly(const std::atomic<bool>& done, int seconds) const {
        const SOCKET connection = Accept(seconds);
        ::shutdown(connection, SD_SEND);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!done && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::closesocket(connection);
    }

private:
    // The next connection; INVALID_SOCKET when none comes within the time.
    SOCKET Accept(int seconds) const {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(m_socket, &ready);
        timeval wait{seconds, 0};
        return ::select(0, &ready, nullptr, nullptr, &wait) == 1
                   ? ::accept(m_socket, nullptr, nullptr)
                   : INVALID_SOCKET;
    }

    SOCKET m_socket;
    unsigned m_port = 0;
};

// Winsock for the test's own listeners, as long as a test needs it.
class Winsock {
public:
    Winsock() { EXPECT_EQ(::WSAStartup(MAKEWORD(2, 2), &m_data), 0); }
    ~Winsock() { ::WSACleanup(); }
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;

private:
    WSADATA m_data{};
};

Bytes SettingsFile(const Bytes& record) {
    Bytes settings = FileHeader();
    settings.insert(settings.end(), record.begin(), record.end());
    return settings;
}

TEST_F(Cli, SendToARawPortWritesTheRecordAndNamesARefusal) {
    const Winsock winsock;
    const LoopbackPort printer(true);
    const LoopbackPort dead(false);
    ASSERT_TRUE(WriteFileBytes(Dir().Dos("a.dat"), SettingsFile(FactoryRecord())));

    Bytes job;
    std::thread taker([&] { job = printer.TakeJob(20); });
    const CliRun run = RunCli(Dir(), L"send \"" + Dir().Dos("a.dat") + L"\" --device " +
                                         printer.Uri() + L" --device " + dead.Uri());
    taker.join();
    EXPECT_EQ(run.code, 3u) << run.out;
    EXPECT_EQ(run.out, "sent: " + Narrow(printer.Uri()) + "\nnot sent: " + Narrow(dead.Uri()) +
                           ": the printer refused the connection: nothing listens on port " +
                           std::to_string(dead.Port()) + "\n");
    EXPECT_EQ(job, FactoryRecord());
}

// A printer that talks without end costs its deadline and no more; one that closes before
// it has the job is not sent to; a name is looked up (on a thread of its own) and each of
// its addresses tried.
TEST_F(Cli, ARawPortsDeadlineHoldsWhateverThePrinterDoes) {
    const Winsock winsock;
    const LoopbackPort talker(true);
    const LoopbackPort early(true);
    const LoopbackPort printer(true);
    ASSERT_TRUE(WriteFileBytes(Dir().Dos("a.dat"), SettingsFile(FactoryRecord())));

    std::thread talking([&] { talker.Talk(10); });
    std::atomic<bool> done{false};
    std::thread closing([&] { early.CloseEarly(done, 10); });
    Bytes job;
    std::thread taker([&] { job = printer.TakeJob(20); });
    const std::wstring named = L"socket://localhost:" + std::to_wstring(printer.Port());
    const auto start = std::chrono::steady_clock::now();
    const CliRun run = RunCli(Dir(), L"send a.dat --device " + talker.Uri() + L" --device " +
                                         early.Uri() + L" --device " + named + L" --timeout 2");
    const auto took = std::chrono::steady_clock::now() - start;
    done = true;
    talking.join();
    closing.join();
    taker.join();
    EXPECT_EQ(run.code, 3u) << run.out;
    EXPECT_EQ(run.out, "not sent: " + Narrow(talker.Uri()) +
                           ": connected, but the printer did not take the job within 2 s (it did "
                           "not close the connection)\nnot sent: " +
                           Narrow(early.Uri()) + ": the printer closed before taking the job\n" +
                           "sent: " + Narrow(named) + "\n");
    // The deadline, and the program's start under Wine.
    EXPECT_LT(took, std::chrono::milliseconds(3500));
    EXPECT_EQ(job, FactoryRecord());
}

// Another program's lock is waited for, up to the time given; two sets at once both land.
TEST_F(Cli, SetWaitsForTheFilesLockAndTwoAtOnceKeepBothChanges) {
    ASSERT_TRUE(WriteFileBytes(Dir().Dos("a.dat"), SettingsFile(FactoryRecord())));
    {
        const UniqueHandle held(::CreateFileW(Dir().Dos("a.dat").c_str(),
                                              GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        OVERLAPPED whole{};
        ASSERT_TRUE(
            ::LockFileEx(held.Get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));
        const CliRun run = RunCli(Dir(), L"set a.dat select.form=書式２ --timeout 1");
        EXPECT_EQ(run.code, 2u) << run.out;
        EXPECT_EQ(run.out, "switchboard-cli: a.dat: another program is changing it (it holds the "
                           "file's lock): gave up after 1 s (nothing written)\n");
    }
    EXPECT_EQ(ReadFileBytes(Dir().Dos("a.dat")), SettingsFile(FactoryRecord()));

    ASSERT_EQ(RunCli(Dir(), L"new both.dat select.print-pressure=+1 msw2-4=有効").code, 0u);
    const std::optional<Bytes> both = ReadFileBytes(Dir().Dos("both.dat"));
    int kept = 0;
    for (int pair = 0; pair < 10; ++pair) {
        ASSERT_TRUE(WriteFileBytes(Dir().Dos("a.dat"), SettingsFile(FactoryRecord())));
        CliProcess first(Dir(), L"set a.dat select.print-pressure=+1", "first.txt");
        CliProcess second(Dir(), L"set a.dat msw2-4=有効", "second.txt");
        const bool done = first.Finish().code == 0u && second.Finish().code == 0u;
        kept += done && ReadFileBytes(Dir().Dos("a.dat")) == both ? 1 : 0;
    }
    EXPECT_EQ(kept, 10);
}

TEST_F(Cli, SendAllReachesEachQueueOfThePrinterOnceAndSkipsFile) {
    // Each queue of the printer's driver into a capture of its own, and one of another driver.
    const WorkDir secondDir(EnvVar("SB_E2E_WORK"), "Cli.second");
    const WorkDir otherDir(EnvVar("SB_E2E_WORK"), "Cli.other");
    JobCapture second(secondDir, {});
    JobCapture other(otherDir, {});
    const std::wstring first = AddCapturedQueue(L"Quillstrike (一)");
    const std::wstring next = AddQueue(L"Quillstrike (二)", kDriver, second.Port());
    const std::wstring file = AddQueue(L"Quillstrike file", kDriver, L"FILE:");
    AddQueue(L"Another", L"Another printer", other.Port());

    Bytes record = FactoryRecord();
    record[72] = '5'; // reduction 4/5
    Bytes settings = FileHeader();
    settings.insert(settings.end(), record.begin(), record.end());
    ASSERT_TRUE(WriteFileBytes(Dir().Dos("a.dat"), settings));

    // All at once, each on a thread of its own.
    const CliRun run = RunCli(Dir(), L"send \"" + Dir().Dos("a.dat") + L"\" --all --jobs 4");
    EXPECT_EQ(run.code, 0u) << run.out;
    // In the order the selection lists them; FILE: is skipped with its reason.
    const std::string expected =
        "sent: \"" + Narrow(first) + "\" (" + Narrow(Capture().Port()) + ")\n" + "sent: \"" +
        Narrow(next) + "\" (" + Narrow(second.Port()) + ")\n" + "skipped: \"" + Narrow(file) +
        "\" (FILE:): the connection is FILE:, which never reaches the printer (the panel refuses "
        "it too)\n";
    EXPECT_EQ(run.out, expected);

    for (JobCapture* capture : {&Capture(), &second}) {
        const std::optional<Bytes> job = capture->WaitJob(kWaitMs);
        ASSERT_TRUE(job) << "a queue of the printer got no job";
        EXPECT_EQ(*job, record);
    }
    ExpectLogLines(Capture(), {"select.reduction: ４／５縮小"});
    // Exactly once each, and nothing to the other driver's queue.
    EXPECT_TRUE(Capture().NoJob(1000));
    EXPECT_TRUE(second.NoJob(100));
    EXPECT_TRUE(other.NoJob(100));
}

} // namespace
} // namespace sb::e2e
