#include "cli/cli.h"

#include "cli/assignment.h"
#include "cli/json.h"
#include "files/settings_file.h"
#include "pages/record_fields.h"
#include "record/factory_record.h"
#include "ui/int_text.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <variant>
#include <vector>

namespace sb::cli {
namespace {

constexpr std::string_view kHelp =
    "usage: switchboard-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "The settings files (*.dat) of the Switchboard panel for the VYR Quillstrike 480ZQ9:\n"
    "read, compare, change and send them, with the panel's own rules.\n"
    "\n"
    "  show FILE [--json]             every setting, page by page: key = value  # label\n"
    "  diff A B [--json]              the settings in which two files differ\n"
    "  set FILE KEY=VALUE... [-o OUT] change settings, in FILE or written to OUT\n"
    "  new OUT [KEY=VALUE...]         a file with the factory settings (and the changes)\n"
    "  printers                       the queues send can reach, with their connections\n"
    "  send FILE --printer NAME...    send the settings to each printer named, once\n"
    "  send FILE --all                to every queue of the printer's driver (not on CUPS)\n"
    "       [--timeout S]             on CUPS: how long to wait for each queue to hand the\n"
    "                                 job to the printer (default 30 s)\n"
    "  --help                         this text\n"
    "\n"
    "FILE, A and B may be \"factory\", the factory settings. A value is given as show prints\n"
    "it: an entry of a list, one of a radio pair's two texts (its \"(X)\" may be left off),\n"
    "on or off for a check box, a whole number in its range.\n"
    "\n"
    "Exit codes: 0 done; 1 diff found differences; 2 bad usage, file or value (nothing is\n"
    "written or sent); 3 a printer or the spooler did not take the job.\n";

constexpr std::string_view kProgram = "switchboard-cli: ";
constexpr std::string_view kFactory = "factory";
// How long send waits for a queue to hand a job on, where the spooler can tell (CUPS).
constexpr std::chrono::seconds kDefaultWait(30);
constexpr int kLongestWait = 3600;
// Keys are padded to this width in show's text, so that the values line up.
constexpr std::size_t kKeyColumn = 31;

// What a command's arguments hold once the options are taken out.
struct Arguments {
    std::vector<std::string> operands;
    bool json = false;
    bool all = false;
    std::optional<std::string> output;
    std::vector<std::string> printers;
    std::chrono::seconds wait = kDefaultWait;
};

class CCommands {
public:
    CCommands(Console& console, FileAccess& files, PrinterAccess& printers)
        : m_console(console), m_files(files), m_printers(printers) {}

    int Dispatch(std::span<const std::string> args);

private:
    int Show(const Arguments& args);
    int Diff(const Arguments& args);
    int Set(const std::string& source, const std::vector<std::string>& assignments,
            const std::string& output);
    int Printers();
    int Send(const Arguments& args);

    // The record a file holds, or nothing after a message naming the file.
    std::optional<SettingRecord> Load(const std::string& path);
    int Fail(int code, std::string_view message);
    int Usage(std::string_view message);

