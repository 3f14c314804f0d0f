#include "tests/editor/counted_x_connection.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace editortest {
namespace {

// The server's local socket for $DISPLAY (":N" or ":N.S"); -1 when there is none.
int connectToServer()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || display[0] != ':')
        return -1;
    const std::string number(display + 1, std::strcspn(display + 1, "."));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = "/tmp/.X11-unix/X" + number;
    if (path.size() >= sizeof(address.sun_path))
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Copies what one side has ready to the other; false when either side is done.
bool pass(int from, int to, std::atomic<std::size_t>* counter)
{
    char buffer[1 << 16];
    const ssize_t got = read(from, buffer, sizeof(buffer));
    if (got <= 0)
        return false;
    for (ssize_t done = 0; done < got;) {
        const ssize_t put = write(to, buffer + done, static_cast<std::size_t>(got - done));
        if (put <= 0)
            return false;
        done += put;
    }
    if (counter)
        *counter += static_cast<std::size_t>(got);
    return true;
}

}  // namespace

CountedXConnection::CountedXConnection()
{
    int pair[2];
    const int server = connectToServer();
    if (server < 0 || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        if (server >= 0)
            close(server);
        connection = xcb_connect_to_fd(-1, nullptr);  // a connection in error
        return;
    }
    relayThread = std::thread([this, client = pair[1], server] { relay(client, server); });
    // The test server (Xvfb) asks for no authorization.
    connection = xcb_connect_to_fd(pair[0], nullptr);
}

CountedXConnection::~CountedXConnection()
{
    xcb_disconnect(connection);
    if (relayThread.joinable())
        relayThread.join();
}

void CountedXConnection::sync() const
{
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

void CountedXConnection::relay(int client, int server)
{
    pollfd fds[] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
    for (bool open = true; open;) {
        if (poll(fds, 2, -1) < 0)
            break;
        if (fds[0].revents)
            open = pass(client, server, &sent);
        if (open && fds[1].revents)
            open = pass(server, client, nullptr);
    }
    close(client);
    close(server);
}

}  // namespace editortest
