#include "cli/cli.h"

#include "cli/assignment.h"
#include "cli/device_uri.h"
#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/progress_line.h"
#include "files/settings_file.h"
#include "pages/record_fields.h"
#include "record/factory_record.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <variant>
#include <vector>

namespace sb::cli {
namespace {

constexpr std::string_view kProgram = "switchboard-cli: ";

class CCommands {
public:
    CCommands(Console& console, FileAccess& files, PrinterAccess& printers, PrinterAccess& devices)
        : m_console(console), m_files(files), m_printers(printers), m_devices(devices) {}

    // The command's exit code, or kExitOutputFailed when what it said could not be written.
    int Run(std::span<const std::string> args);

private:
    int Show(const CommandLine& line);
    int Diff(const CommandLine& line);
    int Set(const std::string& source, const std::vector<std::string>& assignments,
            const std::string& output, std::chrono::seconds wait);
    int Printers();
    int Send(const CommandLine& line);
    // The printers send's arguments name, each once, or the exit code that refuses them.
    std::variant<std::vector<SendTarget>, int> Targets(const CommandLine& line);

    int Dispatch(std::span<const std::string> args);
    // The record a file holds, or nothing after a message naming the file.
    std::optional<SettingRecord> Load(const std::string& path);
    // The record in what was read of the file, or nothing after a message naming the file.
    std::optional<SettingRecord> Check(const std::string& path, const ReadResult& read);
    // Standard output; after a failure nothing more is tried.
    void Print(std::string_view text);
    // The message on stderr and, under --json, as an object on stdout as well.
    int Fail(int code, std::string_view message);
    // A line on stderr that is no refusal.
    void Note(std::string_view message);
    int Usage(std::string_view message);

