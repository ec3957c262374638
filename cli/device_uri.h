// A printer's raw port as send names it: socket://HOST[:PORT], 9100 unless a port is given.
// Strict, so that a typing slip is refused at once rather than looked up as a name, and so
// that two spellings of one address name one printer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace sb::cli {

inline constexpr std::uint16_t kRawPort = 9100;

enum class HostKind : std::uint8_t {
    Name, // looked up
    Ipv4,
    Ipv6,
};

struct DeviceUri {
    // In one spelling for each address: a name in lower case; an IPv4 address as four
    // numbers; an IPv6 one (an IPv4 address mapped into it taken as that IPv4 address) in
    // its shortest form, without brackets, its zone after a '%'.
    std::string host;
    HostKind kind = HostKind::Name;
    std::uint16_t port = kRawPort;
    bool operator==(const DeviceUri&) const = default;
};

// The host and port of "socket://HOST[:PORT]", or why the text is no such URI. The scheme
// goes in any case; brackets go around an IPv6 address, and only there; a '%' comes only
// before an IPv6 address's zone, written "%25" as URIs write it, or plainly.
std::variant<DeviceUri, std::string> ParseDeviceUri(std::string_view uri);
// The URI in the one spelling of its address, with its port always written out.
std::string DeviceConnection(const DeviceUri& device);

} // namespace sb::cli
