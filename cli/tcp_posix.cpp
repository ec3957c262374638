#include "cli/tcp.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sb::cli::tcp {
namespace {

Status Failed(int error) {
    switch (error) {
    case 0:
        return {};
    case EINPROGRESS:
    case EAGAIN:
    case EINTR:
        return {Fault::Pending, {}};
    case ECONNREFUSED:
        return {Fault::Refused, std::strerror(error)};
    case ECONNRESET:
    case EPIPE:
        return {Fault::Reset, std::strerror(error)};
    default:
        return {Fault::Other, std::strerror(error)};
    }
}

// What the printer sends is dropped, so a large buffer only saves calls.
constexpr std::size_t kReceiveBuffer = std::size_t{64} << 10;

} // namespace

Status Resolve(const std::string& host, std::uint16_t port, bool numeric,
               std::vector<Address>& addresses) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | (numeric ? AI_NUMERICHOST : AI_ADDRCONFIG);
    addrinfo* found = nullptr;
    const int error = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (error != 0) {
        const bool unknown = error == EAI_NONAME || error == EAI_NODATA || error == EAI_FAIL;
        return {unknown ? Fault::NoName : Fault::Other,
                error == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(error)};
    }
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(entry->ai_addr);
        addresses.push_back({{bytes, bytes + entry->ai_addrlen}, entry->ai_family});
    }
    ::freeaddrinfo(found);
    return {};
}

CSocket::CSocket(const Address& address)
    : m_socket(::socket(address.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {
    if (m_socket < 0) {
        m_opened = Failed(errno);
    }
}

CSocket::~CSocket() {
    if (m_socket >= 0) {
        ::close(static_cast<int>(m_socket));
    }
}

Status CSocket::Connect(const Address& address) {
    const int result = ::connect(static_cast<int>(m_socket),
                                 reinterpret_cast<const sockaddr*>(address.bytes.data()),
                                 static_cast<socklen_t>(address.bytes.size()));
    return result == 0 ? Status{} : Failed(errno);
}

Status CSocket::Connected() {
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(static_cast<int>(m_socket), SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        return Failed(errno);
    }
    return Failed(error);
}

Ready CSocket::Wait(bool read, bool write, std::chrono::milliseconds timeout) {
    const short events = static_cast<short>((read ? POLLIN : 0) | (write ? POLLOUT : 0));
    pollfd entry{static_cast<int>(m_socket), events, 0};
    // A signal cuts the wait short; the caller's deadline says whether to wait again.
    if (::poll(&entry, 1, static_cast<int>(timeout.count())) <= 0) {
        return {};
    }
    const bool fault = (entry.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
    return {read && (fault || (entry.revents & POLLIN) != 0),
            write && (fault || (entry.revents & POLLOUT) != 0)};
}

Status CSocket::Send(std::span<const std::uint8_t> bytes, std::size_t& sent) {
    // A printer that hangs up must not end the program with SIGPIPE.
    const ssize_t put =
        ::send(static_cast<int>(m_socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    sent = put > 0 ? static_cast<std::size_t>(put) : 0;
    return put >= 0 ? Status{} : Failed(errno);
}

Status CSocket::Receive(std::size_t& got) {
    char buffer[kReceiveBuffer];
    const ssize_t read = ::recv(static_cast<int>(m_socket), buffer, sizeof buffer, 0);
    got = read > 0 ? static_cast<std::size_t>(read) : 0;
    return read >= 0 ? Status{} : Failed(errno);
}

Status CSocket::EndSending() {
    return ::shutdown(static_cast<int>(m_socket), SHUT_WR) == 0 ? Status{} : Failed(errno);
}

} // namespace sb::cli::tcp
