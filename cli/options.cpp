#include "cli/options.h"

#include "cli/cli.h"
#include "cli/device_uri.h"
#include "pages/record_fields.h"
#include "ui/int_text.h"

#include <algorithm>
#include <limits>

namespace sb::cli {
namespace {

constexpr std::uint8_t Bit(CommandId command) {
    return static_cast<std::uint8_t>(1U << static_cast<unsigned>(command));
}

constexpr std::uint8_t kEveryCommand = 0xFF;
constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

constexpr CommandForm kCommands[] = {
    {CommandId::Show, "show", 1, 1, "show takes one FILE", "show FILE [--json]",
     "every setting, page by page: key = value  # label"},
    {CommandId::Diff, "diff", 2, 2, "diff takes two FILEs", "diff A B [--json]",
     "the settings in which two files differ"},
    {CommandId::Set, "set", 2, kAny, "set takes a FILE and at least one KEY=VALUE",
     "set FILE KEY=VALUE... [-o OUT]", "change settings, in FILE or written to OUT"},
    {CommandId::New, "new", 1, kAny, "new takes the OUT file to write", "new OUT [KEY=VALUE...]",
     "a file with the factory settings (and the changes)"},
    {CommandId::Printers, "printers", 0, 0, "printers takes no arguments", "printers",
     "the queues send can reach, with their connections"},
    // Its rows are its options'.
    {CommandId::Send, "send", 1, 1, "send takes one FILE", "", ""},
};

constexpr OptionForm kOptions[] = {
    {OptionId::Printer, "--printer", "", ValueKind::Text, Bit(CommandId::Send), false, 0, 0, "",
     "send FILE --printer NAME...", "send the settings to each printer named, once"},
    {OptionId::All, "--all", "", ValueKind::None, Bit(CommandId::Send), false, 0, 0, "",
     "send FILE --all", "to every queue of the printer's driver (not on CUPS)"},
    {OptionId::Device, "--device", "", ValueKind::Device, Bit(CommandId::Send), false, 0, 0, "",
     "send FILE --device URI...",
     "straight to a printer's raw port, socket://HOST[:PORT]\n"
     "(port 9100 unless given), also beside the others"},
    {OptionId::Jobs, "--jobs", "", ValueKind::Number, Bit(CommandId::Send), false, 1, 256, "",
     "     [--jobs N]", "to N printers at once (default 16)"},
    {OptionId::Timeout, "--timeout", "", ValueKind::Number, Bit(CommandId::Send), false, 1, 3600,
     "seconds", "     [--timeout S]",
     "how long each printer may take (default 30 s): on\n"
     "CUPS to hand the job on, on a raw port to take it"},
    {OptionId::Json, "--json", "", ValueKind::None,
     Bit(CommandId::Show) | Bit(CommandId::Diff) | Bit(CommandId::Send), false, 0, 0, "",
     "     [--json]", "a JSON object a line for each printer"},
    // Shown in set's own row.
    {OptionId::Output, "-o", "", ValueKind::Text, Bit(CommandId::Set), true, 0, 0, "", "", ""},
    {OptionId::Help, "--help", "-h", ValueKind::None, kEveryCommand, false, 0, 0, "", "--help",
     "this text"},
};

struct ExitForm {
    int code;
    std::string_view meaning;
};

constexpr ExitForm kExits[] = {
    {kExitOk, "done"},
    {kExitDifferent, "diff found differences"},
    {kExitBadInput, "bad usage, file or value (nothing is written or sent)"},
    {kExitPrinterFailed, "a printer or the spooler did not take the job"},
    {kExitOutputFailed, "the output could not be written"},
};

constexpr std::string_view kUsageHead =
    "usage: switchboard-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "The settings files (*.dat) of the Switchboard panel for the VYR Quillstrike 480ZQ9:\n"
    "read, compare, change and send them, with the panel's own rules.\n"
    "\n";
constexpr std::string_view kUsageValues =
    "FILE, A and B may be \"factory\", the factory settings (a file of that name is\n"
    "./factory). A value is given as show prints it: an entry of a list, one of a radio\n"
    "pair's two texts (its \"(X)\" may be left off), on or off for a check box, a whole\n"
    "number in its range.\n";
// Where a row's help starts, and how wide a paragraph runs.
constexpr std::size_t kHelpColumn = 33;
constexpr std::size_t kTextWidth = 86;

const CommandForm* FindCommand(std::string_view name) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const CommandForm& form) { return form.name == name; });
    return found == std::end(kCommands) ? nullptr : found;
}

const OptionForm* FindOption(std::string_view name) {
    const auto found =
        std::find_if(std::begin(kOptions), std::end(kOptions), [&](const OptionForm& form) {
            return form.name == name || (!form.alias.empty() && form.alias == name);
        });
    return found == std::end(kOptions) ? nullptr : found;
}

