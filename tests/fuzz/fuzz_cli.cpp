// Any command line (one argument a line) run against files and printers held in memory: the
// exit code is one of the five; a refusal (2) writes and sends nothing; a file that set
// wrote is a settings file that keeps its tail; every printer gets the same job, once; what
// goes to stderr is lines of the program's own, with no control byte in them; standard
// output is valid UTF-8, and under --json a run of valid JSON values.
#include "fail.h"

#include "cli/cli.h"
#include "files/settings_file.h"
#include "record/factory_record.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

using namespace sb;
using Bytes = std::vector<std::uint8_t>;

namespace {

class Console final : public cli::Console {
public:
    std::string Out(std::string_view text) override {
        out += text;
        return {};
    }
    void Err(std::string_view text) override { err += text; }
    bool ErrIsTerminal() override { return false; }
    std::string out;
    std::string err;
};

Bytes SettingsFile(std::size_t changedByte, std::string_view tail) {
    const auto file = SettingsFileBytes(FactoryRecord());
    Bytes bytes(file.begin(), file.end());
    if (changedByte != 0) {
        bytes[changedByte] = '5';
    }
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

// The folder the command line sees: a few files of every kind, and what it writes.
class Files final : public cli::FileAccess {
public:
    Files() {
        files["a.dat"] = SettingsFile(0, "");
        files["b.dat"] = SettingsFile(20 + 72, "");
        files["long.dat"] = SettingsFile(0, "tail\x1b[2J");
        files["bad.dat"] = Bytes(290, 'q');
        files["short.dat"] = SettingsFile(0, "");
        files["short.dat"].pop_back();
        files["\x1b]0;t\x07.dat"] = SettingsFile(0, "");
    }

    cli::ReadResult Read(const std::string& path, std::size_t limit) override {
        cli::ReadResult result;
        if (const std::string refusal = Refusal(path); !refusal.empty()) {
            result.error = refusal;
            return result;
        }
        const auto found = files.find(path);
        if (found == files.end()) {
            result.error = "no such file";
            return result;
        }
        result.bytes.assign(found->second.begin(),
                            found->second.begin() +
                                static_cast<std::ptrdiff_t>(std::min(limit, found->second.size())));
        result.longer = found->second.size() > limit;
        return result;
    }

    std::string Change(const std::string& path, std::size_t limit, std::chrono::seconds wait,
                       const cli::ChangeMaker& make) override {
        if (const std::string refusal = Refusal(path); !refusal.empty()) {
            return refusal;
        }
        if (path == "locked.dat") {
            return cli::LockTimeout(wait);
        }
        const std::optional<Bytes> bytes = make(Read(path, limit));
        if (bytes) {
            Bytes& file = files[path];
            file.resize(std::max(file.size(), bytes->size()));
            std::copy(bytes->begin(), bytes->end(), file.begin());
        }
        return {};
    }

    std::map<std::string, Bytes> files;

private:
    static std::string Refusal(const std::string& path) {
        return cli::KindRefusal(path == "dir"    ? cli::PathKind::Folder
                                : path == "fifo" ? cli::PathKind::Other
                                                 : cli::PathKind::File);
    }
};

class Printers final : public cli::PrinterAccess {
public:
    explicit Printers(bool devices) : m_bDevices(devices) {}

    cli::QueueList Queues() override {
        if (m_bDevices) {
            return {};
        }
        return {{{"Q1", "LPT1:"}, {"Q\x1b[2J\xff", "\\\\srv\x9b"}, {"File", "FILE:"}}, {}};
    }
    bool KnowsDriver() const override { return !m_bDevices; }
    cli::SendResult Send(const cli::Queue& queue, const SettingRecord& record,
                         std::chrono::seconds) override {
        const std::lock_guard lock(m_mutex);
        if (!sent.insert(queue.name).second) {
            sb::fuzz::Reject("a printer sent to twice", queue.name);
        }
        records.push_back(record);
        if (queue.connection == "FILE:") {
            return {cli::SendOutcome::Skipped, "the connection is FILE:"};
        }
        if (queue.name.find("dead") != std::string::npos ||
            queue.name.find('\x1b') != std::string::npos) {
            return {cli::SendOutcome::Failed, "refused \x1b[1m" + queue.name};
        }
        return {cli::SendOutcome::Sent, {}};
    }

    std::set<std::string> sent;
    std::vector<SettingRecord> records;

private:
    bool m_bDevices;
    std::mutex m_mutex;
};

// What followed the settings in a file is still there after set wrote it.
bool TailKept(const Bytes& before, const Bytes& after) {
    const std::size_t start = std::min<std::size_t>(kSettingsFileSize, before.size());
    return before.size() <= after.size() &&
           std::equal(before.begin() + static_cast<std::ptrdiff_t>(start), before.end(),
                      after.begin() + static_cast<std::ptrdiff_t>(start));
}

// The length of the UTF-8 sequence at text[i] when it is a valid one, else 0.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(i);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (byte(i + k) & 0x3F);
    }
    constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < kLeast[length] || code > 0x10FFFF || surrogate ? 0 : length;
}

