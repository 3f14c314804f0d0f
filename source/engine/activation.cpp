// Activation: sizing, allocating and clearing the delay memory, and every constant
// that depends on the sample rate. Runs on the host's thread only.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>

#include "source/engine/formulas.h"
#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst {
namespace {

// Below this rate the longest predelay no longer fits its array; above the upper one
// 5 x bufferLength and the longest truncation delay would overflow int32.
constexpr double kMinEngineSampleRate = 4000.0;
constexpr double kMaxEngineSampleRate = 1.0e9;

constexpr double kInputDiffuserMs[PlugProcessor::kNumInputDiffusers] = {4.771, 3.595, 12.735, 9.307};
// Left stages 1 and 2, then right stages 1 and 2.
constexpr double kOutputDiffuserMs[PlugProcessor::kNumOutputDiffusers] = {5.0, 1.7, 4.7, 1.9};

// No mapped parameter takes this value, so the first mapping after activation always
// counts as a change and starts a reconfiguration cycle.
constexpr double kNoLastValue = -987654321.0;

int32 msToSamples(double ms, double samplesPerMs)
{
    return static_cast<int32>(ms * samplesPerMs + 0.5);
}

// Calls visit(pointer, lengthFactor) for each of the 34 delay arrays, in the order in
// which they are allocated.
template <typename Visit>
void forEachDelayArray(PlugProcessor& engine, Visit&& visit)
{
    visit(engine.predelayLine, 1);
    for (int32 k = 0; k < PlugProcessor::kNumInputDiffusers; ++k) {
        visit(engine.inputDiffuserX[k], 1);
        visit(engine.inputDiffuserY[k], 1);
    }
    for (double*& line : engine.tankLines)
        visit(line, 1);
    visit(engine.inputHistory, PlugProcessor::kHistoryFactor);
    for (int32 k = 0; k < PlugProcessor::kNumOutputDiffusers; ++k) {
        visit(engine.outputDiffuserX[k], 1);
        visit(engine.outputDiffuserY[k], 1);
    }
}

void prepareOnePole(OnePoleFilter& filter, double w, bool highpass)
{
    filter.pole = onePolePole(w);
    filter.gain = highpass ? 0.5 * filter.pole + 0.5 : 0.5 - 0.5 * filter.pole;
}

}  // namespace

void PlugProcessor::prepareEngine()
{
    writeIndex = 0;
    historyIndex = 0;
    samplesPerMs = sampleRate * 0.001;

    if (!(sampleRate >= kMinEngineSampleRate && sampleRate <= kMaxEngineSampleRate)) {
        // No delay memory can be sized for this rate: stay inactive.
        freeBuffers();
        throw std::bad_array_new_length();
    }
    const int32 quarterSecond = static_cast<int32>(sampleRate * 0.25);
    bufferLength = quarterSecond + static_cast<int32>(quarterSecond * 0.001);

    freeBuffers();
    allocateBuffers(bufferLength);
    clearBuffers(bufferLength);

    setDiffuserDelays();

    lastPredelayMs = lastSizeMs = lastGateMs = lastDecayMs = kNoLastValue;

    reconfigPending = false;
    fadingIn = false;
    fadeGain = 1.0;

    fadeInStep = (1.0 / samplesPerMs) * 0.02;                   // full rise in 50 ms
    fadeOutStep = (1.0 / samplesPerMs) * 0.006666666666666667;  // full fall in 150 ms
    holdSamples = holdCounter = static_cast<int32>(samplesPerMs * 250.0 + 0.5);

    const double h = std::exp(-2.2 / (0.001 * smoothingMs * sampleRate));
    smoothA = 1.0 - h;
    smoothB = h;

    const double r = 1.0 / sampleRate;
    prepareOnePole(tankLowpass, 9424.77796076938 * r, false);  // 1500 Hz
    prepareOnePole(midHighpass, midHpHz * 6.283185307179586 * r, true);
    prepareOnePole(sideHighpass, sideHpHz * 6.283185307179586 * r, true);

    updateParameters(true);
}

void PlugProcessor::allocateBuffers(int32 length)
{
    freeBuffers();
    if (length < 0)
        throw std::bad_array_new_length();
    bufferLength = length;
    try {
        forEachDelayArray(*this, [length](double*& array, int32 factor) {
            array = new double[static_cast<std::size_t>(length) * static_cast<std::size_t>(factor)];
        });
    } catch (...) {
        freeBuffers();  // all or nothing: the engine stays inactive
        throw;
    }
}

void PlugProcessor::clearBuffers(int32 length)
{
    const auto count = static_cast<std::size_t>(std::clamp(length, 0, bufferLength));
    forEachDelayArray(*this, [count](double*& array, int32 factor) {
        if (array)
            std::fill_n(array, count * static_cast<std::size_t>(factor), 0.0);
    });
    dampingLowpass.clearState();
    tankLowpass.clearState();
    midHighpass.clearState();
    sideHighpass.clearState();
}

void PlugProcessor::freeBuffers()
{
    forEachDelayArray(*this, [](double*& array, int32) {
        delete[] array;
        array = nullptr;
    });
}

void PlugProcessor::setDiffuserDelays()
{
    for (int32 k = 0; k < kNumInputDiffusers; ++k) {
        inputDiffuserMs[k] = kInputDiffuserMs[k];
        inputDiffuserDelay[k] = msToSamples(inputDiffuserMs[k], samplesPerMs);
    }
    for (int32 k = 0; k < kNumOutputDiffusers; ++k) {
        outputDiffuserMs[k] = kOutputDiffuserMs[k];
        outputDiffuserDelay[k] = msToSamples(outputDiffuserMs[k], samplesPerMs);
    }
    diffuserCoefficientsValid = false;  // the coefficients follow from these times
}

}  // namespace Steinberg::Vst