bool Takes(const CommandForm* command, const OptionForm& option) {
    const std::uint8_t bit = command == nullptr ? 0 : Bit(command->id);
    return option.commands == kEveryCommand || (option.commands & bit) != 0;
}

// Why the value is none the option takes, or nothing.
std::optional<std::string> CheckValue(const OptionForm& option, const std::string& value,
                                      GivenOption& given) {
    switch (option.kind) {
    case ValueKind::Number: {
        const std::optional<int> number = ParseIntText(value);
        if (!number || *number < option.lo || *number > option.hi) {
            return std::string(option.name) + " takes a whole number " +
                   (option.unit.empty() ? "" : "of " + std::string(option.unit) + " ") + "from " +
                   std::to_string(option.lo) + " to " + std::to_string(option.hi);
        }
        given.number = *number;
        break;
    }
    case ValueKind::Device:
        if (!ParseDeviceUri(value)) {
            return std::string(option.name) + " takes socket://HOST[:PORT], not " +
                   QuotedText(value);
        }
        break;
    case ValueKind::None:
    case ValueKind::Text:
        break;
    }
    return std::nullopt;
}

// A row of the usage text: the synopsis, then its help, a line of it under the other.
std::string Row(std::string_view synopsis, std::string_view help) {
    std::string row = "  " + std::string(synopsis);
    row += std::string(kHelpColumn - std::min(row.size(), kHelpColumn - 1), ' ');
    for (std::size_t start = 0;;) {
        const std::size_t end = help.find('\n', start);
        row += help.substr(start, end - start);
        row += '\n';
        if (end == std::string_view::npos) {
            return row;
        }
        row += std::string(kHelpColumn, ' ');
        start = end + 1;
    }
}

// Words filled into lines of the paragraph width.
std::string Filled(std::string_view text) {
    std::string filled;
    std::size_t lineStart = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        if (filled.size() > lineStart) {
            if (filled.size() - lineStart + 1 + word.size() > kTextWidth) {
                filled += '\n';
                lineStart = filled.size();
            } else {
                filled += ' ';
            }
        }
        filled += word;
        start = end + 1;
    }
    return filled + "\n";
}

} // namespace

bool CommandLine::Has(OptionId id) const {
    return Last(id) != nullptr;
}

const GivenOption* CommandLine::Last(OptionId id) const {
    const auto found = std::find_if(options.rbegin(), options.rend(),
                                    [id](const GivenOption& option) { return option.id == id; });
    return found == options.rend() ? nullptr : &*found;
}

std::variant<CommandLine, std::string> ParseCommandLine(std::span<const std::string> args,
                                                        bool& json) {
    json = false;
    if (args.empty()) {
        return std::string("no command given");
    }
    const std::string& name = args[0];
    CommandLine line;
    if (name == "--help" || name == "-h" || name == "help") {
        return line;
    }
    const CommandForm* command = FindCommand(name);
    // Known before any other argument is looked at, so that every refusal comes as an object.
    const OptionForm* jsonForm = FindOption("--json");
    line.json =
        Takes(command, *jsonForm) && std::find(args.begin(), args.end(), "--json") != args.end();
    json = line.json;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const OptionForm* option = FindOption(arg);
        if (option != nullptr && option->id == OptionId::Help) {
            return CommandLine{};
        }
        if (option != nullptr && Takes(command, *option)) {
            GivenOption given{option->id, {}};
            if (option->kind == ValueKind::None) {
                if (option->id != OptionId::Json) {
                    line.options.push_back(std::move(given));
                }
                continue;
            }
            if (i + 1 < args.size() && !(option->once && line.Has(option->id))) {
                given.value = args[++i];
                if (std::optional<std::string> refusal = CheckValue(*option, given.value, given)) {
                    return *std::move(refusal);
                }
                line.options.push_back(std::move(given));
                continue;
            }
        }
        if (arg.size() > 1 && arg[0] == '-') {
            return name + ": unknown option or one without its value: " + QuotedText(arg);
        }
        line.operands.push_back(arg);
    }
    if (command == nullptr) {
        return "unknown command " + QuotedText(name);
    }
    if (line.operands.size() < command->fewestOperands ||
        line.operands.size() > command->mostOperands) {
        return std::string(command->operandsTaken);
    }
    line.command = command->id;
    return line;
}

std::string UsageText() {
    std::string text(kUsageHead);
    for (const CommandForm& command : kCommands) {
        if (!command.synopsis.empty()) {
            text += Row(command.synopsis, command.help);
        }
    }
    for (const OptionForm& option : kOptions) {
        if (!option.synopsis.empty()) {
            text += Row(option.synopsis, option.help);
        }
    }
    text += "\n";
    text += kUsageValues;
    text += "\n";
    std::string exits = "Exit codes:";
    for (const ExitForm& exit : kExits) {
        exits += " " + std::to_string(exit.code) + " " + std::string(exit.meaning) + ";";
    }
    exits.back() = '.';
    return text + Filled(exits);
}

} // namespace sb::cli