// Valid UTF-8 with no control character but those allowed.
void CheckText(std::string_view text, std::string_view allowed, const char* where) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8Length(text, i);
        const auto c = static_cast<std::uint8_t>(text[i]);
        const bool control =
            c < 0x20 || c == 0x7F ||
            (length == 2 && c == 0xC2 && static_cast<std::uint8_t>(text[i + 1]) < 0xA0);
        if (length == 0 || (control && allowed.find(text[i]) == std::string_view::npos)) {
            sb::fuzz::Reject(where, text);
        }
        i += length;
    }
}

// A JSON value from text[i] on, skipping what it reads; false when there is none.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    bool Values() {
        Space();
        while (m_i < m_text.size()) {
            if (!Value()) {
                return false;
            }
            Space();
        }
        return true;
    }

private:
    void Space() {
        while (m_i < m_text.size() &&
               std::string_view(" \n\r\t").find(m_text[m_i]) != std::string_view::npos) {
            ++m_i;
        }
    }
    bool Take(char c) {
        Space();
        if (m_i < m_text.size() && m_text[m_i] == c) {
            ++m_i;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        if (m_text.substr(m_i, word.size()) != word) {
            return false;
        }
        m_i += word.size();
        return true;
    }
    bool String() {
        if (!Take('"')) {
            return false;
        }
        while (m_i < m_text.size() && m_text[m_i] != '"') {
            const auto c = static_cast<std::uint8_t>(m_text[m_i]);
            if (c < 0x20) {
                return false;
            }
            if (c == '\\') {
                ++m_i;
                if (m_i < m_text.size() && m_text[m_i] == 'u') {
                    for (int k = 1; k <= 4; ++k) {
                        if (m_i + k >= m_text.size() ||
                            !std::isxdigit(static_cast<unsigned char>(m_text[m_i + k]))) {
                            return false;
                        }
                    }
                    m_i += 5;
                } else if (m_i < m_text.size() &&
                           std::string_view("\"\\/bfnrt").find(m_text[m_i]) !=
                               std::string_view::npos) {
                    ++m_i;
                } else {
                    return false;
                }
                continue;
            }
            const std::size_t length = Utf8Length(m_text, m_i);
            if (length == 0) {
                return false;
            }
            m_i += length;
        }
        return Take('"');
    }
    bool Number() {
        const std::size_t start = m_i;
        Word("-");
        const std::size_t digits = m_i;
        while (m_i < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_i]))) {
            ++m_i;
        }
        return m_i > digits && !(m_i - digits > 1 && m_text[digits] == '0') && m_i > start;
    }
    bool Value() {
        Space();
        if (m_i >= m_text.size() || ++m_depth > 16) {
            return false;
        }
        bool ok = false;
        switch (m_text[m_i]) {
        case '{':
            ++m_i;
            ok = Take('}') || Members('}', true);
            break;
        case '[':
            ++m_i;
            ok = Take(']') || Members(']', false);
            break;
        case '"':
            ok = String();
            break;
        case 't':
            ok = Word("true");
            break;
        case 'f':
            ok = Word("false");
            break;
        case 'n':
            ok = Word("null");
            break;
        default:
            ok = Number();
        }
        --m_depth;
        return ok;
    }
    bool Members(char close, bool named) {
        do {
            if (named && !(String() && Take(':'))) {
                return false;
            }
            if (!Value()) {
                return false;
            }
        } while (Take(','));
        return Take(close);
    }

    std::string_view m_text;
    std::size_t m_i = 0;
    int m_depth = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    for (std::size_t start = 0; start <= text.size() && args.size() < 32;) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        args.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    Console console;
    Files files;
    const std::map<std::string, Bytes> before = files.files;
    Printers printers(false);
    Printers devices(true);
    const int code = cli::Run(args, console, files, printers, devices);

    if (code < cli::kExitOk || code > cli::kExitOutputFailed) {
        sb::fuzz::Reject("an exit code of none of the five", std::to_string(code));
    }
    const bool sent = !printers.records.empty() || !devices.records.empty();
    if (code == cli::kExitBadInput && (files.files != before || sent)) {
        sb::fuzz::Reject("a refusal that wrote or sent", console.err);
    }
    for (const auto& [name, bytes] : files.files) {
        const auto old = before.find(name);
        if (old != before.end() && old->second == bytes) {
            continue;
        }
        const bool tailKept = old == before.end() || TailKept(old->second, bytes);
        if (!CheckSettingsFile(bytes).record || !tailKept) {
            sb::fuzz::Reject("set wrote what is no settings file, or lost a tail", name);
        }
    }
    std::vector<SettingRecord> records = printers.records;
    records.insert(records.end(), devices.records.begin(), devices.records.end());
    if (std::adjacent_find(records.begin(), records.end(), std::not_equal_to<>()) !=
        records.end()) {
        sb::fuzz::Reject("printers got different jobs", console.err);
    }

    CheckText(console.err, "\n", "a control byte, or no UTF-8, on stderr");
    for (std::size_t start = 0; start < console.err.size();) {
        if (console.err.compare(start, 17, "switchboard-cli: ") != 0) {
            sb::fuzz::Reject("a line on stderr that is not the program's own", console.err);
        }
        start = console.err.find('\n', start) + 1;
    }
    const bool json =
        std::find(args.begin(), args.end(), "--json") != args.end() && console.out.starts_with('{');
    if (json ? !JsonReader(console.out).Values() : false) {
        sb::fuzz::Reject("what --json wrote is no JSON", console.out);
    }
    CheckText(console.out, json ? "\n" : "\n\t", "a control byte, or no UTF-8, on stdout");
    return 0;
}
