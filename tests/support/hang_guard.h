// Turns a hang into a failure: while a guard lives, SIGALRM ends the process
// once `seconds` have passed. For code that a fault would leave blocked for
// good (opening a FIFO); no test depends on how fast anything runs.
#pragma once

#include <unistd.h>

namespace morvik::testing {

class HangGuard {
public:
    explicit HangGuard(unsigned seconds) { alarm(seconds); }
    ~HangGuard() { alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

}  // namespace morvik::testing
