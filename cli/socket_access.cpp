#include "cli/socket_access.h"

#include "cli/device_uri.h"
#include "cli/tcp.h"

#include <algorithm>

namespace sb::cli {
namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Left(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

SendResult Failed(std::string detail) {
    return {SendOutcome::Failed, std::move(detail)};
}

std::string Within(std::chrono::seconds wait) {
    return " within " + std::to_string(wait.count()) + " s";
}

std::string Why(const tcp::Status& status) {
    return status.text.empty() ? std::string() : " (" + status.text + ")";
}

SendResult ConnectFailed(const tcp::Status& status, const DeviceUri& device) {
    if (status.fault == tcp::Fault::Refused) {
        return Failed("the printer refused the connection: nothing listens on port " +
                      std::to_string(device.port));
    }
    return Failed("the connection failed" + Why(status));
}

// Every byte, then our end, then the printer's: a printer closes its end once it has read
// the job to ours.
SendResult Deliver(tcp::CSocket& socket, std::span<const std::uint8_t> bytes,
                   Clock::time_point deadline, std::chrono::seconds wait) {
    const auto late = [&] {
        return Failed("connected, but the printer did not take the job" + Within(wait) +
                      " (it did not close the connection)");
    };
    while (!bytes.empty()) {
        std::size_t sent = 0;
        const tcp::Status status = socket.Send(bytes, sent);
        if (status.fault == tcp::Fault::Pending) {
            if (!socket.WaitWritable(Left(deadline))) {
                return late();
            }
        } else if (status.fault != tcp::Fault::None) {
            return Failed("the printer broke the connection off" + Why(status));
        }
        bytes = bytes.subspan(sent);
    }
    if (const tcp::Status ended = socket.EndSending(); ended.fault != tcp::Fault::None) {
        return Failed("the printer broke the connection off" + Why(ended));
    }
    for (;;) {
        if (!socket.WaitReadable(Left(deadline))) {
            return late();
        }
        // What a printer says back (a status byte, a banner) is not the end: read on.
        std::size_t got = 0;
        const tcp::Status status = socket.Receive(got);
        if (status.fault == tcp::Fault::None && got == 0) {
            return {SendOutcome::Sent, {}};
        }
        if (status.fault != tcp::Fault::None && status.fault != tcp::Fault::Pending) {
            return Failed("the printer broke the connection off" + Why(status));
        }
    }
}

} // namespace

SendResult CSocketAccess::Send(const Queue& queue, const SettingRecord& record,
                               std::chrono::seconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    const std::optional<DeviceUri> device = ParseDeviceUri(queue.connection);
    if (!device) {
        return Failed("not socket://HOST[:PORT]");
    }
    std::vector<tcp::Address> addresses;
    if (const tcp::Status resolved = tcp::Resolve(device->host, device->port, addresses);
        resolved.fault != tcp::Fault::None) {
        return Failed(resolved.fault == tcp::Fault::NoName
                          ? "the name " + device->host + " does not resolve" + Why(resolved)
                          : "the name " + device->host + " cannot be looked up" + Why(resolved));
    }
    // Each address the name has, until one takes the connection.
    tcp::Status last{tcp::Fault::Other, {}};
    for (const tcp::Address& address : addresses) {
        tcp::CSocket socket(address);
        last = socket.Opened();
        if (last.fault != tcp::Fault::None) {
            continue;
        }
        last = socket.Connect(address);
        if (last.fault == tcp::Fault::Pending) {
            if (!socket.WaitWritable(Left(deadline))) {
                return Failed("no answer from the printer" + Within(wait));
            }
            last = socket.Connected();
        }
        if (last.fault == tcp::Fault::None) {
            return Deliver(socket, record, deadline, wait);
        }
    }
    return ConnectFailed(last, *device);
}

} // namespace sb::cli
