#include "cli/device_uri.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <span>
#include <vector>

namespace sb::cli {
namespace {

constexpr std::string_view kScheme = "socket://";
// The longest a name may be, and each of its labels, as the name system has it.
constexpr std::size_t kLongestName = 253;
constexpr std::size_t kLongestLabel = 63;

using Ipv6Bytes = std::array<std::uint8_t, 16>;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// Four numbers from 0 to 255 without leading zeros: the one form that reads the same to
// every resolver (some take "010" as octal, "127.1" as 127.0.0.1).
std::optional<std::array<std::uint8_t, 4>> ParseIpv4(std::string_view text) {
    const std::vector<std::string_view> parts = Split(text, '.');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string_view part = parts[i];
        unsigned value = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), IsDigit) ||
            error != std::errc() || end != part.data() + part.size() || value > 255 ||
            (part.size() > 1 && part[0] == '0')) {
            return std::nullopt;
        }
        bytes[i] = static_cast<std::uint8_t>(value);
    }
    return bytes;
}

// The text forms of an IPv6 address: eight groups of up to four hex digits, one "::" for
// a run of zero groups, the last two groups perhaps as an IPv4 address.
std::optional<Ipv6Bytes> ParseIpv6(std::string_view text) {
    const bool gapFirst = text.starts_with("::");
    const bool gapLast = text.ends_with("::");
    std::vector<std::string_view> parts = Split(text, ':');
    if (gapFirst) {
        parts.erase(parts.begin());
    }
    if (gapLast && parts.size() > 1) {
        parts.pop_back();
    }
    std::vector<std::uint16_t> groups;
    std::optional<std::size_t> gap;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        if (part.empty()) {
            const bool allowed = (i > 0 && i + 1 < parts.size()) || (i == 0 && gapFirst) ||
                                 (i + 1 == parts.size() && gapLast);
            if (gap || !allowed) {
                return std::nullopt;
            }
            gap = groups.size();
        } else if (i + 1 == parts.size() && part.find('.') != std::string_view::npos) {
            const auto v4 = ParseIpv4(part);
            if (!v4) {
                return std::nullopt;
            }
            groups.push_back(static_cast<std::uint16_t>((*v4)[0] << 8 | (*v4)[1]));
            groups.push_back(static_cast<std::uint16_t>((*v4)[2] << 8 | (*v4)[3]));
        } else {
            unsigned value = 0;
            const auto [end, error] =
                std::from_chars(part.data(), part.data() + part.size(), value, 16);
            if (part.size() > 4 || !std::all_of(part.begin(), part.end(), IsHexDigit) ||
                error != std::errc() || end != part.data() + part.size()) {
                return std::nullopt;
            }
            groups.push_back(static_cast<std::uint16_t>(value));
        }
    }
    if (gap ? groups.size() > 7 : groups.size() != 8) {
        return std::nullopt;
    }
    if (gap) {
        groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(*gap), 8 - groups.size(), 0);
    }
    Ipv6Bytes bytes{};
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(groups[i] >> 8);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(groups[i] & 0xFF);
    }
    return bytes;
}

std::string Ipv4Text(std::span<const std::uint8_t, 4> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += text.empty() ? "" : ".";
        text += std::to_string(byte);
    }
    return text;
}

// The shortest form: hex digits in lower case without leading zeros, the first longest run
// of two or more zero groups as "::".
std::string Ipv6Text(const Ipv6Bytes& bytes) {
    std::array<unsigned, 8> groups{};
    for (std::size_t i = 0; i < 8; ++i) {
        groups[i] = static_cast<unsigned>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
    }
    std::size_t runStart = 8;
    std::size_t runLength = 1;
    for (std::size_t i = 0; i < 8;) {
        std::size_t end = i;
        while (end < 8 && groups[end] == 0) {
            ++end;
        }
        if (end - i > runLength) {
            runStart = i;
            runLength = end - i;
        }
        i = end == i ? i + 1 : end;
    }
    std::string text;
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == runStart) {
            text += "::";
            i += runLength - 1;
            continue;
        }
        if (!text.empty() && !text.ends_with(':')) {
            text += ':';
        }
        std::array<char, 4> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), groups[i], 16);
        text.append(digits.data(), end.ptr);
    }
    return text;
}

// "[...]" without its brackets: the address, then its zone.
std::variant<DeviceUri, std::string> ParseBracketed(std::string_view inside) {
    std::string_view address = inside;
    std::string_view zone;
    if (const std::size_t percent = inside.find('%'); percent != std::string_view::npos) {
        address = inside.substr(0, percent);
        zone = inside.substr(percent + 1);
        // "%25" is how a URI writes the '%' itself.
        if (zone.size() > 2 && zone.starts_with("25")) {
            zone.remove_prefix(2);
        }
        const auto zoneChar = [](char c) {
            return IsLetter(c) || IsDigit(c) || c == '-' || c == '.' || c == '_' || c == '~';
        };
        if (zone.empty() || !std::all_of(zone.begin(), zone.end(), zoneChar)) {
            return std::string("an IPv6 address's zone is letters, digits, '-', '.', '_' and '~'");
        }
    }
    const std::optional<Ipv6Bytes> bytes = ParseIpv6(address);
    if (!bytes) {
        const bool v4OrName = address.find(':') == std::string_view::npos;
        return std::string(v4OrName ? "brackets go only around an IPv6 address"
                                    : "it is not an IPv6 address");
    }
    // The IPv4 address mapped into IPv6 is that IPv4 address.
    constexpr std::array<std::uint8_t, 12> kMapped = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    if (zone.empty() && std::equal(kMapped.begin(), kMapped.end(), bytes->begin())) {
        return DeviceUri{Ipv4Text(std::span(*bytes).subspan<12, 4>()), HostKind::Ipv4, kRawPort};
    }
    std::string host = Ipv6Text(*bytes);
    if (!zone.empty()) {
        host += "%";
        host += zone;
    }
    return DeviceUri{std::move(host), HostKind::Ipv6, kRawPort};
}

