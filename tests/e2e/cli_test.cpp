// switchboard-cli.exe against the spooler's queues as the scenarios make them: the printer's
// driver on pipe ports into captures, a queue on FILE:, a queue with another driver; and
// against printers' raw ports.
#include "tests/e2e/scenario.h"

#include <winsock2.h>

#include <thread>

namespace sb::e2e {
namespace {

using Cli = Scenario;

struct CliRun {
    std::optional<DWORD> code; // none when it did not end in time
    std::string out;           // standard output and error, as the program wrote them
};

// Runs the program with its output into a file of the folder, as a script's pipe takes it.
CliRun RunCli(const WorkDir& dir, const std::wstring& args) {
    const std::wstring exe = DosPath(EnvVar("SB_E2E_CLI"));
    const std::wstring outPath = dir.Dos("cli-out.txt");
    CliRun run;
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        UniqueHandle out(::CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.Get();
        startup.hStdError = out.Get();
        std::wstring commandLine = L"\"" + exe + L"\" " + args;
        PROCESS_INFORMATION info{};
        if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                              nullptr, &startup, &info)) {
            ADD_FAILURE() << "switchboard-cli.exe did not start";
            return run;
        }
        UniqueHandle thread(info.hThread);
        UniqueHandle process(info.hProcess);
        DWORD code = 0;
        if (::WaitForSingleObject(process.Get(), kStartMs) == WAIT_OBJECT_0 &&
            ::GetExitCodeProcess(process.Get(), &code)) {
            run.code = code;
        } else {
            ::TerminateProcess(process.Get(), 99);
        }
    }
    const std::optional<Bytes> out = ReadFileBytes(outPath);
    run.out = out ? std::string(out->begin(), out->end()) : std::string();
    return run;
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
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(m_socket, &ready);
        timeval wait{seconds, 0};
        Bytes job;
        if (::select(0, &ready, nullptr, nullptr, &wait) != 1) {
            return job;
        }
        const SOCKET connection = ::accept(m_socket, nullptr, nullptr);
        char buffer[512];
        for (int got; (got = ::recv(connection, buffer, sizeof buffer, 0)) > 0;) {
            job.insert(job.end(), buffer, buffer + got);
        }
        ::closesocket(connection);
        return job;
    }

private:
    SOCKET m_socket;
    unsigned m_port = 0;
};

TEST_F(Cli, SendToARawPortWritesTheRecordAndNamesARefusal) {
    WSADATA winsock;
    ASSERT_EQ(::WSAStartup(MAKEWORD(2, 2), &winsock), 0);
    {
        const LoopbackPort printer(true);
        const LoopbackPort dead(false);
        Bytes settings = FileHeader();
        const Bytes record = FactoryRecord();
        settings.insert(settings.end(), record.begin(), record.end());
        ASSERT_TRUE(WriteFileBytes(Dir().Dos("a.dat"), settings));

        Bytes job;
        std::thread taker([&] { job = printer.TakeJob(20); });
        const CliRun run = RunCli(Dir(), L"send \"" + Dir().Dos("a.dat") + L"\" --device " +
                                             printer.Uri() + L" --device " + dead.Uri());
        taker.join();
        EXPECT_EQ(run.code, 3u) << run.out;
        EXPECT_EQ(run.out, "sent: " + Narrow(printer.Uri()) + "\nnot sent: " + Narrow(dead.Uri()) +
                               ": the printer refused the connection: nothing listens on port " +
                               std::to_string(dead.Port()) + "\n");
        EXPECT_EQ(job, record);
    }
    ::WSACleanup();
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
