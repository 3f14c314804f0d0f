// The one 33 ms timer of the process that makes the update handler deliver the
// change messages that were deferred. It runs while at least one editor is
// open: the first editor to open starts it, the last one to close stops it.
#pragma once

#include <cstddef>

namespace VSTGUI {

class DeferredUpdates {
public:
    static constexpr unsigned kIntervalMs = 33;

    // An editor opened / closed. Calls must pair up.
    static void editorOpened();
    static void editorClosed();
    // How many editors keep the timer running now.
    static std::size_t openEditors();
};

}  // namespace VSTGUI
