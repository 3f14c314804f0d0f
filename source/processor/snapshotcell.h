// A value that one thread writes and other threads read whole, without locks:
// a sequence count, odd while a write is under way, around the value's words.
// The writer never waits; a reader whose copy overlapped a write tries again.
// Every access is atomic, so no read ever races a write.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>
#include <type_traits>

namespace Steinberg::Vst {

template <class Value>
class SnapshotCell {
    static constexpr std::size_t kWords = (sizeof(Value) + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t);
    using Words = std::array<std::uint64_t, kWords>;

public:
    explicit SnapshotCell(const Value& initial = Value{})
    {
        static_assert(std::is_trivially_copyable_v<Value>, "copied word by word");
        const Words source = toWords(initial);
        for (std::size_t i = 0; i < kWords; ++i)
            words[i].store(source[i], std::memory_order_relaxed);
    }

    // The writing thread only (one at a time).
    void store(const Value& value)
    {
        const std::uint64_t count = sequence.load(std::memory_order_relaxed);
        sequence.store(count + 1, std::memory_order_relaxed);
        const Words source = toWords(value);
        // Release: no reader can see a word of this write without also seeing the odd count.
        for (std::size_t i = 0; i < kWords; ++i)
            words[i].store(source[i], std::memory_order_release);
        sequence.store(count + 2, std::memory_order_release);
    }

    // Stores begun so far, the one under way included.
    std::uint64_t storesBegun() const { return (sequence.load(std::memory_order_acquire) + 1) / 2; }

    // One attempt; false when a store overlapped it. `stores` receives the number
    // of stores the value reflects.
    bool tryLoad(Value& value, std::uint64_t* stores = nullptr) const
    {
        const std::uint64_t before = sequence.load(std::memory_order_acquire);
        if (before % 2 != 0)
            return false;
        Words copy;
        // Acquire: the count is read again only after every word.
        for (std::size_t i = 0; i < kWords; ++i)
            copy[i] = words[i].load(std::memory_order_acquire);
        if (sequence.load(std::memory_order_relaxed) != before)
            return false;
        std::memcpy(static_cast<void*>(&value), copy.data(), sizeof(Value));
        if (stores)
            *stores = before / 2;
        return true;
    }

    // Tries until a copy is whole: for threads that may wait, never the writer's.
    Value load(std::uint64_t* stores = nullptr) const
    {
        Value value;
        while (!tryLoad(value, stores))
            std::this_thread::yield();
        return value;
    }

private:
    static Words toWords(const Value& value)
    {
        Words result{};
        std::memcpy(result.data(), static_cast<const void*>(&value), sizeof(Value));
        return result;
    }

    std::atomic<std::uint64_t> sequence{0};
    std::array<std::atomic<std::uint64_t>, kWords> words{};
};

}  // namespace Steinberg::Vst
