#include "cli/options.h"

#include "cli/cli.h"
#include "cli/device_uri.h"
#include "pages/record_fields.h"
#include "base/int_text.h"

#include <algorithm>
#include <limits>

namespace sb::cli {
namespace {

constexpr std::uint8_t Bit(CommandId command) {
    return static_cast<std::uint8_t>(1U << static_cast<unsigned>(command));
}

constexpr std::uint8_t kEveryCommand = 0xFF;
constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();
constexpr std::uint8_t kSend = Bit(CommandId::Send);

constexpr CommandForm kCommands[] = {
    {CommandId::Show, "show", 1, 1, "show takes one FILE", "show FILE [--json]",
     "every setting, page by page: key = value  # label"},
    {CommandId::Diff, "diff", 2, 2, "diff takes two FILEs", "diff A B [--json]",
     "the settings in which two files differ"},
    {CommandId::Set, "set", 2, kAny, "set takes a FILE and at least one KEY=VALUE",
     "set FILE KEY=VALUE... [-o OUT] [--timeout S]", "change settings, in FILE or written to OUT"},
    {CommandId::New, "new", 1, kAny, "new takes the OUT file to write",
     "new OUT [KEY=VALUE...] [--timeout S]", "a file with the factory settings (and the changes)"},
    {CommandId::Printers, "printers", 0, 0, "printers takes no arguments", "printers",
     "the queues send can reach, with their connections"},
    {CommandId::Send, "send", 1, 1, "send takes one FILE",
     "send FILE TARGET... [--jobs N] [--timeout S] [--json]",
     "the settings to each TARGET once: --printer NAME, --all, --device URI"},
};

constexpr OptionForm kOptions[] = {
    {OptionId::Printer, "--printer", "", ValueKind::Text, "NAME", kSend, false, 0, 0, 0, "",
     "a queue as printers lists it, once or more (a NAME that starts with '-' goes as "
     "--printer=NAME)"},
    {OptionId::All, "--all", "", ValueKind::None, "", kSend, false, 0, 0, 0, "",
     "every queue of the printer's driver, not beside --printer (not on CUPS, whose queues "
     "carry no driver name)"},
    {OptionId::Device, "--device", "", ValueKind::Device, "URI", kSend, false, 0, 0, 0, "",
     "straight to a printer's raw port, socket://HOST[:PORT] (port 9100 unless given), once or "
     "more, alone or beside the others"},
    {OptionId::Jobs, "--jobs", "", ValueKind::Number, "N", kSend, false, 1, 256, 16, "",
     "to N printers at once"},
    {OptionId::Timeout, "--timeout", "", ValueKind::Number, "S",
     kSend | Bit(CommandId::Set) | Bit(CommandId::New), false, 1, 3600, 30, "seconds",
     "how long each printer may take: on CUPS to hand the job on, on a raw port to take it; "
     "for set and new, how long to wait while another program changes the file"},
    {OptionId::Output, "-o", "", ValueKind::Text, "OUT", Bit(CommandId::Set), true, 0, 0, 0, "",
     "write the changed settings to OUT and leave FILE as it is"},
    {OptionId::Json, "--json", "", ValueKind::None, "",
     Bit(CommandId::Show) | Bit(CommandId::Diff) | kSend, false, 0, 0, 0, "",
     "JSON for a script: one document, or from send one object a line for each printer; a "
     "refusal comes as an object too"},
    {OptionId::Help, "--help", "-h", ValueKind::None, "", kEveryCommand, false, 0, 0, 0, "",
     "this text"},
    {OptionId::End, "--", "", ValueKind::None, "", kEveryCommand, false, 0, 0, 0, "",
     "the end of the options: what follows is FILE, KEY=VALUE or OUT, even when it starts with "
     "'-'"},
};

constexpr ExitForm kExits[] = {
    {kExitOk, "done"},
    {kExitDifferent, "diff found differences"},
    {kExitBadInput, "bad usage, a file that is no settings file, an unknown key or a refused "
                    "value, a file that cannot be written (FILE, -o OUT, new OUT) or whose lock "
                    "another program held past --timeout: nothing was written or sent"},
    {kExitPrinterFailed,
     "a printer or the spooler did not take the job, or the queues could not be listed"},
    {kExitOutputFailed, "standard output could not be written (a full disk, a closed stream), "
                        "as echo fails then; what send sent is sent (a file that -o OUT or new "
                        "OUT cannot write exits with 2)"},
};

constexpr std::string_view kProgramName = "switchboard-cli";
constexpr std::string_view kAbout =
    "The settings files (*.dat) of the Switchboard panel for the VYR Quillstrike 480ZQ9: read, "
    "compare, change and send them, with the panel's own rules.";
constexpr std::string_view kValues =
    "FILE, A and B may be \"factory\", the factory settings (a file of that name is ./factory). "
    "A value is given as show prints it: an entry of a list, one of a radio pair's two texts "
    "(its \"(X)\" may be left off), on or off for a check box, a whole number in its range.";
// Where a row's help starts, and how wide the text runs.
constexpr std::size_t kHelpColumn = 20;
constexpr std::size_t kExitColumn = 5;
constexpr std::size_t kTextWidth = 80;

const CommandForm* FindCommand(std::string_view name) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const CommandForm& form) { return form.name == name; });
    return found == std::end(kCommands) ? nullptr : found;
}

