// A printer's raw port as send names it: socket://HOST[:PORT], 9100 unless a port is given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sb::cli {

inline constexpr std::uint16_t kRawPort = 9100;

struct DeviceUri {
    std::string host; // a name or an address, an IPv6 one without its brackets
    std::uint16_t port = kRawPort;
};

// The host and port of "socket://HOST[:PORT]", or nothing when the text is no such URI.
std::optional<DeviceUri> ParseDeviceUri(std::string_view uri);
// The URI with its port always written out.
std::string DeviceConnection(const DeviceUri& device);

} // namespace sb::cli
