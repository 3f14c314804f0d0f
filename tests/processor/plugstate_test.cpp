// The 132-byte state record: its exact bytes, and all-or-nothing reading.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "source/processor/plugstate.h"
#include "tools/host/memory_stream.h"

namespace {

using morvik::host::MemoryStream;
using morvik::host::WriteLimit;
using Steinberg::kResultFalse;
using Steinberg::kResultOk;
using Steinberg::Vst::PlugState;
using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const PlugState& state)
{
    MemoryStream stream;
    EXPECT_EQ(state.write(&stream), kResultOk);
    return stream.bytes();
}

template <class T>
void put(Bytes& bytes, size_t offset, T value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(T));  // the test machine is little-endian
}

template <class T>
T get(const Bytes& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// A record that differs from the defaults everywhere, to see that a failed read changes nothing.
PlugState unusualState()
{
    PlugState state;
    state.bypass = true;
    for (int i = 0; i < PlugState::kNumValues; ++i)
        state.values[i] = 0.01 * (i + 1);
    state.flags = {true, false, true, false};
    return state;
}

TEST(PlugStateTest, DefaultRecordHasTheDocumentedBytes)
{
    const Bytes bytes = bytesOf(PlugState::defaults());
    ASSERT_EQ(bytes.size(), 132u);
    EXPECT_EQ(get<std::int64_t>(bytes, 0), 0);
    EXPECT_EQ(get<std::int32_t>(bytes, 8), 0);
    const Bytes level(bytes.begin() + 12, bytes.begin() + 20);
    EXPECT_EQ(level, (Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE8, 0x3F}));
    const double expected[13] = {0.75, 0.5, 0.0, 0.15, 1.0, 0.8, 1.0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(get<double>(bytes, 12 + 8 * i), expected[i]) << "value " << i;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(get<std::int32_t>(bytes, 116 + 4 * i), 0) << "flag " << i;
}

TEST(PlugStateTest, RoundTripKeepsEveryValueBitForBit)
{
    PlugState original = unusualState();
    original.values[0] = std::numeric_limits<double>::quiet_NaN();
    original.values[1] = std::numeric_limits<double>::infinity();
    original.values[2] = -3.5;
    original.values[12] = std::bit_cast<double>(std::uint64_t{0x7FF0000000000123});  // a signalling NaN

    MemoryStream stream(bytesOf(original));
    PlugState loaded;
    ASSERT_EQ(loaded.read(&stream), kResultOk);
    EXPECT_EQ(bytesOf(loaded), bytesOf(original));
    EXPECT_EQ(loaded.bypass, original.bypass);
    EXPECT_EQ(loaded.flags, original.flags);
}

TEST(PlugStateTest, ShortOrMissingStreamChangesNothing)
{
    const Bytes full = bytesOf(PlugState::defaults());
    for (size_t length : {size_t{0}, size_t{7}, size_t{12}, size_t{100}, size_t{131}}) {
        PlugState state = unusualState();
        MemoryStream stream(Bytes(full.begin(), full.begin() + static_cast<long>(length)));
        EXPECT_EQ(state.read(&stream), kResultFalse) << length << " bytes";
        EXPECT_EQ(state, unusualState()) << length << " bytes";
    }
    PlugState state = unusualState();
    EXPECT_EQ(state.read(nullptr), kResultFalse);
    EXPECT_EQ(state, unusualState());
}

TEST(PlugStateTest, IntegersAboveZeroReadAsTrue)
{
    struct Case {
        std::int32_t word;
        bool expected;
    };
    for (const Case& c : {Case{2, true}, Case{1, true}, Case{0, false}, Case{-1, false},
                          Case{std::numeric_limits<std::int32_t>::min(), false}}) {
        Bytes bytes = bytesOf(PlugState::defaults());
        put<std::int32_t>(bytes, 8, c.word);
        for (int i = 0; i < 4; ++i)
            put<std::int32_t>(bytes, 116 + 4 * i, c.word);
        MemoryStream stream(bytes);
        PlugState state;
        ASSERT_EQ(state.read(&stream), kResultOk);
        EXPECT_EQ(state.bypass, c.expected) << c.word;
        for (bool flag : state.flags)
            EXPECT_EQ(flag, c.expected) << c.word;
    }
}

TEST(PlugStateTest, LeadingWordIsIgnoredAndTrailingBytesStayUnread)
{
    Bytes bytes = bytesOf(unusualState());
    put<std::int64_t>(bytes, 0, -123456789);
    bytes.resize(140, 0xAB);
    MemoryStream stream(bytes);
    PlugState state;
    ASSERT_EQ(state.read(&stream), kResultOk);
    EXPECT_EQ(state, unusualState());
    EXPECT_EQ(stream.position(), 132);
}

TEST(PlugStateTest, RefusedOrShortenedWriteFailsAfterAPartialRecord)
{
    for (auto behaviour : {WriteLimit::Behaviour::Refuse, WriteLimit::Behaviour::Shorten}) {
        MemoryStream stream({}, WriteLimit{20, behaviour});
        EXPECT_EQ(PlugState::defaults().write(&stream), kResultFalse);
        EXPECT_LE(stream.bytes().size(), 20u);
        EXPECT_GE(stream.bytes().size(), 12u);  // the items before the refusal stay written
    }
    EXPECT_EQ(PlugState::defaults().write(nullptr), kResultFalse);
}

}  // namespace