// A label that a resolver might read as a number: digits, or "0x" and hex digits.
bool NumberLike(std::string_view label) {
    if (label.size() >= 2 && label[0] == '0' && Lower(label[1]) == 'x') {
        return std::all_of(label.begin() + 2, label.end(), IsHexDigit);
    }
    return !label.empty() && std::all_of(label.begin(), label.end(), IsDigit);
}

std::variant<DeviceUri, std::string> ParseUnbracketed(std::string_view host) {
    if (host.find('%') != std::string_view::npos) {
        return std::string("'%' only goes before an IPv6 address's zone, as in "
                           "socket://[fe80::1%25eth0]");
    }
    std::vector<std::string_view> labels = Split(host, '.');
    // A name's last label is never a number, so a host that ends in one is an address.
    const bool absolute = labels.size() > 1 && labels.back().empty();
    if (absolute) {
        labels.pop_back();
    }
    if (NumberLike(labels.back())) {
        const auto bytes = ParseIpv4(host);
        if (!bytes) {
            return std::string("an IPv4 address is four numbers from 0 to 255, without leading "
                               "zeros");
        }
        return DeviceUri{Ipv4Text(*bytes), HostKind::Ipv4, kRawPort};
    }
    const auto labelChar = [](char c) { return IsLetter(c) || IsDigit(c) || c == '-' || c == '_'; };
    const bool named = host.size() <= kLongestName + (absolute ? 1 : 0) &&
                       std::all_of(labels.begin(), labels.end(), [&](std::string_view label) {
                           return !label.empty() && label.size() <= kLongestLabel &&
                                  label.front() != '-' && label.back() != '-' &&
                                  std::all_of(label.begin(), label.end(), labelChar);
                       });
    if (!named) {
        return std::string("a host name is labels of letters, digits, '-' and '_' between dots");
    }
    std::string lower(host);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return DeviceUri{std::move(lower), HostKind::Name, kRawPort};
}

} // namespace

std::variant<DeviceUri, std::string> ParseDeviceUri(std::string_view uri) {
    const bool scheme =
        uri.size() >= kScheme.size() && std::equal(kScheme.begin(), kScheme.end(), uri.begin(),
                                                   [](char a, char b) { return a == Lower(b); });
    if (!scheme) {
        return std::string("it does not start with socket://");
    }
    const std::string_view rest = uri.substr(kScheme.size());
    if (rest.find_first_of("/?#@") != std::string_view::npos) {
        return std::string("only a host and a port follow socket://");
    }
    std::variant<DeviceUri, std::string> parsed;
    std::string_view port;
    bool hasPort = false;
    if (rest.starts_with('[')) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            return std::string("the ']' after the IPv6 address is missing");
        }
        const std::string_view after = rest.substr(close + 1);
        if (!after.empty() && after[0] != ':') {
            return std::string("only a port follows the ']'");
        }
        hasPort = !after.empty();
        port = hasPort ? after.substr(1) : after;
        parsed = ParseBracketed(rest.substr(1, close - 1));
    } else {
        const std::size_t colon = rest.find(':');
        if (colon != std::string_view::npos &&
            rest.find(':', colon + 1) != std::string_view::npos) {
            return std::string("an IPv6 address goes in brackets, as in socket://[::1]:9100");
        }
        if (rest.find_first_of("[]") != std::string_view::npos) {
            return std::string("brackets go only around an IPv6 address");
        }
        const std::string_view host = rest.substr(0, colon);
        if (host.empty()) {
            return std::string("the host is missing");
        }
        hasPort = colon != std::string_view::npos;
        port = hasPort ? rest.substr(colon + 1) : std::string_view();
        parsed = ParseUnbracketed(host);
    }
    DeviceUri* device = std::get_if<DeviceUri>(&parsed);
    if (device == nullptr) {
        return parsed;
    }
    if (hasPort) {
        unsigned number = 0;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
        if (port.empty() || !std::all_of(port.begin(), port.end(), IsDigit) ||
            error != std::errc() || end != port.data() + port.size() || number == 0 ||
            number > 65535) {
            return std::string("the port is a whole number from 1 to 65535");
        }
        device->port = static_cast<std::uint16_t>(number);
    }
    return parsed;
}

std::string DeviceConnection(const DeviceUri& device) {
    std::string host = device.host;
    if (device.kind == HostKind::Ipv6) {
        if (const std::size_t percent = host.find('%'); percent != std::string::npos) {
            host.insert(percent + 1, "25");
        }
        host = "[" + host + "]";
    }
    return std::string(kScheme) + host + ":" + std::to_string(device.port);
}

} // namespace sb::cli