const OptionForm& Form(OptionId id) {
    return *std::find_if(std::begin(kOptions), std::end(kOptions),
                         [id](const OptionForm& form) { return form.id == id; });
}

const OptionForm* FindOption(std::string_view name) {
    const auto found =
        std::find_if(std::begin(kOptions), std::end(kOptions), [&](const OptionForm& form) {
            return form.name == name || (!form.alias.empty() && form.alias == name);
        });
    return found == std::end(kOptions) ? nullptr : found;
}

bool Takes(const CommandForm& command, const OptionForm& option) {
    return option.commands == kEveryCommand || (option.commands & Bit(command.id)) != 0;
}

bool LooksLikeOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-';
}

// What the option takes, as its refusals say it.
std::string Wanted(const OptionForm& option) {
    switch (option.kind) {
    case ValueKind::Number:
        return "a whole number " +
               (option.unit.empty() ? std::string() : "of " + std::string(option.unit) + " ") +
               "from " + std::to_string(option.lo) + " to " + std::to_string(option.hi);
    case ValueKind::Device:
        return "socket://HOST[:PORT]";
    case ValueKind::Text:
    case ValueKind::None:
        break;
    }
    const bool vowel = std::string_view("AEIOU").find(option.value.front()) != std::string::npos;
    return (vowel ? "an " : "a ") + std::string(option.value);
}

// The refusal of a value that is missing, or that is another option.
std::string Missing(const OptionForm& option, const std::string* other) {
    std::string refusal = std::string(option.name) + " takes " + Wanted(option);
    if (other == nullptr || option.kind == ValueKind::Number) {
        return refusal;
    }
    refusal += ", not the option " + QuotedText(*other);
    if (option.name.starts_with("--")) {
        return refusal + " (" + Wanted(option) + " that starts with '-' goes as " +
               std::string(option.name) + "=" + std::string(option.value) + ")";
    }
    return refusal + " (" + Wanted(option) + " that starts with '-' goes as ./" +
           std::string(option.value) + ")";
}

// Why the value is none the option takes, or nothing.
std::optional<std::string> CheckValue(const OptionForm& option, GivenOption& given) {
    switch (option.kind) {
    case ValueKind::Number: {
        const std::optional<int> number = ParseIntText(given.value);
        if (!number || *number < option.lo || *number > option.hi) {
            return std::string(option.name) + " takes " + Wanted(option);
        }
        given.number = *number;
        break;
    }
    case ValueKind::Device: {
        const auto parsed = ParseDeviceUri(given.value);
        if (const std::string* why = std::get_if<std::string>(&parsed)) {
            return std::string(option.name) + " takes socket://HOST[:PORT], not " +
                   QuotedText(given.value) + ": " + *why;
        }
        break;
    }
    case ValueKind::None:
    case ValueKind::Text:
        break;
    }
    return std::nullopt;
}

// Words filled into lines of the text's width, the first after `lead`, the others indented
// to the lead's width.
std::string Filled(std::string lead, std::string_view text, std::size_t indent) {
    std::string filled = std::move(lead);
    std::size_t lineStart = 0;
    bool first = true;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        if (!first) {
            if (filled.size() - lineStart + 1 + word.size() > kTextWidth) {
                filled += '\n';
                lineStart = filled.size();
                filled += std::string(indent, ' ');
            } else {
                filled += ' ';
            }
        }
        filled += word;
        first = false;
        start = end + 1;
    }
    return filled + "\n";
}

// A row of a list: its tag, then its help from the column on.
std::string Row(const std::string& tag, std::string_view help, std::size_t column = kHelpColumn) {
    std::string lead = "  " + tag;
    lead += lead.size() + 2 > column ? "  " : std::string(column - lead.size(), ' ');
    return Filled(std::move(lead), help, column);
}

std::string OptionHelp(const OptionForm& option) {
    std::string help;
    if (option.commands != kEveryCommand) {
        for (const CommandForm& command : kCommands) {
            if (Takes(command, option)) {
                help += (help.empty() ? "" : ", ") + std::string(command.name);
            }
        }
        help += ": ";
    }
    help += option.help;
    if (option.kind == ValueKind::Number) {
        help += "; ";
        help += option.value;
        help += " from " + std::to_string(option.lo) + " to " + std::to_string(option.hi);
        help += option.unit.empty() ? "" : " ";
        help += option.unit;
        help += ", " + std::to_string(option.fallback) + " unless given";
    }
    return help;
}

} // namespace

