// The processor's state reader fed any bytes, as a damaged or foreign project
// might hold them, while the processor is active and processing. setState takes
// a whole record or changes nothing, getState gives back what was taken, and
// the output stays finite whatever the record's values are.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "source/processor/plugprocessor.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/host/block_runner.h"
#include "tools/host/memory_stream.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using morvik::testing::require;

constexpr int32 kBlock = 256;
// The lowest rate keeps activation cheap; 4000 Hz takes the 450 ms cycle that
// brings a new record's delays into the tank in seven blocks.
constexpr double kSampleRate = 4000.0;
constexpr int kBlocksAfterLoading = 8;

std::vector<std::uint8_t> savedState(PlugProcessor& processor)
{
    auto stream = morvik::host::create<morvik::host::MemoryStream>();
    require(processor.getState(stream.get()) == kResultOk, "getState succeeds");
    return stream->bytes();
}

// The record as getState writes it: the leading word 0, flags as 1 or 0.
std::vector<std::uint8_t> canonicalRecord(const std::uint8_t* data)
{
    std::vector<std::uint8_t> record(data, data + PlugState::kStreamSize);
    std::memset(record.data(), 0, 8);
    const auto normalizeFlag = [&](std::size_t offset) {
        std::int32_t word;
        std::memcpy(&word, record.data() + offset, 4);
        word = word > 0 ? 1 : 0;
        std::memcpy(record.data() + offset, &word, 4);
    };
    normalizeFlag(8);
    for (std::size_t flag = 0; flag < PlugState::kNumFlags; ++flag)
        normalizeFlag(116 + 4 * flag);
    return record;
}

void processBlock(PlugProcessor& processor, morvik::host::BlockRunner32& runner)
{
    require(runner.process(processor, kBlock) == kResultOk, "process succeeds");
    for (int32 channel = 0; channel < 2; ++channel)
        for (const float sample : runner.output(channel))
            require(std::isfinite(sample), "the output is finite");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    IPtr<PlugProcessor> processor = owned(new PlugProcessor());
    require(processor->initialize(nullptr) == kResultOk, "initialize succeeds");
    ProcessSetup setup{kRealtime, kSample32, kBlock, kSampleRate};
    require(processor->setupProcessing(setup) == kResultOk, "setupProcessing succeeds");
    require(processor->setActive(true) == kResultOk, "setActive succeeds");

    morvik::host::BlockRunner32 runner(kBlock);
    for (int32 channel = 0; channel < 2; ++channel)
        for (std::size_t i = 0; i < runner.input(channel).size(); ++i)
            runner.input(channel)[i] = (i % 32 < 2) ? 0.9f : 0.0f;  // clicks
    processBlock(*processor, runner);

    const auto before = savedState(*processor);
    auto stream =
        morvik::host::create<morvik::host::MemoryStream>(std::vector<std::uint8_t>(data, data + size));
    const tresult result = processor->setState(stream.get());
    if (result == kResultOk) {
        require(size >= static_cast<std::size_t>(PlugState::kStreamSize), "only a whole record is taken");
        require(savedState(*processor) == canonicalRecord(data), "getState gives back the record taken");
    } else {
        require(savedState(*processor) == before, "a refused record changes nothing");
    }
    for (int block = 0; block < kBlocksAfterLoading; ++block)
        processBlock(*processor, runner);
    require(processor->setActive(false) == kResultOk, "setActive(false) succeeds");
    processor->terminate();
    return 0;
}
