// Throughput of the reverb engine, reported as a multiple of real time (audio seconds
// per CPU second, counter "xRealTime") and as CPU time per stereo sample ("perSample").
// Stereo, default parameters; one processor instance, or many in turn.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "source/processor/plugprocessor.h"

namespace {

using Steinberg::int32;
using Steinberg::Vst::PlugProcessor;

std::unique_ptr<PlugProcessor> makeActiveEngine(double sampleRate)
{
    auto engine = std::make_unique<PlugProcessor>();
    engine->initialize(nullptr);
    engine->sampleRate = sampleRate;
    engine->prepareEngine();
    return engine;
}

// Deterministic noise bursts: loud enough to keep every line busy.
template <typename Sample>
void fillNoise(std::vector<Sample>& channel, std::uint32_t seed)
{
    for (Sample& sample : channel) {
        seed = seed * 1664525u + 1013904223u;
        sample = static_cast<Sample>((static_cast<double>(seed >> 8) / 8388608.0 - 1.0) * 0.5);
    }
}

template <typename Sample>
struct StereoBlock {
    explicit StereoBlock(int32 length) : left(length), right(length), outLeft(length), outRight(length)
    {
        fillNoise(left, 1u);
        fillNoise(right, 2u);
    }
    void silenceInput()
    {
        std::fill(left.begin(), left.end(), Sample(0));
        std::fill(right.begin(), right.end(), Sample(0));
    }

