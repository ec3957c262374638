#include "cli/json.h"

#include <cstdint>

namespace sb::cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

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

} // namespace

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = SequenceLength(text, i);
            json += length == 0 ? kReplacement : text.substr(i, length);
            i += length == 0 ? 1 : length;
            continue;
        }
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (c < 0x20) {
                constexpr char kDigits[] = "0123456789abcdef";
                json += "\\u00";
                json += kDigits[c >> 4];
                json += kDigits[c & 0x0F];
            } else {
                json += static_cast<char>(c);
            }
        }
        ++i;
    }
    return json + "\"";
}

} // namespace sb::cli