    Console& m_console;
    FileAccess& m_files;
    PrinterAccess& m_printers;
};

std::string SourceName(const std::string& path) {
    return path == kFactory ? "the factory settings" : "settings file " + path;
}

std::string Padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

// "# group label unit", the way the control and its surroundings read on the page.
std::string Caption(const FieldInfo& info) {
    std::string caption = info.group;
    for (const std::string* part : {&info.label, &info.unit}) {
        if (!part->empty()) {
            caption += caption.empty() ? "" : " ";
            caption += *part;
        }
    }
    return caption;
}

std::string Hex(std::uint8_t byte) {
    return HexBytes(std::span(&byte, 1));
}

// The fields whose bits a byte's change touches, for a repair or a difference.
std::vector<std::string> FieldsAt(std::size_t offset, std::uint8_t changed) {
    std::vector<std::string> keys;
    for (const FieldInfo& info : RecordFieldList()) {
        if (offset >= info.offset && offset < info.offset + info.width &&
            (info.mask & changed) != 0) {
            keys.push_back(info.key);
        }
    }
    return keys;
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += text.empty() ? "" : std::string(separator);
        text += part;
    }
    return text;
}

std::string JsonStrings(const std::vector<std::string>& texts) {
    std::vector<std::string> quoted;
    quoted.reserve(texts.size());
    for (const std::string& text : texts) {
        quoted.push_back(JsonString(text));
    }
    std::string json = "[";
    json += Joined(quoted, ", ");
    json += ']';
    return json;
}

std::string KindName(FieldKind kind) {
    switch (kind) {
    case FieldKind::List:
        return "list";
    case FieldKind::Radio:
        return "radio";
    case FieldKind::Check:
        return "check";
    case FieldKind::Number:
        return "number";
    }
    return "list";
}

std::string FieldJson(const FieldInfo& info) {
    std::string json =
        "\"key\": " + JsonString(info.key) + ", \"page\": " + JsonString(info.page) +
        ", \"group\": " + JsonString(info.group) + ", \"label\": " + JsonString(info.label) +
        ", \"unit\": " + JsonString(info.unit) + ", \"kind\": " + JsonString(KindName(info.kind));
    if (info.kind == FieldKind::Number) {
        json += ", \"min\": " + std::to_string(info.lo) + ", \"max\": " + std::to_string(info.hi);
    } else {
        json += ", \"choices\": " + JsonStrings(info.choices);
    }
    return json;
}

std::string RepairsText(const std::vector<ByteRepair>& repairs) {
    if (repairs.empty()) {
        return "repairs: none\n";
    }
    std::string text = "repairs that loading makes:\n";
    for (const ByteRepair& repair : repairs) {
        const std::vector<std::string> keys =
            FieldsAt(repair.offset, static_cast<std::uint8_t>(repair.from ^ repair.to));
        text += "  byte " + std::to_string(repair.offset);
        text += keys.empty() ? "" : " (" + Joined(keys, ", ") + ")";
        text += ": " + Hex(repair.from) + " -> " + Hex(repair.to) + "\n";
    }
    return text;
}

std::string RepairsJson(const std::vector<ByteRepair>& repairs) {
    std::vector<std::string> items;
    for (const ByteRepair& repair : repairs) {
        const std::vector<std::string> keys =
            FieldsAt(repair.offset, static_cast<std::uint8_t>(repair.from ^ repair.to));
        items.push_back("    {\"byte\": " + std::to_string(repair.offset) + ", \"fields\": " +
                        JsonStrings(keys) + ", \"from\": " + JsonString(Hex(repair.from)) +
                        ", \"to\": " + JsonString(Hex(repair.to)) + "}");
    }
    return items.empty() ? "[]" : "[\n" + Joined(items, ",\n") + "\n  ]";
}

int CCommands::Fail(int code, std::string_view message) {
    m_console.Err(std::string(kProgram) + std::string(message) + "\n");
    return code;
}

int CCommands::Usage(std::string_view message) {
    return Fail(kExitBadInput, std::string(message) + " (switchboard-cli --help tells more)");
}

std::optional<SettingRecord> CCommands::Load(const std::string& path) {
    if (path == kFactory) {
        return FactoryRecord();
    }
    const ReadResult read = m_files.Read(path, kSettingsFileSize);
    if (!read.error.empty()) {
        Fail(kExitBadInput, path + ": " + read.error);
        return std::nullopt;
    }
    // The panel would ignore what follows the record; a script is better stopped when a
    // file is not what it seems.
    if (read.longer) {
        Fail(kExitBadInput, path + ": not a settings file: longer than " +
                                std::to_string(kSettingsFileSize) + " bytes");
        return std::nullopt;
    }
    SettingsFileCheck check = CheckSettingsFile(read.bytes);
    if (!check.record) {
        Fail(kExitBadInput, path + ": not a settings file: " + check.reason);
        return std::nullopt;
    }
    return check.record;
}

int CCommands::Show(const Arguments& args) {
    if (args.operands.size() != 1) {
        return Usage("show takes one FILE");
    }
    const std::optional<SettingRecord> record = Load(args.operands[0]);
    if (!record) {
        return kExitBadInput;
    }
    CRecordFields fields(*record);
    const std::vector<FieldInfo>& infos = RecordFieldList();
    const std::vector<std::string> values = fields.Values();
    const std::vector<ByteRepair> repairs = fields.Repairs(*record);

    std::string text;
    if (args.json) {
        text = "{\n  \"source\": " + JsonString(args.operands[0]) + ",\n  \"fields\": [\n";
        for (std::size_t i = 0; i < infos.size(); ++i) {
            text += "    {" + FieldJson(infos[i]) + ", \"value\": " + JsonString(values[i]) + "}";
            text += i + 1 < infos.size() ? ",\n" : "\n";
        }
        text += "  ],\n  \"repairs\": " + RepairsJson(repairs) + "\n}\n";
    } else {
        text = SourceName(args.operands[0]) + "\n";
        for (std::size_t i = 0; i < infos.size(); ++i) {
            if (i == 0 || infos[i].page != infos[i - 1].page) {
                text += "\n" + infos[i].page + "\n";
            }
            text += "  " + Padded(infos[i].key, kKeyColumn) + "= " + values[i] + "  # " +
                    Caption(infos[i]) + "\n";
        }
        text += "\n" + RepairsText(repairs);
    }
    m_console.Out(text);
    return kExitOk;
}

int CCommands::Diff(const Arguments& args) {
    if (args.operands.size() != 2) {
        return Usage("diff takes two FILEs");
    }
    const std::optional<SettingRecord> a = Load(args.operands[0]);
    const std::optional<SettingRecord> b = a ? Load(args.operands[1]) : std::nullopt;
    if (!a || !b) {
        return kExitBadInput;
    }
    CRecordFields fieldsA(*a);
    CRecordFields fieldsB(*b);
    const std::vector<FieldInfo>& infos = RecordFieldList();
    const std::vector<std::string> valuesA = fieldsA.Values();
    const std::vector<std::string> valuesB = fieldsB.Values();

    // Differences in the bytes as a save or a send would carry them that no field shows
    // (bytes no page reads, a switch without a control) are listed by byte.
    const SettingRecord loadedA = fieldsA.Encoded();
    const SettingRecord loadedB = fieldsB.Encoded();
    std::array<std::uint8_t, kRecordSize> explained{};

    std::vector<std::string> lines;
    std::vector<std::string> items;
    for (std::size_t i = 0; i < infos.size(); ++i) {
        if (valuesA[i] == valuesB[i]) {
            continue;
        }
        const FieldInfo& info = infos[i];
        for (std::size_t k = 0; k < info.width; ++k) {
            explained[info.offset + k] |= info.mask;
        }
        lines.push_back(info.key + ": " + valuesA[i] + " -> " + valuesB[i] + "  # " +
                        Caption(info) + "\n");
        items.push_back("    {" + FieldJson(info) + ", \"a\": " + JsonString(valuesA[i]) +
                        ", \"b\": " + JsonString(valuesB[i]) + "}");
    }
    std::vector<std::string> byteItems;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (((loadedA[i] ^ loadedB[i]) & ~explained[i]) == 0) {
            continue;
        }
        lines.push_back("byte " + std::to_string(i) + ": " + Hex(loadedA[i]) + " -> " +
                        Hex(loadedB[i]) + "\n");
        byteItems.push_back("    {\"byte\": " + std::to_string(i) +
                            ", \"a\": " + JsonString(Hex(loadedA[i])) +
                            ", \"b\": " + JsonString(Hex(loadedB[i])) + "}");
    }