std::span<const CommandForm> CommandForms() {
    return kCommands;
}

std::span<const OptionForm> OptionForms() {
    return kOptions;
}

std::span<const ExitForm> ExitForms() {
    return kExits;
}

bool CommandLine::Has(OptionId id) const {
    return Last(id) != nullptr;
}

const GivenOption* CommandLine::Last(OptionId id) const {
    const auto found = std::find_if(options.rbegin(), options.rend(),
                                    [id](const GivenOption& option) { return option.id == id; });
    return found == options.rend() ? nullptr : &*found;
}

int CommandLine::Number(OptionId id) const {
    const GivenOption* given = Last(id);
    return given != nullptr ? given->number : Form(id).fallback;
}

std::variant<CommandLine, std::string> ParseCommandLine(std::span<const std::string> args,
                                                        bool& json) {
    json = false;
    if (args.empty()) {
        return std::string("no command given");
    }
    const std::string& name = args[0];
    const auto end = std::find(args.begin() + 1, args.end(), Form(OptionId::End).name);
    const std::span<const std::string> options(args.begin() + 1, end);
    const auto asks = [&](OptionId id) {
        const OptionForm& form = Form(id);
        return std::any_of(options.begin(), options.end(), [&](const std::string& arg) {
            return arg == form.name || (!form.alias.empty() && arg == form.alias);
        });
    };
    CommandLine line;
    // Help is what was asked for, whatever else the line holds.
    if (name == "help" || name == "--help" || name == "-h" || asks(OptionId::Help)) {
        return line;
    }
    const CommandForm* command = FindCommand(name);
    if (command == nullptr) {
        return "unknown command " + QuotedText(name);
    }
    // Known before any other argument is looked at, so that every refusal comes as an object.
    line.json = Takes(*command, Form(OptionId::Json)) && asks(OptionId::Json);
    json = line.json;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string& arg = options[i];
        if (!LooksLikeOption(arg)) {
            line.operands.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const std::string optionName = arg.substr(0, equals);
        const OptionForm* option = FindOption(optionName);
        if (option == nullptr || !Takes(*command, *option)) {
            return std::string(command->name) + " takes no option " + QuotedText(optionName);
        }
        GivenOption given{option->id, {}};
        if (option->kind == ValueKind::None) {
            if (equals != std::string::npos) {
                return std::string(option->name) + " takes no value";
            }
            if (option->id != OptionId::Json) {
                line.options.push_back(std::move(given));
            }
            continue;
        }
        if (option->once && line.Has(option->id)) {
            return std::string(option->name) + " goes once";
        }
        if (equals != std::string::npos) {
            given.value = arg.substr(equals + 1);
        } else if (i + 1 == options.size()) {
            return Missing(*option, nullptr);
        } else if (LooksLikeOption(options[i + 1])) {
            return Missing(*option, &options[i + 1]);
        } else {
            given.value = options[++i];
        }
        if (std::optional<std::string> refusal = CheckValue(*option, given)) {
            return *std::move(refusal);
        }
        line.options.push_back(std::move(given));
    }
    if (end != args.end()) {
        line.operands.insert(line.operands.end(), end + 1, args.end());
    }
    if (line.operands.size() < command->fewestOperands ||
        line.operands.size() > command->mostOperands) {
        return std::string(command->operandsTaken);
    }
    line.command = command->id;
    return line;
}

std::string UsageText() {
    std::string text;
    for (const CommandForm& command : kCommands) {
        text += text.empty() ? "Usage: " : "  or:  ";
        text += std::string(kProgramName) + " " + std::string(command.synopsis) + "\n";
    }
    text += "  or:  " + std::string(kProgramName) + " --help\n";
    text += Filled({}, kAbout, 0);
    text += "\nCommands:\n";
    for (const CommandForm& command : kCommands) {
        text += Row(std::string(command.name), command.help);
    }
    text += "\nOptions:\n";
    for (const OptionForm& option : kOptions) {
        std::string tag(option.alias);
        tag += option.alias.empty() ? "" : ", ";
        tag += option.name;
        tag += option.value.empty() ? "" : " ";
        tag += option.value;
        text += Row(tag, OptionHelp(option));
    }
    text += "\n";
    text += Filled({}, kValues, 0);
    text += "\nExit status:\n";
    for (const ExitForm& exit : kExits) {
        text += Row(std::to_string(exit.code), exit.meaning, kExitColumn);
    }
    return text;
}

} // namespace sb::cli
