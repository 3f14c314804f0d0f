// A processor-only plug-in module for the render tool's tests: it passes audio
// through, writes each host call to the file named by $MORVIK_FAKE_LOG and
// answers kResultFalse to the call named by $MORVIK_FAKE_REFUSE. Its factory
// cannot create the controller class the processor names.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sdk/vst3/interfaces/audioprocessor.h"
#include "sdk/vst3/interfaces/component.h"
#include "sdk/vst3/interfaces/pluginfactory.h"
#include "tools/host/com_object.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr FUID kProcessorId{0x6D6F7276, 0x696B2D66, 0x616B652D, 0x70726F63};
constexpr FUID kMissingControllerId{0x6D6F7276, 0x696B2D66, 0x616B652D, 0x6374726C};
constexpr uint32 kTailSamples = 250;

void log(const std::string& line)
{
    const char* path = std::getenv("MORVIK_FAKE_LOG");
    if (!path)
        return;
    if (FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

// Logs the call and answers as $MORVIK_FAKE_REFUSE says.
tresult answer(const std::string& call, const std::string& details = {})
{
    log(details.empty() ? call : call + " " + details);
    const char* refused = std::getenv("MORVIK_FAKE_REFUSE");
    return refused && call == refused ? kResultFalse : kResultOk;
}

void passThrough(ProcessData& data)
{
    const bool wide = data.symbolicSampleSize == kSample64;
    const std::size_t bytes =
        (wide ? sizeof(Sample64) : sizeof(Sample32)) * static_cast<std::size_t>(data.numSamples);
    for (int32 channel = 0; channel < 2; ++channel) {
        void* out = wide ? static_cast<void*>(data.outputs[0].channelBuffers64[channel])
                         : static_cast<void*>(data.outputs[0].channelBuffers32[channel]);
        const void* in = wide ? static_cast<const void*>(data.inputs[0].channelBuffers64[channel])
                              : static_cast<const void*>(data.inputs[0].channelBuffers32[channel]);
        std::memcpy(out, in, bytes);
    }
}

std::string changesText(IParameterChanges* changes)
{
    std::string text;
    for (int32 index = 0; changes && index < changes->getParameterCount(); ++index) {
        IParamValueQueue* queue = changes->getParameterData(index);
        for (int32 point = 0; queue && point < queue->getPointCount(); ++point) {
            int32 offset = 0;
            ParamValue value = 0.0;
            queue->getPoint(point, offset, value);
            char entry[64];
            std::snprintf(entry, sizeof(entry), " %u=%g@%d", queue->getParameterId(), value, offset);
            text += entry;
        }
    }
    return text;
}

class FakeProcessor : public morvik::host::ComObject<IComponent, IAudioProcessor> {
public:
    tresult initialize(FUnknown* context) override
    {
        return answer("initialize", context ? "context" : "none");
    }
    tresult terminate() override { return answer("terminate"); }

    tresult getControllerClassId(TUID classId) override
    {
        kMissingControllerId.toTUID(classId);
        return kResultOk;
    }
    tresult setIoMode(IoMode) override { return kNotImplemented; }
    int32 getBusCount(MediaType type, BusDirection) override { return type == kAudio ? 1 : 0; }
    tresult getBusInfo(MediaType, BusDirection, int32, BusInfo&) override { return kNotImplemented; }
    tresult getRoutingInfo(RoutingInfo&, RoutingInfo&) override { return kNotImplemented; }
    tresult activateBus(MediaType, BusDirection, int32, TBool) override { return kResultOk; }
    tresult setActive(TBool state) override { return answer("setActive", std::to_string(state)); }
    tresult setState(IBStream*) override { return kNotImplemented; }
    tresult getState(IBStream*) override { return kNotImplemented; }

    tresult setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                               int32 numOuts) override
    {
        return answer("setBusArrangements",
                      std::to_string(numIns) + " " + std::to_string(numIns > 0 ? inputs[0] : 0) + " " +
                          std::to_string(numOuts) + " " + std::to_string(numOuts > 0 ? outputs[0] : 0));
    }
    tresult getBusArrangement(BusDirection, int32, SpeakerArrangement& arrangement) override
    {
        arrangement = SpeakerArr::kStereo;
        return kResultOk;
    }
    tresult canProcessSampleSize(int32 size) override
    {
        return size == kSample32 || size == kSample64 ? kResultTrue : kResultFalse;
    }
    uint32 getLatencySamples() override { return 0; }
    tresult setupProcessing(ProcessSetup& setup) override
    {
        return answer("setupProcessing",
                      std::to_string(setup.processMode) + " " + std::to_string(setup.symbolicSampleSize) +
                          " " + std::to_string(setup.maxSamplesPerBlock) + " " +
                          std::to_string(static_cast<int>(setup.sampleRate)));
    }
    tresult setProcessing(TBool state) override { return answer("setProcessing", std::to_string(state)); }

    tresult process(ProcessData& data) override
    {
        const tresult result =
            answer("process",
                   std::to_string(data.processMode) + " " + std::to_string(data.symbolicSampleSize) + " " +
                       std::to_string(data.numSamples) + changesText(data.inputParameterChanges));
        if (result == kResultOk && data.numInputs > 0 && data.numOutputs > 0 && data.numSamples > 0)
            passThrough(data);
        return result;
    }
    uint32 getTailSamples() override
    {
        log("getTailSamples");
        return kTailSamples;
    }
};

class FakeFactory : public morvik::host::ComObject<IPluginFactory> {
public:
    tresult getFactoryInfo(PFactoryInfo* info) override
    {
        if (!info)
            return kInvalidArgument;
        *info = {};
        std::strcpy(info->vendor, "Fake Vendor");
        return kResultOk;
    }
    int32 countClasses() override { return 1; }
    tresult getClassInfo(int32 index, PClassInfo* info) override
    {
        if (index != 0 || !info)
            return kInvalidArgument;
        *info = {};
        kProcessorId.toTUID(info->cid);
        info->cardinality = PClassInfo::kManyInstances;
        std::strcpy(info->category, "Audio Module Class");
        std::strcpy(info->name, "Fake Processor");
        return kResultOk;
    }
    tresult createInstance(FIDString cid, FIDString iid, void** obj) override
    {
        if (!obj)
            return kInvalidArgument;
        *obj = nullptr;
        if (!iidEqual(cid, kProcessorId))
            return kResultFalse;
        auto processor = morvik::host::create<FakeProcessor>();
        return processor->queryInterface(iid, obj);
    }
};

}  // namespace

extern "C" {

__attribute__((visibility("default"))) bool ModuleEntry(void*)
{
    return true;
}

__attribute__((visibility("default"))) bool ModuleExit()
{
    return true;
}

__attribute__((visibility("default"))) IPluginFactory* GetPluginFactory()
{
    return new FakeFactory;
}
}