    if (args.json) {
        const auto list = [](const std::vector<std::string>& entries) {
            return entries.empty() ? std::string("[]") : "[\n" + Joined(entries, ",\n") + "\n  ]";
        };
        m_console.Out("{\n  \"a\": " + JsonString(args.operands[0]) + ",\n  \"b\": " +
                      JsonString(args.operands[1]) + ",\n  \"fields\": " + list(items) +
                      ",\n  \"bytes\": " + list(byteItems) + "\n}\n");
    } else {
        m_console.Out(Joined(lines, ""));
    }
    return lines.empty() ? kExitOk : kExitDifferent;
}

int CCommands::Set(const std::string& source, const std::vector<std::string>& arguments,
                   const std::string& output) {
    std::vector<FieldAssignment> assignments;
    for (const std::string& argument : arguments) {
        auto parsed = ParseAssignment(argument);
        if (const std::string* error = std::get_if<std::string>(&parsed)) {
            return Usage(*error);
        }
        assignments.push_back(std::get<FieldAssignment>(std::move(parsed)));
    }
    const std::optional<SettingRecord> record = Load(source);
    if (!record) {
        return kExitBadInput;
    }
    CRecordFields fields(*record);
    if (const std::optional<std::string> refusal = fields.Apply(assignments)) {
        return Fail(kExitBadInput, *refusal + " (nothing written)");
    }
    const std::string error = m_files.Replace(output, SettingsFileBytes(fields.Encoded()));
    if (!error.empty()) {
        return Fail(kExitBadInput, output + ": " + error);
    }
    return kExitOk;
}

int CCommands::Printers() {
    const QueueList list = m_printers.Queues();
    if (!list.error.empty()) {
        return Fail(kExitPrinterFailed, list.error);
    }
    std::string text;
    for (const Queue& queue : list.queues) {
        text += queue.name + "\t" + queue.connection + "\n";
    }
    m_console.Out(text);
    return kExitOk;
}

