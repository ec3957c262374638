// sbqueue: makes and removes print queues in the current Wine prefix for tests and the demo.
//
//   sbqueue add NAME --driver DRIVER --port PORT
//   sbqueue remove NAME
//   sbqueue list          one line per local queue: name, driver, port, tab-separated
//
// PORT is "FILE:", "|shell command" (the job goes to the command's standard input) or a
// path. Exit status 0 on success, 1 when the spooler refuses, 2 on a bad command line.
#include "tools/queue_admin.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// Raw UTF-8 with plain line ends, whatever the console or the pipe behind it.
void Put(HANDLE stream, const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    DWORD written = 0;
    ::WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Fail(const std::wstring& what, DWORD error) {
    Put(::GetStdHandle(STD_ERROR_HANDLE),
        L"sbqueue: " + what + L": error " + std::to_wstring(error) + L"\n");
    return 1;
}

int Usage() {
    Put(::GetStdHandle(STD_ERROR_HANDLE), L"usage: sbqueue add NAME --driver DRIVER --port PORT\n"
                                          L"       sbqueue remove NAME\n"
                                          L"       sbqueue list\n");
    return 2;
}

int Add(const std::vector<std::wstring>& args) {
    sb::QueueInfo queue;
    queue.name = args[2];
    bool haveDriver = false;
    bool havePort = false;
    for (std::size_t i = 3; i + 1 < args.size(); i += 2) {
        if (args[i] == L"--driver") {
            queue.driver = args[i + 1];
            haveDriver = true;
        } else if (args[i] == L"--port") {
            queue.port = args[i + 1];
            havePort = true;
        } else {
            return Usage();
        }
    }
    if (!haveDriver || !havePort || args.size() % 2 == 0) {
        return Usage();
    }
    const DWORD error = sb::AddQueue(queue);
    return error == ERROR_SUCCESS ? 0 : Fail(L"cannot add " + queue.name, error);
}

int Run(const std::vector<std::wstring>& args) {
    if (args.size() >= 3 && args[1] == L"add") {
        return Add(args);
    }
    if (args.size() == 3 && args[1] == L"remove") {
        const DWORD error = sb::RemoveQueue(args[2]);
        return error == ERROR_SUCCESS ? 0 : Fail(L"cannot remove " + args[2], error);
    }
    if (args.size() == 2 && args[1] == L"list") {
        for (const sb::QueueInfo& queue : sb::ListQueues()) {
            Put(::GetStdHandle(STD_OUTPUT_HANDLE),
                queue.name + L"\t" + queue.driver + L"\t" + queue.port + L"\n");
        }
        return 0;
    }
    return Usage();
}

} // namespace

int main() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!argv) {
        return Fail(L"cannot read the command line", ::GetLastError());
    }
    std::vector<std::wstring> args(argv, argv + count);
    ::LocalFree(argv);
    return Run(args);
}
