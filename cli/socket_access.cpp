#include "cli/socket_access.h"

#include "cli/device_uri.h"
#include "cli/tcp.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace sb::cli {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A printer that closes its end straight after the last byte, before ours, has not read the
// job: it is given this long to show it, or twice the time the connection took if longer.
constexpr milliseconds kLeastSettle(50);

milliseconds Left(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
    return std::max(left, milliseconds(0));
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

SendResult BrokenOff(const tcp::Status& status) {
    return Failed("the printer broke the connection off" + Why(status));
}

// A name's addresses, looked up on a thread of its own so that a name server that never
// answers costs the printer's deadline and no more. The thread is left to end by itself
// then; it holds nothing but its own share of the result.
struct Lookup {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    tcp::Status status;
    std::vector<tcp::Address> addresses;
};

std::optional<tcp::Status> LookUp(const DeviceUri& device, Clock::time_point deadline,
                                  std::vector<tcp::Address>& addresses) {
    if (device.kind != HostKind::Name) {
        return tcp::Resolve(device.host, device.port, true, addresses);
    }
    auto lookup = std::make_shared<Lookup>();
    try {
        std::thread([lookup, host = device.host, port = device.port] {
            std::vector<tcp::Address> found;
            tcp::Status status = tcp::Resolve(host, port, false, found);
            const std::lock_guard lock(lookup->mutex);
            lookup->status = std::move(status);
            lookup->addresses = std::move(found);
            lookup->done = true;
            lookup->ended.notify_all();
        }).detach();
    } catch (const std::system_error& error) {
        return tcp::Status{tcp::Fault::Other, "no thread for it: " + std::string(error.what())};
    }
    std::unique_lock lock(lookup->mutex);
    if (!lookup->ended.wait_until(lock, deadline, [&] { return lookup->done; })) {
        return std::nullopt;
    }
    addresses = std::move(lookup->addresses);
    return std::move(lookup->status);
}

// Every byte, then our end, then the printer's: a printer closes its end once it has read
// the job to ours. Whatever it says meanwhile (a status byte, a banner, a flood) is read
// and dropped, and the deadline holds in every wait.
SendResult Deliver(tcp::CSocket& socket, std::span<const std::uint8_t> bytes,
                   Clock::time_point deadline, std::chrono::seconds wait, milliseconds settle) {
    const auto late = [&](std::string_view what) {
        return Failed("connected, but the printer did not " + std::string(what) + Within(wait) +
                      (what == "take the job" ? " (it did not close the connection)" : ""));
    };
    // What came in; a result when that ends the job.
    const auto take = [&]() -> std::optional<SendResult> {
        std::size_t got = 0;
        const tcp::Status status = socket.Receive(got);
        if (status.fault == tcp::Fault::None && got == 0) {
            return Failed("the printer closed before taking the job");
        }
        if (status.fault != tcp::Fault::None && status.fault != tcp::Fault::Pending) {
            return BrokenOff(status);
        }
        return std::nullopt;
    };

    while (!bytes.empty()) {
        const tcp::Ready ready = socket.Wait(true, true, Left(deadline));
        if (!ready.readable && !ready.writable) {
            return late("read the job");
        }
        if (ready.readable) {
            if (std::optional<SendResult> ended = take()) {
                return *ended;
            }
        }
        if (ready.writable) {
            std::size_t sent = 0;
            const tcp::Status status = socket.Send(bytes, sent);
            if (status.fault != tcp::Fault::None && status.fault != tcp::Fault::Pending) {
                return BrokenOff(status);
            }
            bytes = bytes.subspan(sent);
        }
        if (Left(deadline) == milliseconds(0)) {
            return late("read the job");
        }
    }
    // Looked at once more when the time is up: this program may have been held up past the
    // window while the printer's close came in.
    const Clock::time_point settled = std::min(Clock::now() + settle, deadline);
    for (bool last = false; !last;) {
        const milliseconds left = Left(settled);
        last = left == milliseconds(0);
        if (socket.Wait(true, false, left).readable) {
            if (std::optional<SendResult> ended = take()) {
                return *ended;
            }
        }
    }
    if (const tcp::Status ended = socket.EndSending(); ended.fault != tcp::Fault::None) {
        return BrokenOff(ended);
    }
    for (;;) {
        const milliseconds left = Left(deadline);
        if (left == milliseconds(0) || !socket.Wait(true, false, left).readable) {
            return late("take the job");
        }
        std::size_t got = 0;
        const tcp::Status status = socket.Receive(got);
        if (status.fault == tcp::Fault::None && got == 0) {
            return {SendOutcome::Sent, {}};
        }
        if (status.fault != tcp::Fault::None && status.fault != tcp::Fault::Pending) {
            return BrokenOff(status);
        }
    }
}

} // namespace

SendResult CSocketAccess::Send(const Queue& queue, const SettingRecord& record,
                               std::chrono::seconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    const auto parsed = ParseDeviceUri(queue.connection);
    const DeviceUri* device = std::get_if<DeviceUri>(&parsed);
    if (device == nullptr) {
        return Failed("not socket://HOST[:PORT]");
    }
    std::vector<tcp::Address> addresses;
    const std::optional<tcp::Status> resolved = LookUp(*device, deadline, addresses);
    if (!resolved) {
        return Failed("no answer from the name server for " + device->host + Within(wait));
    }
    if (resolved->fault != tcp::Fault::None) {
        return Failed(resolved->fault == tcp::Fault::NoName
                          ? "the name " + device->host + " does not resolve" + Why(*resolved)
                          : "the name " + device->host + " cannot be looked up" + Why(*resolved));
    }
    // Each address the name has, until one takes the connection.
    tcp::Status last{tcp::Fault::Other, {}};
    for (const tcp::Address& address : addresses) {
        tcp::CSocket socket(address);
        last = socket.Opened();
        if (last.fault != tcp::Fault::None) {
            continue;
        }
        const Clock::time_point start = Clock::now();
        last = socket.Connect(address);
        if (last.fault == tcp::Fault::Pending) {
            if (!socket.Wait(false, true, Left(deadline)).writable) {
                return Failed("no answer from the printer" + Within(wait));
            }
            last = socket.Connected();
        }
        if (last.fault == tcp::Fault::None) {
            const auto took = std::chrono::ceil<milliseconds>(Clock::now() - start);
            return Deliver(socket, record, deadline, wait, std::max(kLeastSettle, 2 * took));
        }
    }
    return ConnectFailed(last, *device);
}

} // namespace sb::cli
