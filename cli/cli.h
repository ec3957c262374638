// switchboard-cli, the panel's settings files and send for scripts: its commands, their
// arguments, output and exit codes. Portable; files and printers come in through seams, so
// the same commands run on the Windows spooler, on CUPS and against the tests' fakes.
#pragma once

#include "cli/file_access.h"
#include "cli/printer_access.h"

#include <span>
#include <string>
#include <string_view>

namespace sb::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitDifferent = 1; // diff found differences
inline constexpr int kExitBadInput = 2; // usage, a file or a value refused; nothing written or sent
inline constexpr int kExitPrinterFailed = 3; // a printer or the spooler did not take the job
inline constexpr int kExitOutputFailed = 4;  // the standard output could not be written

class Console {
public:
    virtual ~Console() = default;
    // Why the text could not be written in full (a full disk, a closed stream); empty when it
    // was.
    virtual std::string Out(std::string_view text) = 0;
    virtual void Err(std::string_view text) = 0;
    // A line that keeps changing is for someone watching, not for a log or a pipe.
    virtual bool ErrIsTerminal() = 0;
};

// The arguments after the program's name, as UTF-8. Printers are the spooler's or the
// scheduler's queues; devices are the printers send reaches at their raw port.
int Run(std::span<const std::string> args, Console& console, FileAccess& files,
        PrinterAccess& printers, PrinterAccess& devices);

} // namespace sb::cli
