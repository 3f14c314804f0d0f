// The processor with two threads running, as a host runs it: the audio thread
// processes blocks of 16 to 256 samples and automates Level, while the host's
// thread loads states, saves them back, asks for the tail and keeps a
// controller in step. A saved record must be the record just loaded (its Level
// possibly moved by automation), never an older one and never a mix of two.
//
// Runs for MORVIK_STRESS_SECONDS seconds (default 2) and prints its counts.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>
#include <vector>

#include "source/controller/plugcontroller.h"
#include "source/processor/parameterids.h"
#include "source/processor/plugprocessor.h"
#include "source/processor/plugstate.h"
#include "tools/host/block_runner.h"
#include "tools/host/memory_stream.h"
#include "tools/host/parameter_changes.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace morvik::host;

constexpr double kSampleRate = 48000.0;
constexpr int32 kLongestBlock = 256;

// Record k: every entry derives from one base, so entries of two records never
// combine into a third. Levels set by automation lie above any record's.
constexpr int kDistinctRecords = 500;
constexpr double kStep = 1e-3;
constexpr double kSpread = 1e-5;

PlugState recordFor(int k)
{
    PlugState record;
    for (int32 i = 0; i < PlugState::kNumValues; ++i)
        record.values[i] = 0.1 + (k % kDistinctRecords) * kStep + i * kSpread;
    record.flags[0] = k % 2 == 1;
    return record;
}

bool isAutomatedLevel(double level)
{
    return level >= 0.9 && level <= 1.0;
}

uint32 tailFor(const PlugState& record)
{
    const double gateMs = 1000.0 * record.values[kValueRvbTime] + 200.0;
    return static_cast<uint32>(static_cast<int64>((gateMs * 0.001 + 0.5) * kSampleRate));
}

double stressSeconds()
{
    const char* text = std::getenv("MORVIK_STRESS_SECONDS");
    const double seconds = text ? std::atof(text) : 0.0;
    return seconds > 0.0 ? seconds : 2.0;
}

enum class Verdict { Current, Stale, Blended };

// Judges a saved record against record k, the last one loaded.
Verdict judge(const PlugState& saved, int k)
{
    // Mix names the record; every other entry must agree with it.
    const int claimed = static_cast<int>(std::lround((saved.values[kValueMix] - 0.1 - kSpread) / kStep));
    PlugState whole = recordFor(claimed);
    if (isAutomatedLevel(saved.values[kValueLevel]))
        whole.values[kValueLevel] = saved.values[kValueLevel];
    if (!(saved == whole))
        return Verdict::Blended;
    return claimed == k % kDistinctRecords ? Verdict::Current : Verdict::Stale;
}

PlugState savedRecord(IComponent& component, IPtr<MemoryStream>& stream)
{
    stream = create<MemoryStream>();
    EXPECT_EQ(component.getState(stream.get()), kResultOk);
    stream->rewind();
    PlugState saved;
    EXPECT_EQ(saved.read(stream.get()), kResultOk);
    stream->rewind();
    return saved;
}

TEST(StateUnderPlayback, EverySavedRecordIsTheOneJustLoadedWhole)
{
    IPtr<PlugProcessor> processor = owned(new PlugProcessor());
    IPtr<PlugController> controller = Steinberg::owned(new PlugController());
    ASSERT_EQ(processor->initialize(nullptr), kResultOk);
    ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    ProcessSetup setup{kRealtime, kSample32, kLongestBlock, kSampleRate};
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(processor->setActive(true), kResultOk);

    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::atomic<long> nonFiniteBlocks{0};
    std::thread audio([&] {
        std::minstd_rand random(1);
        BlockRunner32 runner(kLongestBlock);
        for (int32 channel = 0; channel < 2; ++channel)
            for (float& sample : runner.input(channel))
                sample = static_cast<float>(random() % 2001) * 1e-3f - 1.0f;
        auto changes = create<ParameterChanges>();
        while (!stop.load(std::memory_order_relaxed)) {
            changes->clear();
            if (random() % 4 == 0)
                changes->addChange(kParamLevel, 0, 0.9 + static_cast<double>(random() % 1000) * 1e-4);
            BlockOptions options;
            options.inputChanges = changes.get();
            const auto samples = static_cast<int32>(16 + random() % (kLongestBlock - 15));
            runner.process(*processor, samples, options);
            for (int32 channel = 0; channel < 2; ++channel)
                if (!std::isfinite(runner.output(channel)[static_cast<size_t>(samples) - 1]))
                    nonFiniteBlocks.fetch_add(1, std::memory_order_relaxed);
            blocks.fetch_add(1, std::memory_order_relaxed);
        }
    });

    long loads = 0, stale = 0, blended = 0, staleTails = 0, controllerMismatches = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(stressSeconds());
    for (int k = 1; std::chrono::steady_clock::now() < end; ++k) {
        auto loaded = create<MemoryStream>();
        ASSERT_EQ(recordFor(k).write(loaded.get()), kResultOk);
        loaded->rewind();
        ASSERT_EQ(processor->setState(loaded.get()), kResultOk);
        ++loads;

        // Saved at once, then again a moment later, when the audio thread has likely taken it.
        for (int look = 0; look < 2; ++look) {
            IPtr<MemoryStream> saved;
            const Verdict verdict = judge(savedRecord(*processor, saved), k);
            stale += verdict == Verdict::Stale;
            blended += verdict == Verdict::Blended;
            staleTails += processor->getTailSamples() != tailFor(recordFor(k));
            if (look == 1) {
                EXPECT_EQ(controller->setComponentState(saved.get()), kResultOk);
                controllerMismatches +=
                    controller->getParamNormalized(kParamMix) != recordFor(k).values[kValueMix];
                String128 text{};
                controller->getParamStringByValue(kParamRvbTime,
                                                  controller->getParamNormalized(kParamRvbTime), text);
            }
            std::this_thread::yield();
        }
    }
    stop = true;
    audio.join();
    processor->setActive(false);
    processor->terminate();
    controller->terminate();

    std::cout << "loads " << loads << ", saves " << 2 * loads << ", blocks " << blocks << ": stale " << stale
              << ", blended " << blended << ", stale tails " << staleTails << '\n';
    EXPECT_GT(blocks.load(), 0);
    EXPECT_EQ(stale, 0);
    EXPECT_EQ(blended, 0);
    EXPECT_EQ(staleTails, 0);
    EXPECT_EQ(controllerMismatches, 0);
    EXPECT_EQ(nonFiniteBlocks.load(), 0);
}

}  // namespace
