// switchboard-cli on Linux: files through the C library and POSIX, printers through CUPS.
#include "cli/cli.h"
#include "cli/cups_access.h"
#include "cli/posix_file_access.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

class StdConsole final : public sb::cli::Console {
public:
    void Out(std::string_view text) override { Put(stdout, text); }
    void Err(std::string_view text) override { Put(stderr, text); }

private:
    // Each piece at once, so that a line per printer shows while the next is being sent.
    static void Put(std::FILE* stream, std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stream);
        std::fflush(stream);
    }
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    StdConsole console;
    sb::cli::PosixFileAccess files;
    sb::cli::CupsAccess printers;
    return sb::cli::Run(args, console, files, printers);
}
