// switchboard-cli on Linux: files through the C library and POSIX, printers through CUPS or
// straight at their raw port.
#include "cli/cli.h"
#include "cli/cups_access.h"
#include "cli/posix_file_access.h"
#include "cli/socket_access.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class StdConsole final : public sb::cli::Console {
public:
    std::string Out(std::string_view text) override {
        return Put(stdout, text) ? std::string() : std::strerror(errno);
    }
    void Err(std::string_view text) override { Put(stderr, text); }
    bool ErrIsTerminal() override { return ::isatty(STDERR_FILENO) == 1; }

private:
    // Each piece at once, so that a line per printer shows while the next is being sent.
    static bool Put(std::FILE* stream, std::string_view text) {
        return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
               std::fflush(stream) == 0;
    }
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    StdConsole console;
    sb::cli::PosixFileAccess files;
    sb::cli::CupsAccess printers;
    sb::cli::CSocketAccess devices;
    return sb::cli::Run(args, console, files, printers, devices);
}
