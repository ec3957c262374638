// switchboard-cli on Windows: a console program that takes its arguments as UTF-16 and
// writes UTF-16 to a console and UTF-8 to a pipe or file, so that the Japanese texts survive
// either way. Files through the W functions, printers through the print spooler or straight
// at their raw port.
#include "cli/cli.h"
#include "cli/socket_access.h"
#include "cli/spooler_access.h"
#include "cli/win_file_access.h"
#include "printer/win_os_version.h"
#include "printer/win_spooler.h"
#include "ui/system_dll.h"
#include "ui/wide_text.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

class WinConsole final : public sb::cli::Console {
public:
    std::string Out(std::string_view text) override {
        return Put(::GetStdHandle(STD_OUTPUT_HANDLE), text)
                   ? std::string()
                   : sb::cli::SystemMessage(::GetLastError());
    }
    void Err(std::string_view text) override { Put(::GetStdHandle(STD_ERROR_HANDLE), text); }
    bool ErrIsTerminal() override {
        DWORD mode = 0;
        return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
    }

private:
    static bool Put(HANDLE stream, std::string_view text) {
        DWORD mode = 0;
        DWORD written = 0;
        if (::GetConsoleMode(stream, &mode)) {
            const std::wstring wide = sb::Widen(text);
            return ::WriteConsoleW(stream, wide.data(), static_cast<DWORD>(wide.size()), &written,
                                   nullptr) != FALSE &&
                   written == wide.size();
        }
        if (stream == nullptr || stream == INVALID_HANDLE_VALUE) {
            ::SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        return ::WriteFile(stream, text.data(), static_cast<DWORD>(text.size()), &written,
                           nullptr) != FALSE &&
               written == text.size();
    }
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    sb::RestrictDllSearch();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(sb::Narrow(argv[i]));
    }
    WinConsole console;
    sb::cli::WinFileAccess files;
    sb::WinSpooler spooler;
    const sb::WinOsVersion os;
    sb::cli::SpoolerAccess printers(spooler, os.Get());
    sb::cli::CSocketAccess devices;
    return sb::cli::Run(args, console, files, printers, devices);
}
