// The one 33 ms timer of the process that makes the update handler deliver the
// change messages that were deferred, and lets its clients take up, on the UI
// thread, the changes that other threads only recorded. It runs while at least
// one editor is open: the first editor to open starts it, the last one to close
// stops it.
#pragma once

#include <cstddef>

namespace VSTGUI {

class DeferredUpdates {
public:
    static constexpr unsigned kIntervalMs = 33;

    // Something that moves views for changes made on other threads.
    class Client {
    public:
        virtual void takeUpChanges() = 0;

    protected:
        ~Client() = default;
    };

    // An editor opened / closed. Calls must pair up.
    static void editorOpened();
    static void editorClosed();
    // How many editors keep the timer running now.
    static std::size_t openEditors();

    // A registered client is called at every tick, after the deferred messages.
    // Like editors, clients come and go on the UI thread only.
    static void addClient(Client& client);
    static void removeClient(Client& client);
};

}  // namespace VSTGUI
