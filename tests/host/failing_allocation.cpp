#include "tests/host/failing_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace morvik::testing {
namespace {

// Allocations left before the failing one; negative while nothing is to fail.
std::atomic<long> allocationsBeforeFailure{-1};
std::atomic<bool> failureReached{false};

bool thisAllocationFails()
{
    long left = allocationsBeforeFailure.load(std::memory_order_relaxed);
    while (left >= 0 &&
           !allocationsBeforeFailure.compare_exchange_weak(left, left - 1, std::memory_order_relaxed)) {}
    if (left != 0)
        return false;
    failureReached.store(true, std::memory_order_relaxed);
    return true;
}

void* allocate(std::size_t size) noexcept
{
    return thisAllocationFails() ? nullptr : std::malloc(size == 0 ? 1 : size);
}

void* allocateOrThrow(std::size_t size)
{
    void* memory = allocate(size);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}

}  // namespace

FailingAllocation::FailingAllocation(long index)
{
    failureReached.store(false, std::memory_order_relaxed);
    allocationsBeforeFailure.store(index, std::memory_order_relaxed);
}

FailingAllocation::~FailingAllocation()
{
    allocationsBeforeFailure.store(-1, std::memory_order_relaxed);
}

bool FailingAllocation::failed() const
{
    return failureReached.load(std::memory_order_relaxed);
}

}  // namespace morvik::testing

void* operator new(std::size_t size)
{
    return morvik::testing::allocateOrThrow(size);
}

void* operator new[](std::size_t size)
{
    return morvik::testing::allocateOrThrow(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return morvik::testing::allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return morvik::testing::allocate(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
