// Any text as a device's URI: refused with a reason, or taken as a host and a port whose one
// spelling reads back as the same device; an address is the one the system's own parser
// reads, and a name is nothing a resolver could take for an address. An address the system
// reads is never refused.
#include "fail.h"

#include "cli/device_uri.h"

#include <arpa/inet.h>

#include <array>
#include <cstdint>
#include <string>
#include <variant>

using namespace sb;

namespace {

constexpr std::string_view kScheme = "socket://";

// The address text between the brackets (its zone left off), or the host as written.
std::string WrittenAddress(std::string_view uri) {
    std::string_view rest = uri.substr(kScheme.size());
    if (rest.starts_with('[')) {
        rest = rest.substr(1, rest.find(']') - 1);
        return std::string(rest.substr(0, rest.find('%')));
    }
    return std::string(rest.substr(0, rest.find(':')));
}

void CheckAddress(std::string_view uri, const cli::DeviceUri& device) {
    std::array<std::uint8_t, 16> canonical{};
    std::array<std::uint8_t, 16> written{};
    const std::string host = device.host.substr(0, device.host.find('%'));
    const std::string given = WrittenAddress(uri);
    switch (device.kind) {
    case cli::HostKind::Ipv4:
        if (::inet_pton(AF_INET, host.c_str(), canonical.data()) != 1) {
            sb::fuzz::Reject("an IPv4 address the system does not read", uri);
        }
        // Written as IPv4, or as IPv6 with the IPv4 address mapped into it.
        if (::inet_pton(AF_INET, given.c_str(), written.data()) != 1 &&
            (::inet_pton(AF_INET6, given.c_str(), written.data()) != 1 ||
             !std::equal(written.begin() + 12, written.end(), canonical.begin()))) {
            sb::fuzz::Reject("an IPv4 address not the one written", uri);
        }
        break;
    case cli::HostKind::Ipv6:
        if (::inet_pton(AF_INET6, host.c_str(), canonical.data()) != 1 ||
            ::inet_pton(AF_INET6, given.c_str(), written.data()) != 1 || canonical != written) {
            sb::fuzz::Reject("an IPv6 address not the one written", uri);
        }
        break;
    case cli::HostKind::Name: {
        in_addr number{};
        if (::inet_aton(host.c_str(), &number) != 0 ||
            host.find_first_of("%[]:ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos) {
            sb::fuzz::Reject("a name that is an address, or not in its one spelling", uri);
        }
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view uri(reinterpret_cast<const char*>(data), size);
    const auto parsed = cli::ParseDeviceUri(uri);
    if (const auto* why = std::get_if<std::string>(&parsed)) {
        if (why->empty()) {
            sb::fuzz::Reject("a refusal without a reason", uri);
        }
        // What the system reads as an address, written the plain way, is taken.
        const std::string host = uri.starts_with(kScheme) ? WrittenAddress(uri) : std::string();
        const std::string_view rest = uri.starts_with(kScheme) ? uri.substr(kScheme.size()) : "";
        std::array<std::uint8_t, 16> bytes{};
        // The system's parser reads up to a zero byte only.
        const bool plain =
            (rest == host || rest == "[" + host + "]") && host.find('\0') == std::string::npos;
        if (plain && (::inet_pton(AF_INET, host.c_str(), bytes.data()) == 1
                          ? rest == host
                          : ::inet_pton(AF_INET6, host.c_str(), bytes.data()) == 1 &&
                                rest.starts_with('['))) {
            sb::fuzz::Reject("an address refused", uri);
        }
        return 0;
    }
    const cli::DeviceUri& device = std::get<cli::DeviceUri>(parsed);
    if (device.port == 0 || device.host.empty()) {
        sb::fuzz::Reject("no port or no host", uri);
    }
    CheckAddress(uri, device);
    const std::string spelled = cli::DeviceConnection(device);
    const auto again = cli::ParseDeviceUri(spelled);
    if (!std::holds_alternative<cli::DeviceUri>(again) ||
        std::get<cli::DeviceUri>(again) != device) {
        sb::fuzz::Reject("its one spelling reads as another device", spelled);
    }
    return 0;
}
