#include "cli/tcp.h"

#include "cli/win_file_access.h"
#include "ui/wide_text.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>

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

// What the printer sends is dropped, so a large buffer only saves calls.
constexpr int kReceiveBuffer = 64 * 1024;

// Started on the first look-up and cleaned up once the program and every look-up still
// running have ended, for a look-up may outlive its printer's deadline.
std::shared_ptr<CWinsock> Winsock() {
    static const std::shared_ptr<CWinsock> winsock = std::make_shared<CWinsock>();
    return winsock;
}

} // namespace

Status Resolve(const std::string& host, std::uint16_t port, bool numeric,
               std::vector<Address>& addresses) {
    const std::shared_ptr<CWinsock> winsock = Winsock();
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | (numeric ? AI_NUMERICHOST : AI_ADDRCONFIG);
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

// select, not WSAPoll: older WSAPoll never reports a refused connect. A failed connect shows
// in the exception set.
Ready CSocket::Wait(bool read, bool write, std::chrono::milliseconds timeout) {
    fd_set readable;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(Native(m_socket), &readable);
    FD_SET(Native(m_socket), &writable);
    FD_SET(Native(m_socket), &failed);
    timeval wait{static_cast<long>(timeout.count() / 1000),
                 static_cast<long>(timeout.count() % 1000 * 1000)};
    if (::select(0, read ? &readable : nullptr, write ? &writable : nullptr, &failed, &wait) <= 0) {
        return {};
    }
    const bool fault = FD_ISSET(Native(m_socket), &failed) != 0;
    return {read && (fault || FD_ISSET(Native(m_socket), &readable) != 0),
            write && (fault || FD_ISSET(Native(m_socket), &writable) != 0)};
}

Status CSocket::Send(std::span<const std::uint8_t> bytes, std::size_t& sent) {
    const int put = ::send(Native(m_socket), reinterpret_cast<const char*>(bytes.data()),
                           static_cast<int>(bytes.size()), 0);
    sent = put > 0 ? static_cast<std::size_t>(put) : 0;
    return put != SOCKET_ERROR ? Status{} : Failed(::WSAGetLastError());
}

Status CSocket::Receive(std::size_t& got) {
    char buffer[kReceiveBuffer];
    const int read = ::recv(Native(m_socket), buffer, kReceiveBuffer, 0);
    got = read > 0 ? static_cast<std::size_t>(read) : 0;
    return read != SOCKET_ERROR ? Status{} : Failed(::WSAGetLastError());
}

Status CSocket::EndSending() {
    return ::shutdown(Native(m_socket), SD_SEND) == 0 ? Status{} : Failed(::WSAGetLastError());
}

} // namespace sb::cli::tcp