    Console& m_console;
    FileAccess& m_files;
    PrinterAccess& m_printers;
    PrinterAccess& m_devices;
    bool m_bJson = false;
    std::string m_strOutError; // why standard output could not be written
};

void CCommands::Print(std::string_view text) {
    if (m_strOutError.empty()) {
        m_strOutError = m_console.Out(text);
    }
}

int CCommands::Fail(int code, std::string_view message) {
    Note(message);
    if (m_bJson) {
        Print(ErrorJson(message, code));
    }
    return code;
}

void CCommands::Note(std::string_view message) {
    // Values and names in it are anyone's text: none may drive the terminal.
    m_console.Err(std::string(kProgram) + TerminalText(message) + "\n");
}

int CCommands::Usage(std::string_view message) {
    return Fail(kExitBadInput, std::string(message) + " (switchboard-cli --help tells more)");
}

std::optional<SettingRecord> CCommands::Load(const std::string& path) {
    if (path == kFactory) {
        return FactoryRecord();
    }
    if (path.empty()) {
        Fail(kExitBadInput, "a FILE to read needs a name, not an empty one");
        return std::nullopt;
    }
    return Check(path, m_files.Read(path, kSettingsFileSize));
}

std::optional<SettingRecord> CCommands::Check(const std::string& path, const ReadResult& read) {
    if (!read.error.empty()) {
        Fail(kExitBadInput, ShownPath(path) + ": " + read.error);
        return std::nullopt;
    }
    SettingsFileCheck check = CheckSettingsFile(read.bytes);
    if (!check.record) {
        Fail(kExitBadInput, ShownPath(path) + ": not a settings file: " + check.reason);
        return std::nullopt;
    }
    // A file the panel loads is one this loads too, with the same bytes: the panel's save
    // leaves a longer file's tail in place, and its load reads past it.
    if (read.longer) {
        Note(ShownPath(path) + ": the bytes after the " + std::to_string(kSettingsFileSize) +
             "th are ignored, as the panel ignores them");
    }
    return check.record;
}

int CCommands::Show(const CommandLine& line) {
    const std::string& source = line.operands[0];
    const std::optional<SettingRecord> record = Load(source);
    if (!record) {
        return kExitBadInput;
    }
    Print(line.json ? ShowJson(source, *record) : ShowText(source, *record));
    return kExitOk;
}

int CCommands::Diff(const CommandLine& line) {
    const std::optional<SettingRecord> a = Load(line.operands[0]);
    const std::optional<SettingRecord> b = a ? Load(line.operands[1]) : std::nullopt;
    if (!a || !b) {
        return kExitBadInput;
    }
    const Differences differences = DiffOutput(line.operands[0], *a, line.operands[1], *b);
    Print(line.json ? differences.json : differences.text);
    return differences.any ? kExitDifferent : kExitOk;
}

int CCommands::Set(const std::string& source, const std::vector<std::string>& arguments,
                   const std::string& output, std::chrono::seconds wait) {
    if (output.empty()) {
        return Fail(kExitBadInput, "the file to write needs a name, not an empty one (nothing "
                                   "written)");
    }
    // Such a file could never be read back by that name.
    if (output == kFactory) {
        return Fail(kExitBadInput, "\"factory\" stands for the factory settings, not a file; "
                                   "to write a file of that name, give it as ./factory (nothing "
                                   "written)");
    }
    std::vector<FieldAssignment> assignments;
    for (const std::string& argument : arguments) {
        auto parsed = ParseAssignment(argument);
        if (const std::string* error = std::get_if<std::string>(&parsed)) {
            return Usage(*error);
        }
        assignments.push_back(std::get<FieldAssignment>(std::move(parsed)));
    }
    // Read, changed and written under the file's lock, so that a change made meanwhile by
    // another set is never lost.
    int refused = kExitOk;
    const auto make = [&](const ReadResult& current) -> std::optional<std::vector<std::uint8_t>> {
        const std::optional<SettingRecord> record =
            source == output ? Check(source, current) : Load(source);
        if (!record) {
            refused = kExitBadInput;
            return std::nullopt;
        }
        CRecordFields fields(*record);
        if (const std::optional<std::string> refusal = fields.Apply(assignments)) {
            refused = Fail(kExitBadInput, *refusal + " (nothing written)");
            return std::nullopt;
        }
        const auto bytes = SettingsFileBytes(fields.Encoded());
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    };
    const std::string error = m_files.Change(output, kSettingsFileSize, wait, make);
    if (refused != kExitOk) {
        return refused;
    }
    if (!error.empty()) {
        return Fail(kExitBadInput, ShownPath(output) + ": " + error);
    }
    return kExitOk;
}

int CCommands::Printers() {
    const QueueList list = m_printers.Queues();
    if (!list.error.empty()) {
        return Fail(kExitPrinterFailed, list.error);
    }
    Print(QueuesText(list.queues));
    return kExitOk;
}

std::variant<std::vector<SendTarget>, int> CCommands::Targets(const CommandLine& line) {
    QueueList list;
    if (line.Has(OptionId::All) || line.Has(OptionId::Printer)) {
        list = m_printers.Queues();
        if (!list.error.empty()) {
            return Fail(kExitPrinterFailed, list.error);
        }
    }
    std::vector<SendTarget> targets;
    const auto add = [&targets](const Queue& queue, PrinterAccess& access) {
        const auto same = [&](const SendTarget& t) {
            return t.access == &access && t.queue.name == queue.name;
        };
        if (std::none_of(targets.begin(), targets.end(), same)) {
            targets.push_back({queue, &access});
        }
    };
    for (const GivenOption& option : line.options) {
        switch (option.id) {
        case OptionId::All:
            for (const Queue& queue : list.queues) {
                add(queue, m_printers);
            }
            break;
        case OptionId::Printer: {
            const auto found =
                std::find_if(list.queues.begin(), list.queues.end(),
                             [&](const Queue& queue) { return queue.name == option.value; });
            if (found == list.queues.end()) {
                return Fail(kExitBadInput, "no printer " + QuotedText(option.value) +
                                               " among the queues switchboard-cli printers lists "
                                               "(nothing sent)");
            }
            add(*found, m_printers);
            break;
        }
        case OptionId::Device: {
            // Named by its URI with the port written out, so that one device goes once.
            const std::string uri =
                DeviceConnection(std::get<DeviceUri>(ParseDeviceUri(option.value)));
            add({uri, uri}, m_devices);
            break;
        }
        default:
            break;
        }
    }
    return targets;
}

int CCommands::Send(const CommandLine& line) {
    const bool all = line.Has(OptionId::All);
    if (!(all || line.Has(OptionId::Printer) || line.Has(OptionId::Device)) ||
        (all && line.Has(OptionId::Printer))) {
        return Usage("send takes either --printer NAME (once or more) or --all, and --device URI "
                     "beside either or alone");
    }
    if (all && !m_printers.KnowsDriver()) {
        return Usage("--all: CUPS queues carry no driver name to find the printer's queues by; "
                     "name each with --printer");
    }
    const std::optional<SettingRecord> record = Load(line.operands[0]);
    if (!record) {
        return kExitBadInput;
    }
    auto found = Targets(line);
    if (const int* refused = std::get_if<int>(&found)) {
        return *refused;
    }
    const std::vector<SendTarget>& targets = std::get<std::vector<SendTarget>>(found);

    // The job the panel would send after loading the file: its record as the pages encode it.
    const SettingRecord job = CRecordFields(*record).Encoded();
    bool failed = false;
    bool sent = false;
    CProgressLine progress(m_console);
    const bool watched = m_console.ErrIsTerminal();
    const auto report = [&](std::size_t i, const SendResult& result) {
        // With --all a queue that is never sent to is passed over, as the panel lists but
        // never takes it; named on its own, it is a printer that was not sent to.
        sent = sent || result.outcome == SendOutcome::Sent;
        failed = failed || result.outcome == SendOutcome::Failed ||
                 (result.outcome == SendOutcome::Skipped && !all);
        const bool device = targets[i].access == &m_devices;
        progress.Clear();
        Print(line.json ? SendJson(targets[i].queue, device, result)
                        : SendLine(targets[i].queue, device, result));
    };
    const auto show = [&](const SendCounts& counts) {
        if (watched && counts.left != 0) {
            progress.Show(counts);
        }
    };
    SendEach(targets, job, std::chrono::seconds(line.Number(OptionId::Timeout)),
             static_cast<std::size_t>(line.Number(OptionId::Jobs)), report, show);
    progress.Clear();

    if (!sent && !failed) {
        return Fail(kExitPrinterFailed, targets.empty()
                                            ? "no queue uses the printer's driver (nothing sent)"
                                            : "no queue of the printer's driver can be sent to");
    }
    return failed ? kExitPrinterFailed : kExitOk;
}

int CCommands::Dispatch(std::span<const std::string> args) {
    auto parsed = ParseCommandLine(args, m_bJson);
    if (const std::string* refusal = std::get_if<std::string>(&parsed)) {
        return Usage(*refusal);
    }
    const CommandLine& line = std::get<CommandLine>(parsed);
    if (!line.command) {
        Print(UsageText());
        return kExitOk;
    }
    const std::vector<std::string>& operands = line.operands;
    const std::chrono::seconds wait(line.Number(OptionId::Timeout));
    switch (*line.command) {
    case CommandId::Show:
        return Show(line);
    case CommandId::Diff:
        return Diff(line);
    case CommandId::Set: {
        const GivenOption* output = line.Last(OptionId::Output);
        if (output == nullptr && operands[0] == kFactory) {
            return Usage("set: the factory settings are no file to change; name one with -o");
        }
        return Set(operands[0], {operands.begin() + 1, operands.end()},
                   output != nullptr ? output->value : operands[0], wait);
    }
    case CommandId::New:
        return Set(std::string(kFactory), {operands.begin() + 1, operands.end()}, operands[0],
                   wait);
    case CommandId::Printers:
        return Printers();
    case CommandId::Send:
        return Send(line);
    }
    return kExitBadInput;
}

int CCommands::Run(std::span<const std::string> args) {
    const int code = Dispatch(args);
    if (m_strOutError.empty()) {
        return code;
    }
    m_console.Err(std::string(kProgram) + "cannot write the output: " + m_strOutError + "\n");
    return kExitOutputFailed;
}

} // namespace

int Run(std::span<const std::string> args, Console& console, FileAccess& files,
        PrinterAccess& printers, PrinterAccess& devices) {
    CCommands commands(console, files, printers, devices);
    return commands.Run(args);
}

} // namespace sb::cli
