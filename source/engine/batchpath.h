// Engine-internal: the signal path run stage by stage over a batch of samples.
//
// A batch is sized (maxBatch) so that no write and no delayed read wraps around its
// array, and every tap and truncation term reads what the samples before the batch
// wrote; the diffusers and the predelay also read what the batch itself writes, in
// order. Each stage then becomes a loop over the batch that the compiler turns into
// vector code; only the first-order recursions (four filters here, three smoothers in
// the block loop) stay sample by sample. Every value is computed by the same
// operations in the same order as one sample at a time, so the results are identical
// to the per-sample path, at every vector width.
#pragma once

#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst::BatchPath {

inline constexpr int32 kMaxBatch = 256;

enum class ControlMode {
    kVarying,  // the controls move within the batch: every entry is filled
    kSteady,   // nothing moves and the tank gain is exactly 1: only entry 0 is filled
};

// The block loop's per-sample values for one batch.
struct BatchControls {
    ControlMode mode = ControlMode::kVarying;
    double levelGain[kMaxBatch];
    double mix[kMaxBatch];
    double dryGain[kMaxBatch];
    double diffusion[kMaxBatch];
    double tankGain[kMaxBatch];
    double inputCoeff[PlugProcessor::kNumInputDiffusers][kMaxBatch];
    double outputCoeff[2][kMaxBatch];
};

// Longest batch (1 to kMaxBatch) that starts at the current indexes and keeps the
// results of the per-sample path with the current tables.
int32 maxBatch(const PlugProcessor& engine);

// Runs `count` samples (at most maxBatch) through the signal path and writes the
// outputs with the level applied. Does not advance the indexes. Input and output
// channels may be the same memory.
void runBatch(PlugProcessor& engine, const Sample32* inL, const Sample32* inR, Sample32* outL, Sample32* outR,
              int32 count, const BatchControls& controls);
void runBatch(PlugProcessor& engine, const Sample64* inL, const Sample64* inR, Sample64* outL, Sample64* outR,
              int32 count, const BatchControls& controls);

}  // namespace Steinberg::Vst::BatchPath
