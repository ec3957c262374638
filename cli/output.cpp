#include "cli/output.h"

#include "cli/options.h"
#include "pages/record_fields.h"

#include <array>
#include <cstdint>

namespace sb::cli {
namespace {

// The version of what --json writes; it counts up whenever a name or a type changes.
constexpr int kJsonSchema = 2;
// Keys are padded to this width in show's text, so that the values line up.
constexpr std::size_t kKeyColumn = 31;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr char kHexDigits[] = "0123456789abcdef";

// The length of the UTF-8 sequence that starts at text[i], or 0 when it is not one.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(i);
    std::size_t length = 0;
    std::uint32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    std::uint32_t code = lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (byte(i + k) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < min || code > 0x10FFFF || surrogate ? 0 : length;
}

// A control character to a terminal, of the sequence at text[i]: C0, DEL and C1 (U+0080 to
// U+009F), which a terminal reads as the start of an escape as much as ESC.
bool IsControl(std::string_view text, std::size_t i, std::size_t length) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    return c < 0x20 || c == 0x7F ||
           (length == 2 && c == 0xC2 && static_cast<std::uint8_t>(text[i + 1]) < 0xA0);
}

std::string SourceName(const std::string& path) {
    return path == kFactory ? "the factory settings" : "settings file " + TerminalText(path);
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

// Objects each on a line of their own, inside a document's top level.
std::string JsonList(const std::vector<std::string>& items) {
    return items.empty() ? std::string("[]") : "[\n" + Joined(items, ",\n") + "\n  ]";
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
    return JsonList(items);
}

} // namespace

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        const std::size_t length = c >= 0x80 ? SequenceLength(text, i) : 1;
        if (length == 0) {
            json += kReplacement;
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\t') {
            json += "\\t";
        } else if (IsControl(text, i, length)) {
            // A C1 control's code is its second byte.
            const std::uint8_t code = length == 1 ? c : static_cast<std::uint8_t>(text[i + 1]);
            json += "\\u00";
            json += kHexDigits[code >> 4];
            json += kHexDigits[code & 0x0F];
        } else {
            json += text.substr(i, length);
        }
        i += length;
    }
    return json + "\"";
}

std::string TerminalText(std::string_view text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length =
            static_cast<std::uint8_t>(text[i]) >= 0x80 ? SequenceLength(text, i) : 1;
        if (length == 0 || IsControl(text, i, length)) {
            // Each byte as it is, so that nothing is hidden.
            for (std::size_t k = 0; k < std::max<std::size_t>(length, 1); ++k) {
                const auto byte = static_cast<std::uint8_t>(text[i + k]);
                shown += "\\x";
                shown += kHexDigits[byte >> 4];
                shown += kHexDigits[byte & 0x0F];
            }
            i += std::max<std::size_t>(length, 1);
            continue;
        }
        shown += text.substr(i, length);
        i += length;
    }
    return shown;
}

std::string ShownPath(std::string_view path) {
    constexpr std::size_t kLongest = 60;
    if (path.size() <= kLongest) {
        return TerminalText(path);
    }
    // Before a character, never inside one.
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<std::uint8_t>(path[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return TerminalText(path.substr(0, cut)) + "… (" + std::to_string(path.size()) + " bytes)";
}

std::string ShowText(const std::string& source, const SettingRecord& record) {
    CRecordFields fields(record);
    const std::vector<FieldInfo>& infos = RecordFieldList();
    const std::vector<std::string> values = fields.Values();
    std::string text = SourceName(source) + "\n";
    for (std::size_t i = 0; i < infos.size(); ++i) {
        if (i == 0 || infos[i].page != infos[i - 1].page) {
            text += "\n" + infos[i].page + "\n";
        }
        text += "  " + Padded(infos[i].key, kKeyColumn) + "= " + values[i] + "  # " +
                Caption(infos[i]) + "\n";
    }
    return text + "\n" + RepairsText(fields.Repairs(record));
}

std::string ShowJson(const std::string& source, const SettingRecord& record) {
    CRecordFields fields(record);
    const std::vector<FieldInfo>& infos = RecordFieldList();
    const std::vector<std::string> values = fields.Values();
    std::string json =
        "{\n  " + SchemaJson() + ",\n  \"source\": " + JsonString(source) + ",\n  \"fields\": [\n";
    for (std::size_t i = 0; i < infos.size(); ++i) {
        json +=
            "    {" + FieldJson(infos[i]) + ", \"value\": " + ValueJson(infos[i], values[i]) + "}";
        json += i + 1 < infos.size() ? ",\n" : "\n";
    }
    return json + "  ],\n  \"repairs\": " + RepairsJson(fields.Repairs(record)) + "\n}\n";
}

Differences DiffOutput(const std::string& nameA, const SettingRecord& a, const std::string& nameB,
                       const SettingRecord& b) {
    CRecordFields fieldsA(a);
    CRecordFields fieldsB(b);
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

    Differences differences;
    differences.text = Joined(lines, "");
    differences.json = "{\n  " + SchemaJson() + ",\n  \"a\": " + JsonString(nameA) +
                       ",\n  \"b\": " + JsonString(nameB) + ",\n  \"fields\": " + JsonList(items) +
                       ",\n  \"bytes\": " + JsonList(byteItems) + "\n}\n";
    differences.any = !lines.empty();
    return differences;
}

std::string QueuesText(const std::vector<Queue>& queues) {
    std::string text;
    for (const Queue& queue : queues) {
        text += TerminalText(queue.name) + "\t" + TerminalText(queue.connection) + "\n";
    }
    return text;
}

std::string TargetText(const Queue& queue, bool device) {
    if (device) {
        return TerminalText(queue.name);
    }
    return "\"" + TerminalText(queue.name) + "\" (" + TerminalText(queue.connection) + ")";
}

std::string SendLine(const Queue& queue, bool device, const SendResult& result) {
    const std::string name = TargetText(queue, device);
    switch (result.outcome) {
    case SendOutcome::Sent:
        return "sent: " + name + "\n";
    case SendOutcome::Skipped:
        return "skipped: " + name + ": " + TerminalText(result.detail) + "\n";
    case SendOutcome::Failed:
        break;
    }
    return "not sent: " + name + ": " + TerminalText(result.detail) + "\n";
}

std::string SendJson(const Queue& queue, bool device, const SendResult& result) {
    const std::string_view outcome = result.outcome == SendOutcome::Sent      ? "sent"
                                     : result.outcome == SendOutcome::Skipped ? "skipped"
                                                                              : "not sent";
    return "{" + SchemaJson() + ", " + (device ? "\"device\": " : "\"printer\": ") +
           JsonString(queue.name) + ", \"connection\": " + JsonString(queue.connection) +
           ", \"outcome\": " + JsonString(outcome) +
           ", \"reason\": " + (result.detail.empty() ? "null" : JsonString(result.detail)) + "}\n";
}

std::string ErrorJson(std::string_view message, int code) {
    std::string json = "{";
    json += SchemaJson();
    json += ", \"error\": " + JsonString(message) + ", \"exit\": " + std::to_string(code) + "}\n";
    return json;
}

} // namespace sb::cli
