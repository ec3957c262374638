#include "cli/cli.h"

#include "cli/assignment.h"
#include "cli/fleet.h"
#include "cli/json.h"
#include "cli/device_uri.h"
#include "files/settings_file.h"
#include "pages/record_fields.h"
#include "record/factory_record.h"
#include "base/int_text.h"

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
    "  send FILE --device URI...      straight to a printer's raw port, socket://HOST[:PORT]\n"
    "                                 (port 9100 unless given), also beside the others\n"
    "       [--jobs N]                to N printers at once (default 16)\n"
    "       [--timeout S]             how long each printer may take (default 30 s): on\n"
    "                                 CUPS to hand the job on, on a raw port to take it\n"
    "       [--json]                  a JSON object a line for each printer\n"
    "  --help                         this text\n"
    "\n"
    "FILE, A and B may be \"factory\", the factory settings (a file of that name is\n"
    "./factory). A value is given as show prints it: an entry of a list, one of a radio\n"
    "pair's two texts (its \"(X)\" may be left off), on or off for a check box, a whole\n"
    "number in its range.\n"
    "\n"
    "Exit codes: 0 done; 1 diff found differences; 2 bad usage, file or value (nothing is\n"
    "written or sent); 3 a printer or the spooler did not take the job; 4 the output could\n"
    "not be written.\n";

constexpr std::string_view kProgram = "switchboard-cli: ";
constexpr std::string_view kFactory = "factory";
// How long send waits for a queue to hand a job on, where the spooler can tell (CUPS).
constexpr std::chrono::seconds kDefaultWait(30);
constexpr int kLongestWait = 3600;
constexpr std::size_t kDefaultJobs = 16;
constexpr int kMostJobs = 256;
// The version of what --json writes; it counts up whenever a name or a type changes.
constexpr int kJsonSchema = 2;
// Keys are padded to this width in show's text, so that the values line up.
constexpr std::size_t kKeyColumn = 31;

// A printer as send's arguments name it, in their order.
struct TargetName {
    enum class Kind { Printer, Device, All } kind;
    std::string text; // the queue's name, the device's URI
};

// What a command's arguments hold once the options are taken out.
struct Arguments {
    std::vector<std::string> operands;
    bool json = false;
    std::optional<std::string> output;
    std::vector<TargetName> targets;
    std::chrono::seconds wait = kDefaultWait;
    std::size_t jobs = kDefaultJobs;
};

bool Names(const Arguments& args, TargetName::Kind kind) {
    return std::any_of(args.targets.begin(), args.targets.end(),
                       [kind](const TargetName& target) { return target.kind == kind; });
}

// The progress of a send, on one line that each count rewrites.
class CProgressLine {
public:
    explicit CProgressLine(Console& console) : m_console(console) {}

    void Show(const SendCounts& counts) {
        const std::string text = "sending: " + std::to_string(counts.done) + " done, " +
                                 std::to_string(counts.failed) + " failed, " +
                                 std::to_string(counts.left) + " left";
        const std::size_t width = std::max(m_nWidth, text.size());
        m_console.Err("\r" + text + std::string(width - text.size(), ' '));
        m_nWidth = text.size();
    }
    // Before anything else is written, so that it never lands behind the counts.
    void Clear() {
        if (m_nWidth != 0) {
            m_console.Err("\r" + std::string(m_nWidth, ' ') + "\r");
            m_nWidth = 0;
        }
    }

private:
    Console& m_console;
    std::size_t m_nWidth = 0; // of the line on show; 0 when none is
};

class CCommands {
public:
    CCommands(Console& console, FileAccess& files, PrinterAccess& printers, PrinterAccess& devices)
        : m_console(console), m_files(files), m_printers(printers), m_devices(devices) {}

    // The command's exit code, or kExitOutputFailed when what it said could not be written.
    int Run(std::span<const std::string> args);

private:
    int Show(const Arguments& args);
    int Diff(const Arguments& args);
    int Set(const std::string& source, const std::vector<std::string>& assignments,
            const std::string& output);
    int Printers();
    int Send(const Arguments& args);
    // The printers send's arguments name, each once, or the exit code that refuses them.
    std::variant<std::vector<SendTarget>, int> Targets(const Arguments& args);
    std::string TargetText(const SendTarget& target) const;
    std::string TargetJson(const SendTarget& target, const SendResult& result) const;

    int Dispatch(std::span<const std::string> args);
    // The record a file holds, or nothing after a message naming the file.
    std::optional<SettingRecord> Load(const std::string& path);
    // Standard output; after a failure nothing more is tried.
    void Print(std::string_view text);
    // The message on stderr and, under --json, as an object on stdout as well.
    int Fail(int code, std::string_view message);
    int Usage(std::string_view message);