    std::vector<Sample> left, right, outLeft, outRight;
    Sample* inputs[2] = {left.data(), right.data()};
    Sample* outputs[2] = {outLeft.data(), outRight.data()};
};

template <typename Sample>
void process(PlugProcessor& engine, StereoBlock<Sample>& block, int32 length)
{
    if constexpr (sizeof(Sample) == 4)
        engine.processSamples32(block.inputs, block.outputs, length);
    else
        engine.processSamples64(block.inputs, block.outputs, length);
}

// `instances` engines each ran one block per iteration.
void reportRealTime(benchmark::State& state, int32 blockLength, double sampleRate, int32 instances = 1)
{
    const double samples = static_cast<double>(state.iterations()) * blockLength * instances;
    state.counters["xRealTime"] =
        benchmark::Counter(samples / instances / sampleRate, benchmark::Counter::kIsRate);
    state.counters["perSample"] =
        benchmark::Counter(samples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Runs `seconds` of audio through the engine untimed, e.g. past the reconfiguration
// cycle that every activation starts with.
template <typename Sample>
void runFor(PlugProcessor& engine, StereoBlock<Sample>& block, int32 blockLength, double sampleRate,
            double seconds)
{
    for (int32 done = 0; done < static_cast<int32>(seconds * sampleRate); done += blockLength)
        process(engine, block, blockLength);
}

// Times one block per iteration, each after `prepare` has set the engine up for it.
template <typename Sample, typename Prepare>
void timeBlocks(benchmark::State& state, PlugProcessor& engine, StereoBlock<Sample>& block, int32 blockLength,
                double sampleRate, Prepare prepare)
{
    for (auto _ : state) {
        prepare(engine);
        process(engine, block, blockLength);
        benchmark::DoNotOptimize(block.outLeft.data());
        benchmark::ClobberMemory();
    }
    reportRealTime(state, blockLength, sampleRate);
}

void noPreparation(PlugProcessor&) {}

// The fixed case of the special benchmarks: 48 kHz, blocks of 512, past the
// activation's reconfiguration cycle.
constexpr double kSpecialRate = 48000.0;
constexpr int32 kSpecialBlock = 512;

struct SettledEngine {
    std::unique_ptr<PlugProcessor> engine = makeActiveEngine(kSpecialRate);
    StereoBlock<double> block{kSpecialBlock};
    SettledEngine() { run(1.0); }
    void run(double seconds) { runFor(*engine, block, kSpecialBlock, kSpecialRate, seconds); }
    template <typename Prepare>
    void time(benchmark::State& state, Prepare prepare)
    {
        timeBlocks(state, *engine, block, kSpecialBlock, kSpecialRate, prepare);
    }
};

// Arguments: sample rate (Hz), block length.
template <typename Sample>
void BM_Throughput(benchmark::State& state)
{
    const double sampleRate = static_cast<double>(state.range(0));
    const auto blockLength = static_cast<int32>(state.range(1));
    auto engine = makeActiveEngine(sampleRate);
    StereoBlock<Sample> block(blockLength);
    runFor(*engine, block, blockLength, sampleRate, 1.0);
    timeBlocks(state, *engine, block, blockLength, sampleRate, noPreparation);
}

void throughputArguments(benchmark::internal::Benchmark* bench)
{
    for (const int64_t rate : {44100, 48000})
        for (const int64_t length : {64, 512})
            bench->Args({rate, length});
    bench->ArgNames({"rate", "block"});
}

BENCHMARK(BM_Throughput<double>)->Name("Throughput64")->Apply(throughputArguments);
BENCHMARK(BM_Throughput<float>)->Name("Throughput32")->Apply(throughputArguments);

// Silence long after a loud signal, when the filters and lines have decayed as far as
// they go: must cost no more than signal (no denormal slow path).
void BM_SilenceAfterSignal(benchmark::State& state)
{
    SettledEngine settled;
    settled.run(1.0);
    settled.block.silenceInput();
    settled.run(30.0);
    settled.time(state, noPreparation);
}
BENCHMARK(BM_SilenceAfterSignal)->Name("SilenceAfterSignal64/rate:48000/block:512");

// A 512-sample block whose first sample ends a hold: full tank configuration plus the
// clearing of the whole input history, once per reconfiguration cycle.
void BM_BlockEndingReconfiguration(benchmark::State& state)
{
    SettledEngine settled;
    settled.time(state, [](PlugProcessor& e) {
        // The last sample of a hold is next.
        e.reconfigPending = true;
        e.fadingIn = false;
        e.fadeGain = 0.0;
        e.holdCounter = 1;
    });
}
BENCHMARK(BM_BlockEndingReconfiguration)->Name("BlockEndingReconfiguration64/rate:48000/block:512");

// A 512-sample block while the smoothed diffusion moves, so that the six diffuser
// coefficients are recomputed on every sample (about a second after each Diffusion change).
void BM_DiffusionMoving(benchmark::State& state)
{
    SettledEngine settled;
    settled.time(state, [](PlugProcessor& e) {
        e.diffusionSmoothState = 0.5 * e.diffusionTarget;  // halfway through a change
    });
}
BENCHMARK(BM_DiffusionMoving)->Name("DiffusionMoving64/rate:48000/block:512");

// Many instances processed in turn in one thread, one block each, as a host with many
// tracks does: every instance's delay memory competes for the caches. xRealTime is per
// instance; perSample counts the samples of all instances. Argument: instances.
void BM_ManyInstances(benchmark::State& state)
{
    const auto instances = static_cast<int32>(state.range(0));
    std::vector<std::unique_ptr<PlugProcessor>> engines;
    for (int32 i = 0; i < instances; ++i)
        engines.push_back(makeActiveEngine(kSpecialRate));
    StereoBlock<double> block(kSpecialBlock);
    for (auto& engine : engines)
        runFor(*engine, block, kSpecialBlock, kSpecialRate, 1.0);
    for (auto _ : state) {
        for (auto& engine : engines)
            process(*engine, block, kSpecialBlock);
        benchmark::DoNotOptimize(block.outLeft.data());
        benchmark::ClobberMemory();
    }
    reportRealTime(state, kSpecialBlock, kSpecialRate, instances);
}
BENCHMARK(BM_ManyInstances)
    ->Name("ManyInstances64/rate:48000/block:512")
    ->ArgName("instances")
    ->Arg(8)
    ->Arg(32)
    ->Arg(64);

}  // namespace

BENCHMARK_MAIN();
