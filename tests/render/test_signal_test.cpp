#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/render/test_signal.h"

namespace {

using morvik::render::kTestSignalRate;
using morvik::render::makeTestSignal;
using morvik::render::TestSignal;

// The longest gate (Rvb Time 1.2 s) plus the longest predelay (250 ms).
constexpr double kLongestGatedTailSeconds = 1.45;

TEST(TestSignal, IsTheSameOnEveryCall)
{
    const TestSignal first = makeTestSignal();
    const TestSignal second = makeTestSignal();
    EXPECT_EQ(first.audio.channels, second.audio.channels);
}

TEST(TestSignal, LastsAFewSecondsAt48kHzWithAKickASnareAndAClick)
{
    const TestSignal signal = makeTestSignal();
    EXPECT_EQ(signal.audio.sampleRate, kTestSignalRate);
    EXPECT_EQ(signal.audio.channels[0].size(), signal.audio.channels[1].size());
    EXPECT_GE(signal.audio.seconds(), 3.0);
    EXPECT_LE(signal.audio.seconds(), 10.0);

    ASSERT_EQ(signal.bursts.size(), 3u);
    EXPECT_EQ(signal.bursts[0].name, "kick");
    EXPECT_EQ(signal.bursts[1].name, "snare");
    EXPECT_EQ(signal.bursts[2].name, "click");
    EXPECT_EQ(signal.bursts[2].length, 1u);
}

TEST(TestSignal, EveryBurstIsLoudButBelowFullScale)
{
    const TestSignal signal = makeTestSignal();
    for (const auto& burst : signal.bursts) {
        SCOPED_TRACE(std::string(burst.name));
        double peak = 0.0;
        for (const auto& channel : signal.audio.channels)
            for (std::size_t frame = burst.start; frame < burst.start + burst.length; ++frame)
                peak = std::max(peak, std::abs(channel[frame]));
        EXPECT_GT(peak, 0.3);
        EXPECT_LT(peak, 1.0);
    }
}

TEST(TestSignal, IsSilentBetweenBurstsForLongerThanTheLongestGatedTail)
{
    const TestSignal signal = makeTestSignal();
    const auto longestTail = static_cast<std::size_t>(kLongestGatedTailSeconds * kTestSignalRate);
    std::size_t silenceStart = 0;
    for (std::size_t index = 0; index <= signal.bursts.size(); ++index) {
        const bool last = index == signal.bursts.size();
        const std::size_t silenceEnd = last ? signal.audio.frames() : signal.bursts[index].start;
        SCOPED_TRACE("silence before burst " + std::to_string(index));
        ASSERT_LE(silenceStart, silenceEnd);
        if (index > 0) {
            EXPECT_GT(silenceEnd - silenceStart, longestTail);
        }
        for (const auto& channel : signal.audio.channels)
            EXPECT_TRUE(std::all_of(channel.begin() + static_cast<std::ptrdiff_t>(silenceStart),
                                    channel.begin() + static_cast<std::ptrdiff_t>(silenceEnd),
                                    [](double sample) { return sample == 0.0; }));
        if (!last)
            silenceStart = signal.bursts[index].start + signal.bursts[index].length;
    }
}

}  // namespace
