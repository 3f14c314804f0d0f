// Out-of-memory on demand, for tests of what a failed allocation leaves behind.
//
// Linking failing_allocation.cpp into a test executable replaces the process's
// operator new and delete (also for the bundle it loads: the executable's
// definitions take precedence over the C++ library's). While a FailingAllocation
// lives, the allocation it names fails: the throwing forms throw std::bad_alloc,
// the nothrow forms answer null. Every other allocation succeeds.
#pragma once

namespace morvik::testing {

class FailingAllocation {
public:
    // Allocation number `index` from now on fails (0: the next one).
    explicit FailingAllocation(long index);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // Whether the failing allocation was reached. False means the code under test
    // made no more than `index` allocations: running it with a higher index tells
    // nothing new.
    bool failed() const;
};

}  // namespace morvik::testing