    Console& m_console;
    FileAccess& m_files;
    PrinterAccess& m_printers;
    PrinterAccess& m_devices;
    bool m_bJson = false;
    std::string m_strOutError; // why standard output could not be written
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

std::string SchemaJson() {
    return "\"schema\": " + std::to_string(kJsonSchema);
}

// A number field's value as the number it is; any other as its text.
std::string ValueJson(const FieldInfo& info, const std::string& value) {
    return info.kind == FieldKind::Number ? value : JsonString(value);
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
                        JsonStrings(keys) + ", \"from\": " + std::to_string(repair.from) +
                        ", \"to\": " + std::to_string(repair.to) + "}");
    }
    return items.empty() ? "[]" : "[\n" + Joined(items, ",\n") + "\n  ]";
}

void CCommands::Print(std::string_view text) {
    if (m_strOutError.empty()) {
        m_strOutError = m_console.Out(text);
    }
}

int CCommands::Fail(int code, std::string_view message) {
    m_console.Err(std::string(kProgram) + std::string(message) + "\n");
    if (m_bJson) {
        Print("{" + SchemaJson() + ", \"error\": " + JsonString(message) +
              ", \"exit\": " + std::to_string(code) + "}\n");
    }
    return code;
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
    const ReadResult read = m_files.Read(path, kSettingsFileSize);
    if (!read.error.empty()) {
        Fail(kExitBadInput, path + ": " + read.error);
        return std::nullopt;
    }
    SettingsFileCheck check = CheckSettingsFile(read.bytes);
    if (!check.record) {
        Fail(kExitBadInput, path + ": not a settings file: " + check.reason);
        return std::nullopt;
    }
    // A file the panel loads is one this loads too, with the same bytes: the panel's save
    // leaves a longer file's tail in place, and its load reads past it.
    if (read.longer) {
        m_console.Err(std::string(kProgram) + path + ": the bytes after the " +
                      std::to_string(kSettingsFileSize) +
                      "th are ignored, as the panel ignores them\n");
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
        text = "{\n  " + SchemaJson() + ",\n  \"source\": " + JsonString(args.operands[0]) +
               ",\n  \"fields\": [\n";
        for (std::size_t i = 0; i < infos.size(); ++i) {
            text += "    {" + FieldJson(infos[i]) +
                    ", \"value\": " + ValueJson(infos[i], values[i]) + "}";
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
    Print(text);
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
        items.push_back("    {" + FieldJson(info) + ", \"a\": " + ValueJson(info, valuesA[i]) +
                        ", \"b\": " + ValueJson(info, valuesB[i]) + "}");
    }
    std::vector<std::string> byteItems;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (((loadedA[i] ^ loadedB[i]) & ~explained[i]) == 0) {
            continue;
        }
        lines.push_back("byte " + std::to_string(i) + ": " + Hex(loadedA[i]) + " -> " +
                        Hex(loadedB[i]) + "\n");
        byteItems.push_back("    {\"byte\": " + std::to_string(i) +
                            ", \"a\": " + std::to_string(loadedA[i]) +
                            ", \"b\": " + std::to_string(loadedB[i]) + "}");
    }

    if (args.json) {
        const auto list = [](const std::vector<std::string>& entries) {
            return entries.empty() ? std::string("[]") : "[\n" + Joined(entries, ",\n") + "\n  ]";
        };
        Print("{\n  " + SchemaJson() + ",\n  \"a\": " + JsonString(args.operands[0]) +
              ",\n  \"b\": " + JsonString(args.operands[1]) + ",\n  \"fields\": " + list(items) +
              ",\n  \"bytes\": " + list(byteItems) + "\n}\n");
    } else {
        Print(Joined(lines, ""));
    }
    return lines.empty() ? kExitOk : kExitDifferent;
}

int CCommands::Set(const std::string& source, const std::vector<std::string>& arguments,
                   const std::string& output) {
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
    Print(text);
    return kExitOk;
}

