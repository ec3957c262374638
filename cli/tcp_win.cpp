#include "cli/tcp.h"

#include "cli/win_file_access.h"
#include "ui/wide_text.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace sb::cli::tcp {
namespace {

// Winsock is started once, on the first look-up, and cleaned up as the program ends.
class CWinsock {
public:
    CWinsock() : m_bStarted(::WSAStartup(MAKEWORD(2, 2), &m_data) == 0) {}
    ~CWinsock() {
        if (m_bStarted) {
            ::WSACleanup();
        }
    }
    CWinsock(const CWinsock&) = delete;
    CWinsock& operator=(const CWinsock&) = delete;

private:
    WSADATA m_data{};
    bool m_bStarted;
};

Status Failed(int error) {
    switch (error) {
    case 0:
        return {};
    case WSAEWOULDBLOCK:
    case WSAEINPROGRESS:
    case WSAEINTR:
        return {Fault::Pending, {}};
    case WSAECONNREFUSED:
        return {Fault::Refused, SystemMessage(static_cast<unsigned long>(error))};
    case WSAECONNRESET:
    case WSAECONNABORTED:
        return {Fault::Reset, SystemMessage(static_cast<unsigned long>(error))};
    case WSAHOST_NOT_FOUND:
    case WSANO_DATA:
        return {Fault::NoName, SystemMessage(static_cast<unsigned long>(error))};
    default:
        return {Fault::Other, SystemMessage(static_cast<unsigned long>(error))};
    }
}

SOCKET Native(std::intptr_t socket) {
    return static_cast<SOCKET>(socket);
}

// select, not WSAPoll: older WSAPoll never reports a refused connect. A failed connect shows
// in the exception set.
bool WaitFor(std::intptr_t socket, bool write, std::chrono::milliseconds timeout) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(Native(socket), &ready);
    FD_SET(Native(socket), &failed);
    timeval wait{static_cast<long>(timeout.count() / 1000),
                 static_cast<long>(timeout.count() % 1000 * 1000)};
    return ::select(0, write ? nullptr : &ready, write ? &ready : nullptr, &failed, &wait) > 0;
}

} // namespace

Status Resolve(const std::string& host, std::uint16_t port, std::vector<Address>& addresses) {
    static const CWinsock winsock;
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
    ADDRINFOW* found = nullptr;
    const int error =
        ::GetAddrInfoW(Widen(host).c_str(), std::to_wstring(port).c_str(), &hints, &found);
    if (error != 0) {
        return Failed(error);
    }
    for (const ADDRINFOW* entry = found; entry != nullptr; entry = entry->ai_next) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(entry->ai_addr);
        addresses.push_back({{bytes, bytes + entry->ai_addrlen}, entry->ai_family});
    }
    ::FreeAddrInfoW(found);
    return {};
}

CSocket::CSocket(const Address& address)
    : m_socket(static_cast<std::intptr_t>(::socket(address.family, SOCK_STREAM, IPPROTO_TCP))) {
    u_long nonBlocking = 1;
    if (Native(m_socket) == INVALID_SOCKET ||
        ::ioctlsocket(Native(m_socket), FIONBIO, &nonBlocking) != 0) {
        m_opened = Failed(::WSAGetLastError());
    }
}

CSocket::~CSocket() {
    if (Native(m_socket) != INVALID_SOCKET) {
        ::closesocket(Native(m_socket));
    }
}

Status CSocket::Connect(const Address& address) {
    const int result =
        ::connect(Native(m_socket), reinterpret_cast<const sockaddr*>(address.bytes.data()),
                  static_cast<int>(address.bytes.size()));
    return result == 0 ? Status{} : Failed(::WSAGetLastError());
}

Status CSocket::Connected() {
    int error = 0;
    int length = sizeof error;
    if (::getsockopt(Native(m_socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                     &length) != 0) {
        return Failed(::WSAGetLastError());
    }
    return Failed(error);
}

bool CSocket::WaitWritable(std::chrono::milliseconds timeout) {
    return WaitFor(m_socket, true, timeout);
}

bool CSocket::WaitReadable(std::chrono::milliseconds timeout) {
    return WaitFor(m_socket, false, timeout);
}

Status CSocket::Send(std::span<const std::uint8_t> bytes, std::size_t& sent) {
    const int put = ::send(Native(m_socket), reinterpret_cast<const char*>(bytes.data()),
                           static_cast<int>(bytes.size()), 0);
    sent = put > 0 ? static_cast<std::size_t>(put) : 0;
    return put != SOCKET_ERROR ? Status{} : Failed(::WSAGetLastError());
}

Status CSocket::Receive(std::size_t& got) {
    char buffer[512];
    const int read = ::recv(Native(m_socket), buffer, sizeof buffer, 0);
    got = read > 0 ? static_cast<std::size_t>(read) : 0;
    return read != SOCKET_ERROR ? Status{} : Failed(::WSAGetLastError());
}

Status CSocket::EndSending() {
    return ::shutdown(Native(m_socket), SD_SEND) == 0 ? Status{} : Failed(::WSAGetLastError());
}

} // namespace sb::cli::tcp
