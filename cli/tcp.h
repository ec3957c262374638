// TCP as the platform's sockets give it, cut down to what a raw-port job needs: a name
// resolved, one socket that never blocks, and each fault sorted into the kinds a message
// tells apart. POSIX sockets on Linux (tcp_posix.cpp), Winsock on Windows (tcp_win.cpp).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sb::cli::tcp {

enum class Fault {
    None,
    Pending, // under way (a connect), or it would have to wait
    NoName,  // the host's name does not resolve
    Refused, // nothing listens on the port
    Reset,   // the other side broke the connection off
    Other,
};

struct Status {
    Fault fault = Fault::None;
    std::string text; // the system's own words for a fault
};

// One address of a host, as the system resolved it.
struct Address {
    std::vector<std::uint8_t> bytes;
    int family = 0;
};

// Blocks for as long as the system's resolver takes, unless the host is an address written
// out (`numeric`), which is only read. Safe on any thread.
Status Resolve(const std::string& host, std::uint16_t port, bool numeric,
               std::vector<Address>& addresses);

struct Ready {
    bool readable = false; // or the other side has closed, or a fault
    bool writable = false;
};

class CSocket {
public:
    // Closed when it goes; Opened says whether there is one.
    explicit CSocket(const Address& address);
    ~CSocket();
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;

    const Status& Opened() const { return m_opened; }
    // None when connected at once, Pending while it goes on; then Wait for writable and
    // Connected.
    Status Connect(const Address& address);
    Status Connected();
    // Until one of the asked-for states or the time is up (nothing ready then). A fault also
    // ends the wait, as whatever was asked.
    Ready Wait(bool read, bool write, std::chrono::milliseconds timeout);
    // Pending when nothing could go now.
    Status Send(std::span<const std::uint8_t> bytes, std::size_t& sent);
    // Reads what has come and drops it. A count of 0 with no fault: the other side has
    // closed its end.
    Status Receive(std::size_t& got);
    // Ends this side: the other reads the end of the data.
    Status EndSending();

private:
    std::intptr_t m_socket;
    Status m_opened;
};

} // namespace sb::cli::tcp
