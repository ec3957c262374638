#include "cli/device_uri.h"

#include <algorithm>
#include <charconv>

namespace sb::cli {
namespace {

constexpr std::string_view kScheme = "socket://";

} // namespace

std::optional<DeviceUri> ParseDeviceUri(std::string_view uri) {
    if (!uri.starts_with(kScheme)) {
        return std::nullopt;
    }
    std::string_view rest = uri.substr(kScheme.size());
    DeviceUri device;
    std::size_t colon = std::string_view::npos;
    if (rest.starts_with('[')) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        device.host = rest.substr(1, close - 1);
        colon = close + 1 < rest.size() ? close + 1 : std::string_view::npos;
        if (colon != std::string_view::npos && rest[colon] != ':') {
            return std::nullopt;
        }
    } else {
        colon = rest.find(':');
        device.host = rest.substr(0, colon);
    }
    const auto hostChar = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == ':' || c == '_' || c == '%';
    };
    if (device.host.empty() || !std::all_of(device.host.begin(), device.host.end(), hostChar)) {
        return std::nullopt;
    }
    if (colon != std::string_view::npos) {
        const std::string_view digits = rest.substr(colon + 1);
        unsigned port = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), port);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
            port == 0 || port > 65535) {
            return std::nullopt;
        }
        device.port = static_cast<std::uint16_t>(port);
    }
    return device;
}

std::string DeviceConnection(const DeviceUri& device) {
    const bool v6 = device.host.find(':') != std::string::npos;
    return std::string(kScheme) + (v6 ? "[" + device.host + "]" : device.host) + ":" +
           std::to_string(device.port);
}

} // namespace sb::cli
