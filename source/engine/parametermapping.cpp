// Parameter mapping: the only way normalized values from the state record enter the
// engine. Runs on the audio thread (process) and on the host's thread (activation, setState).
#include <algorithm>
#include <cmath>

#include "source/processor/parameterids.h"
#include "source/processor/parametertable.h"
#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst {
namespace {

// The mapping's constants stay literals, so that no result moves by a rounding; they
// must agree with the ranges the controller shows (parametertable.h).
constexpr double kPredelayOctaves = 7.965784284662086;  // log2(250): 1 ms to 250 ms
constexpr double kGateMsAtZero = 200.0;
constexpr double kGateMsRange = 1000.0;
constexpr double kCutoffHzAtZero = 500.0;
constexpr double kCutoffOctaves = 5.0;
constexpr double kLevelOctaves = 7.97262742772967;        // 48 dB in octaves of amplitude
constexpr double kLevelOctavesBelow = 5.979470570797252;  // 36 dB likewise

constexpr double octaves(double ratio)
{
    return constantLog(ratio) / constantLog(2.);
}

constexpr ParameterRow kPredelayRow = parameterRow(kParamPredelay);
constexpr ParameterRow kRvbTimeRow = parameterRow(kParamRvbTime);
constexpr ParameterRow kLPCutRow = parameterRow(kParamLPCut);
constexpr ParameterRow kLevelRow = parameterRow(kParamLevel);
static_assert(kPredelayRow.minPlain == 1. &&
              agreeWithinRounding(kPredelayOctaves, octaves(kPredelayRow.maxPlain / kPredelayRow.minPlain)));
static_assert(agreeWithinRounding(kGateMsAtZero, 1000. * kRvbTimeRow.minPlain) &&
              agreeWithinRounding(kGateMsRange, 1000. * (kRvbTimeRow.maxPlain - kRvbTimeRow.minPlain)));
static_assert(kCutoffHzAtZero == kLPCutRow.minPlain &&
              agreeWithinRounding(kCutoffOctaves, octaves(kLPCutRow.maxPlain / kLPCutRow.minPlain)));
static_assert(agreeWithinRounding(kLevelOctaves,
                                  (kLevelRow.maxPlain - kLevelRow.minPlain) / 20. * octaves(10.)));
static_assert(agreeWithinRounding(kLevelOctavesBelow, -kLevelRow.minPlain / 20. * octaves(10.)));

// The delay memory is sized for normalized values in 0..1; a value from a damaged or
// foreign state must not ask for longer delays than the arrays hold. Negative values
// (and -0) count as 0, values above 1 as 1, NaN as the processor's default (which the
// controller then shows). Every other value, however small, maps as it is.
double engineValue(const PlugState& record, PlugValueIndex index)
{
    const double value = record.values[index];
    if (std::isnan(value))
        return PlugState::defaults().values[index];
    if (value <= 0.0)
        return 0.0;
    return std::min(value, 1.0);
}

// Records a change of a compared value; a NaN on either side never counts.
bool detectChange(double value, double& lastValue)
{
    if (!std::islessgreater(value, lastValue))
        return false;
    lastValue = value;
    return true;
}

}  // namespace

double PlugProcessor::gateMsFor(const PlugState& record)
{
    return kGateMsRange * engineValue(record, kValueRvbTime) + kGateMsAtZero;
}

void PlugProcessor::updateParameters(bool snap)
{
    const double level = engineValue(state, kValueLevel);
    const double mix = engineValue(state, kValueMix);
    const double predelay = engineValue(state, kValuePredelay);
    const double rvbTime = engineValue(state, kValueRvbTime);
    const double diffusion = engineValue(state, kValueDiffusion);
    const double lpCut = engineValue(state, kValueLPCut);
    const double slope = engineValue(state, kValueSlope);

    mixTarget = mix;
    predelayMs = predelay == 0.0 ? 0.0 : std::exp2(kPredelayOctaves * predelay);  // 250^p
    gateMs = gateMsFor(state);
    sizeMs = 700.0 * rvbTime + 100.0;
    diffusionTarget = diffusion == 0.0 ? 0.0 : std::exp2(diffusion * 3.321928094887362) * 0.1;
    const double octavesToLongestDecay = std::log10(5000.0 / gateMs) * 3.321928094887362;
    dampCutoffHz = kCutoffHzAtZero * std::exp2(kCutoffOctaves * lpCut);
    decayMs = gateMs * std::exp2(slope * octavesToLongestDecay);
    levelGainTarget = std::exp2(level * kLevelOctaves - kLevelOctavesBelow);  // -36..+12 dB

    // Each detection runs, so every last value is kept current.
    const bool predelayChanged = detectChange(predelayMs, lastPredelayMs);
    const bool gateChanged = detectChange(gateMs, lastGateMs);
    const bool sizeChanged = detectChange(sizeMs, lastSizeMs);
    const bool decayChanged = detectChange(decayMs, lastDecayMs);
    if (predelayChanged || gateChanged || sizeChanged || decayChanged)
        reconfigPending = true;

    if (snap) {
        tankGain = fadeGain;
        mixSmoothed = mixTarget;
        levelGainSmoothed = levelGainTarget;
        diffusionSmoothed = diffusionTarget;
        levelSmoothState = levelGainTarget * (1.0 - smoothA) * (1.0 / smoothB);
        mixSmoothState = mixTarget * (1.0 - smoothA) * (1.0 / smoothB);
        diffusionSmoothState = diffusionTarget * (1.0 - smoothA) * (1.0 / smoothB);
    }

    configureTank(snap);
}

}  // namespace Steinberg::Vst
