// The audio processor: buses, activation, per-block parameter changes, bypass,
// state and tail. The gated reverb engine has no class of its own: its state and
// operations are members of this class, declared in the engine section below and
// defined in source/engine/.
#pragma once

#include "sdk/vst3/component/audioeffect.h"
#include "source/engine/onepolefilter.h"
#include "source/engine/vectorlevel.h"
#include "source/processor/plugstate.h"
#include "source/processor/statehandover.h"

namespace Steinberg::Vst {

class PlugProcessor : public AudioEffect {
public:
    PlugProcessor();
    ~PlugProcessor() override;

    static FUnknown* createInstance(void* context);

    tresult initialize(FUnknown* context) override;
    tresult setActive(TBool state) override;
    tresult setState(IBStream* state) override;
    tresult getState(IBStream* state) override;
    tresult setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                               int32 numOuts) override;
    tresult canProcessSampleSize(int32 symbolicSampleSize) override;
    tresult setupProcessing(ProcessSetup& setup) override;
    tresult process(ProcessData& data) override;
    uint32 getTailSamples() override;

    // The live parameter record, owned by the thread that runs the engine: written by
    // process() and by records taken from the hand-over, read by updateParameters().
    PlugState state = PlugState::defaults();

    // ---- Engine ----------------------------------------------------------------
    // Public so that tests and the benchmark can drive the engine directly; hosts
    // reach the processor only through its interfaces.

    static constexpr int32 kNumTankLines = 16;
    static constexpr int32 kNumInputDiffusers = 4;
    static constexpr int32 kNumOutputDiffusers = 4;  // left 1, left 2, right 1, right 2
    static constexpr int32 kHistoryFactor = 5;       // inputHistory holds 5 x bufferLength samples

    // Activation (host thread only): sizes, allocates and clears the delay memory,
    // computes every sample-rate constant and maps the parameters with snapping.
    // Throws std::bad_alloc when memory is short; setActive() catches it.
    void prepareEngine();
    void allocateBuffers(int32 length);
    void clearBuffers(int32 length);
    void freeBuffers();
    void setDiffuserDelays();
    bool buffersAllocated() const { return predelayLine != nullptr; }

    // Parameter mapping and tank configuration.
    void updateParameters(bool snap);
    static double gateMsFor(const PlugState& record);  // the gate time the record gives
    void configureTank(bool force);
    void updateDiffuserCoefficients();

    // Block loops and the per-sample path (audio thread).
    void processSamples32(Sample32** inputs, Sample32** outputs, int32 numSamples);
    void processSamples64(Sample64** inputs, Sample64** outputs, int32 numSamples);
    void processSample(double xL, double xR, double& yL, double& yR);
    double inputLowpass(double xL, double xR);
    double predelaySample(double u);
    double inputDiffusers(double p);
    void processTank(double a, double& left, double& right);
    void outputDiffusers(double left, double right, double& outL, double& outR);
    void outputFilterAndMix(double l2, double r2, double xL, double xR, double& outL, double& outR);

    // Host thread while inactive (initialize, setupProcessing), read by the engine:
    double sampleRate = 0.0;
    double smoothingMs = 0.0;
    double midHpHz = 0.0;
    double sideHpHz = 0.0;
    // The widest vectors the block loop uses, from this CPU; every level gives the same
    // results, so tests may choose a narrower one.
    VectorLevel vectorLevel = widestVectorLevel();

    // Host thread at activation (prepareEngine), read-only while active:
    int32 bufferLength = 0;
    double samplesPerMs = 0.0;
    // Delay memory: 34 arrays, all of bufferLength doubles but inputHistory
    // (kHistoryFactor x bufferLength); null while inactive.
    double* predelayLine = nullptr;
    double* inputDiffuserX[kNumInputDiffusers] = {};
    double* inputDiffuserY[kNumInputDiffusers] = {};
    double* tankLines[kNumTankLines] = {};
    double* inputHistory = nullptr;
    double* outputDiffuserX[kNumOutputDiffusers] = {};
    double* outputDiffuserY[kNumOutputDiffusers] = {};
    double inputDiffuserMs[kNumInputDiffusers] = {};
    double outputDiffuserMs[kNumOutputDiffusers] = {};
    int32 inputDiffuserDelay[kNumInputDiffusers] = {};
    int32 outputDiffuserDelay[kNumOutputDiffusers] = {};
    double fadeInStep = 0.0;
    double fadeOutStep = 0.0;
    int32 holdSamples = 0;
    double smoothA = 0.0;
    double smoothB = 0.0;

    // The engine's thread: the audio thread while active, the host thread while inactive:
    double mixTarget = 0.0;
    double predelayMs = 0.0;
    double sizeMs = 0.0;
    double diffusionTarget = 0.0;
    double dampCutoffHz = 0.0;
    double decayMs = 0.0;
    double gateMs = 0.0;
    double levelGainTarget = 0.0;

    double mixSmoothed = 0.0;
    double diffusionSmoothed = 0.0;
    double levelGainSmoothed = 0.0;
    double levelSmoothState = 0.0;
    double mixSmoothState = 0.0;
    double diffusionSmoothState = 0.0;

    int32 writeIndex = 0;
    int32 historyIndex = 0;
    double dryGain = 0.0;

    double lastPredelayMs = 0.0;
    double lastSizeMs = 0.0;
    double lastGateMs = 0.0;
    double lastDecayMs = 0.0;

    double inputDiffuserCoeff[kNumInputDiffusers] = {};
    double lineGain[kNumTankLines] = {};
    double truncGain[kNumTankLines] = {};
    double outputDiffuserCoeff[2] = {};
    // The smoothed diffusion (bit pattern) the six coefficients were last computed
    // from, so updateDiffuserCoefficients() recomputes them only when it moves.
    bool diffuserCoefficientsValid = false;
    uint64 diffuserCoefficientsDiffusionBits = 0;
    double feedbackWeight[kNumTankLines] = {};

    int32 predelaySamples = 0;
    int32 lineLength[kNumTankLines] = {};
    int32 truncLength[kNumTankLines] = {};

    // The fixed filters' coefficients are set at activation; the engine's thread keeps
    // their histories and the damping filter's coefficients.
    OnePoleFilter dampingLowpass;
    OnePoleFilter tankLowpass;
    OnePoleFilter midHighpass;
    OnePoleFilter sideHighpass;

    bool firstRun = true;
    bool reconfigPending = false;
    bool fadingIn = false;
    double fadeGain = 0.0;
    double tankGain = 0.0;
    int32 holdCounter = 0;

private:
    bool takePostedState();  // engine's thread: applies a record the host loaded
    void publishState();     // engine's thread: tells the host the record in force
    bool applyParameterChanges(IParameterChanges* changes);
    static void writeSilence(AudioBusBuffers& bus, int32 numSamples, bool is64);

    // Both threads, through the mailbox: the host posts and reads, the engine takes and publishes.
    StateHandOver handOver;
    // Host thread (setActive):
    bool active = false;
};

}  // namespace Steinberg::Vst
