// switchboard-cli's command line as tables: its commands, its options and its exit codes,
// each written once with what it takes, its limits and its line of help. The parser, its
// checks and the usage text all come from them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sb::cli {

// The name that stands for the factory settings wherever a FILE is read.
inline constexpr std::string_view kFactory = "factory";

enum class CommandId : std::uint8_t { Show, Diff, Set, New, Printers, Send };

struct CommandForm {
    CommandId id;
    std::string_view name;
    std::size_t fewestOperands;
    std::size_t mostOperands;
    std::string_view operandsTaken; // the refusal when the count is wrong: "show takes one FILE"
    std::string_view synopsis;      // after the program's name, one usage line each
    std::string_view help;
};

enum class OptionId : std::uint8_t {
    Printer,
    All,
    Device,
    Jobs,
    Timeout,
    Output,
    Json,
    Help,
    End, // "--": what follows is no option
};

enum class ValueKind : std::uint8_t {
    None,   // a switch on its own
    Text,   // any text
    Number, // a whole number from lo to hi
    Device, // socket://HOST[:PORT]
};

struct OptionForm {
    OptionId id;
    std::string_view name;
    std::string_view alias; // another spelling, or empty
    ValueKind kind;
    std::string_view value; // its value as the usage text names it: "NAME"
    std::uint8_t commands;  // one bit for each CommandId that takes it; every one for --help
    bool once;              // given again, it is refused
    int lo;                 // Number
    int hi;
    int fallback;          // Number: what holds when it is not given
    std::string_view unit; // Number: " seconds", how its range reads
    std::string_view help; // after the commands that take it
};

struct ExitForm {
    int code;
    std::string_view meaning;
};

std::span<const CommandForm> CommandForms();
std::span<const OptionForm> OptionForms();
std::span<const ExitForm> ExitForms();

struct GivenOption {
    OptionId id;
    std::string value; // empty for a switch
    int number = 0;    // Number
};

// A command line once the tables have been applied to it.
struct CommandLine {
    std::optional<CommandId> command; // none for --help
    std::vector<std::string> operands;
    std::vector<GivenOption> options; // in the order given
    bool json = false;                // the command takes --json and it was given

    bool Has(OptionId id) const;
    // The last one given, if any.
    const GivenOption* Last(OptionId id) const;
    // The number given last, or the option's own when none was.
    int Number(OptionId id) const;
};

// The arguments after the program's name, or why they are refused. `json` comes back true
// when the command takes --json and it is among its options, even with a refusal, so that
// the refusal comes as an object too.
std::variant<CommandLine, std::string> ParseCommandLine(std::span<const std::string> args,
                                                        bool& json);

// What --help prints.
std::string UsageText();

} // namespace sb::cli
