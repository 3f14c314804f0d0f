// An X connection whose requests pass through a relay that counts their bytes,
// so a test sees exactly what a client sends to the server.
#pragma once

#include <xcb/xcb.h>

#include <atomic>
#include <cstddef>
#include <thread>

namespace editortest {

class CountedXConnection {
public:
    // Connects to the server $DISPLAY names through its local socket; check
    // get() for errors.
    CountedXConnection();
    // Disconnects, then waits for the relay to end.
    ~CountedXConnection();
    CountedXConnection(const CountedXConnection&) = delete;
    CountedXConnection& operator=(const CountedXConnection&) = delete;

    xcb_connection_t* get() const { return connection; }
    // Bytes of requests sent so far. Exact after a round trip: the relay passes
    // bytes on in order, so the reply came after every earlier request.
    std::size_t bytesSent() const { return sent.load(); }
    // A round trip on this connection.
    void sync() const;

private:
    void relay(int client, int server);

    xcb_connection_t* connection = nullptr;
    std::atomic<std::size_t> sent{0};
    std::thread relayThread;
};

}  // namespace editortest
