// Print queues made and removed through the spooler API, the only way under Wine that gives
// queues which can be opened and printed to. For tests and the demo, never for the program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace sb {

struct QueueInfo {
    std::wstring name;
    std::wstring driver;
    std::wstring port;
};

// Installs the driver (any name will do: it is only a label on the queue) unless it is
// there already, then adds the queue. ERROR_SUCCESS or the spooler's error code.
DWORD AddQueue(const QueueInfo& queue);
DWORD RemoveQueue(const std::wstring& name);
std::vector<QueueInfo> ListQueues();

// A queue for the length of a test.
class ScopedQueue {
public:
    explicit ScopedQueue(QueueInfo queue) : m_queue(std::move(queue)), m_error(AddQueue(m_queue)) {}
    ScopedQueue(const ScopedQueue&) = delete;
    ScopedQueue& operator=(const ScopedQueue&) = delete;
    ~ScopedQueue() {
        if (m_error == ERROR_SUCCESS) {
            RemoveQueue(m_queue.name);
        }
    }

    DWORD Error() const { return m_error; }

private:
    QueueInfo m_queue;
    DWORD m_error;
};

} // namespace sb