int CCommands::Send(const Arguments& args) {
    if (args.operands.size() != 1) {
        return Usage("send takes one FILE");
    }
    if (args.all == !args.printers.empty()) {
        return Usage("send takes either --printer NAME (once or more) or --all");
    }
    if (args.all && !m_printers.KnowsDriver()) {
        return Usage("--all: CUPS queues carry no driver name to find the printer's queues by; "
                     "name each with --printer");
    }
    const std::optional<SettingRecord> record = Load(args.operands[0]);
    if (!record) {
        return kExitBadInput;
    }
    const QueueList list = m_printers.Queues();
    if (!list.error.empty()) {
        return Fail(kExitPrinterFailed, list.error);
    }

    std::vector<Queue> targets;
    if (args.all) {
        targets = list.queues;
    }
    for (const std::string& name : args.printers) {
        const auto named = [&name](const Queue& q) { return q.name == name; };
        const auto found = std::find_if(list.queues.begin(), list.queues.end(), named);
        if (found == list.queues.end()) {
            return Fail(kExitBadInput, "no printer \"" + name +
                                           "\" among the queues switchboard-cli printers lists "
                                           "(nothing sent)");
        }
        if (std::none_of(targets.begin(), targets.end(), named)) {
            targets.push_back(*found);
        }
    }

    // The job the panel would send after loading the file: its record as the pages encode it.
    const SettingRecord job = CRecordFields(*record).Encoded();
    bool failed = false;
    bool sent = false;
    for (const Queue& queue : targets) {
        const SendResult result = m_printers.Send(queue, job, args.wait);
        const std::string name = "\"" + queue.name + "\" (" + queue.connection + ")";
        switch (result.outcome) {
        case SendOutcome::Sent:
            sent = true;
            m_console.Out("sent: " + name + "\n");
            break;
        case SendOutcome::Skipped:
            // With --all a queue that is never sent to is passed over, as the panel lists but
            // never takes it; named on its own, it is a printer that was not sent to.
            failed = failed || !args.all;
            m_console.Out("skipped: " + name + ": " + result.detail + "\n");
            break;
        case SendOutcome::Failed:
            failed = true;
            m_console.Out("not sent: " + name + ": " + result.detail + "\n");
            break;
        }
    }
    if (!sent && !failed) {
        return Fail(kExitPrinterFailed, targets.empty()
                                            ? "no queue uses the printer's driver (nothing sent)"
                                            : "no queue of the printer's driver can be sent to");
    }
    return failed ? kExitPrinterFailed : kExitOk;
}

int CCommands::Dispatch(std::span<const std::string> args) {
    if (args.empty()) {
        return Usage("no command given");
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        m_console.Out(kHelp);
        return kExitOk;
    }

    Arguments parsed;
    const bool takesJson = command == "show" || command == "diff";
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            m_console.Out(kHelp);
            return kExitOk;
        }
        if (arg == "--json" && takesJson) {
            parsed.json = true;
        } else if (arg == "--all" && command == "send") {
            parsed.all = true;
        } else if (arg == "--printer" && command == "send" && hasValue) {
            parsed.printers.push_back(args[++i]);
        } else if (arg == "--timeout" && command == "send" && hasValue) {
            const std::optional<int> seconds = ParseIntText(args[++i]);
            if (!seconds || *seconds < 1 || *seconds > kLongestWait) {
                return Usage("--timeout takes a whole number of seconds from 1 to " +
                             std::to_string(kLongestWait));
            }
            parsed.wait = std::chrono::seconds(*seconds);
        } else if (arg == "-o" && command == "set" && hasValue && !parsed.output) {
            parsed.output = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::string message = command + ": unknown option or one without its value: ";
            message += arg;
            return Usage(message);
        } else {
            parsed.operands.push_back(arg);
        }
    }

    if (command == "show") {
        return Show(parsed);
    }
    if (command == "diff") {
        return Diff(parsed);
    }
    if (command == "set") {
        if (parsed.operands.size() < 2) {
            return Usage("set takes a FILE and at least one KEY=VALUE");
        }
        const std::string& file = parsed.operands[0];
        if (!parsed.output && file == kFactory) {
            return Usage("set: the factory settings are no file to change; name one with -o");
        }
        return Set(file, {parsed.operands.begin() + 1, parsed.operands.end()},
                   parsed.output.value_or(file));
    }
    if (command == "new") {
        if (parsed.operands.empty()) {
            return Usage("new takes the OUT file to write");
        }
        return Set(std::string(kFactory), {parsed.operands.begin() + 1, parsed.operands.end()},
                   parsed.operands[0]);
    }
    if (command == "printers") {
        if (!parsed.operands.empty()) {
            return Usage("printers takes no arguments");
        }
        return Printers();
    }
    if (command == "send") {
        return Send(parsed);
    }
    return Usage("unknown command \"" + command + "\"");
}

} // namespace

int Run(std::span<const std::string> args, Console& console, FileAccess& files,
        PrinterAccess& printers) {
    CCommands commands(console, files, printers);
    return commands.Dispatch(args);
}

} // namespace sb::cli