std::variant<std::vector<SendTarget>, int> CCommands::Targets(const Arguments& args) {
    QueueList list;
    if (Names(args, TargetName::Kind::All) || Names(args, TargetName::Kind::Printer)) {
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
    for (const TargetName& target : args.targets) {
        switch (target.kind) {
        case TargetName::Kind::All:
            for (const Queue& queue : list.queues) {
                add(queue, m_printers);
            }
            break;
        case TargetName::Kind::Printer: {
            const auto found =
                std::find_if(list.queues.begin(), list.queues.end(),
                             [&](const Queue& queue) { return queue.name == target.text; });
            if (found == list.queues.end()) {
                return Fail(kExitBadInput, "no printer " + QuotedText(target.text) +
                                               " among the queues switchboard-cli printers lists "
                                               "(nothing sent)");
            }
            add(*found, m_printers);
            break;
        }
        case TargetName::Kind::Device: {
            // Named by its URI with the port written out, so that one device goes once.
            const std::string uri = DeviceConnection(*ParseDeviceUri(target.text));
            add({uri, uri}, m_devices);
            break;
        }
        }
    }
    return targets;
}

std::string CCommands::TargetText(const SendTarget& target) const {
    if (target.access == &m_devices) {
        return target.queue.name;
    }
    return "\"" + target.queue.name + "\" (" + target.queue.connection + ")";
}

std::string CCommands::TargetJson(const SendTarget& target, const SendResult& result) const {
    const std::string_view outcome = result.outcome == SendOutcome::Sent      ? "sent"
                                     : result.outcome == SendOutcome::Skipped ? "skipped"
                                                                              : "not sent";
    return "{" + SchemaJson() + ", " +
           (target.access == &m_devices ? "\"device\": " : "\"printer\": ") +
           JsonString(target.queue.name) +
           ", \"connection\": " + JsonString(target.queue.connection) +
           ", \"outcome\": " + JsonString(outcome) +
           ", \"reason\": " + (result.detail.empty() ? "null" : JsonString(result.detail)) + "}\n";
}

int CCommands::Send(const Arguments& args) {
    if (args.operands.size() != 1) {
        return Usage("send takes one FILE");
    }
    const bool all = Names(args, TargetName::Kind::All);
    if (args.targets.empty() || (all && Names(args, TargetName::Kind::Printer))) {
        return Usage("send takes either --printer NAME (once or more) or --all, and --device URI "
                     "beside either or alone");
    }
    if (all && !m_printers.KnowsDriver()) {
        return Usage("--all: CUPS queues carry no driver name to find the printer's queues by; "
                     "name each with --printer");
    }
    const std::optional<SettingRecord> record = Load(args.operands[0]);
    if (!record) {
        return kExitBadInput;
    }
    auto found = Targets(args);
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
        const std::string name = TargetText(targets[i]);
        std::string line;
        switch (result.outcome) {
        case SendOutcome::Sent:
            sent = true;
            line = "sent: " + name + "\n";
            break;
        case SendOutcome::Skipped:
            // With --all a queue that is never sent to is passed over, as the panel lists but
            // never takes it; named on its own, it is a printer that was not sent to.
            failed = failed || !all;
            line = "skipped: " + name + ": " + result.detail + "\n";
            break;
        case SendOutcome::Failed:
            failed = true;
            line = "not sent: " + name + ": " + result.detail + "\n";
            break;
        }
        progress.Clear();
        Print(args.json ? TargetJson(targets[i], result) : line);
    };
    const auto show = [&](const SendCounts& counts) {
        if (watched && counts.left != 0) {
            progress.Show(counts);
        }
    };
    SendEach(targets, job, args.wait, args.jobs, report, show);
    progress.Clear();

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
        Print(kHelp);
        return kExitOk;
    }

    Arguments parsed;
    const bool takesJson = command == "show" || command == "diff" || command == "send";
    // Known before any other argument is looked at, so that every refusal comes as an object.
    parsed.json = takesJson && std::find(args.begin(), args.end(), "--json") != args.end();
    m_bJson = parsed.json;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const bool sending = command == "send";
        if (arg == "--help" || arg == "-h") {
            Print(kHelp);
            return kExitOk;
        }
        if (arg == "--json" && takesJson) {
            continue;
        }
        if (arg == "--all" && sending) {
            parsed.targets.push_back({TargetName::Kind::All, {}});
        } else if (arg == "--printer" && sending && hasValue) {
            parsed.targets.push_back({TargetName::Kind::Printer, args[++i]});
        } else if (arg == "--device" && sending && hasValue) {
            const std::string& uri = args[++i];
            if (!ParseDeviceUri(uri)) {
                return Usage("--device takes socket://HOST[:PORT], not " + QuotedText(uri));
            }
            parsed.targets.push_back({TargetName::Kind::Device, uri});
        } else if (arg == "--jobs" && sending && hasValue) {
            const std::optional<int> jobs = ParseIntText(args[++i]);
            if (!jobs || *jobs < 1 || *jobs > kMostJobs) {
                return Usage("--jobs takes a whole number from 1 to " + std::to_string(kMostJobs));
            }
            parsed.jobs = static_cast<std::size_t>(*jobs);
        } else if (arg == "--timeout" && sending && hasValue) {
            const std::optional<int> seconds = ParseIntText(args[++i]);
            if (!seconds || *seconds < 1 || *seconds > kLongestWait) {
                return Usage("--timeout takes a whole number of seconds from 1 to " +
                             std::to_string(kLongestWait));
            }
            parsed.wait = std::chrono::seconds(*seconds);
        } else if (arg == "-o" && command == "set" && hasValue && !parsed.output) {
            parsed.output = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Usage(command + ": unknown option or one without its value: " + QuotedText(arg));
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
    return Usage("unknown command " + QuotedText(command));
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
