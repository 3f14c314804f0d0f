// The snapshot cell's rule for readers, on one thread and so every time: no copy is
// taken while a store is under way. The two-thread stress test (tests/threads) meets
// that moment only by chance.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <type_traits>

#include "source/processor/snapshotcell.h"

namespace {

using Steinberg::Vst::SnapshotCell;

// Several words, as the records in the cells are: a store half done would show.
struct Record {
    std::array<double, 5> values{};
    bool operator==(const Record&) const = default;
};

// The cell's sequence count (its first member). A writer paused inside store() has
// made it odd and may have written some of the words, none or all.
std::atomic<std::uint64_t>& sequenceOf(SnapshotCell<Record>& cell)
{
    static_assert(std::is_standard_layout_v<SnapshotCell<Record>>);
    return *reinterpret_cast<std::atomic<std::uint64_t>*>(&cell);
}

TEST(SnapshotCell, NoCopyIsTakenWhileAStoreIsUnderWay)
{
    const Record first{{1, 2, 3, 4, 5}};
    const Record second{{6, 7, 8, 9, 10}};
    SnapshotCell<Record> cell(first);
    std::atomic<std::uint64_t>& sequence = sequenceOf(cell);
    cell.store(first);
    ASSERT_EQ(sequence.load(), 2u) << "not the sequence count";

    // The writer pauses inside its second store.
    sequence.store(3);
    EXPECT_EQ(cell.storesBegun(), 2u);
    Record copy = second;
    std::uint64_t stores = 7;
    EXPECT_FALSE(cell.tryLoad(copy, &stores));
    EXPECT_EQ(copy, second);  // untouched
    EXPECT_EQ(stores, 7u);

    // The paused store runs through: a copy is taken again.
    sequence.store(2);
    cell.store(second);
    ASSERT_TRUE(cell.tryLoad(copy, &stores));
    EXPECT_EQ(copy, second);
    EXPECT_EQ(stores, 2u);
    EXPECT_EQ(cell.load(), second);
}

}  // namespace
