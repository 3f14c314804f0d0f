#include "tools/host/parameter_changes.h"

namespace morvik::host {
using namespace Steinberg;

int32 ParameterChanges::getParameterCount()
{
    return static_cast<int32>(queues.size());
}

Vst::IParamValueQueue* ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return queues[static_cast<std::size_t>(index)].get();
}

Vst::IParamValueQueue* ParameterChanges::addParameterData(const Vst::ParamID& id, int32& index)
{
    for (std::size_t slot = 0; slot < queues.size(); ++slot) {
        if (queues[slot] && queues[slot]->getParameterId() == id) {
            index = static_cast<int32>(slot);
            return queues[slot].get();
        }
    }
    try {
        queues.push_back(create<ParamValueQueue>(id));
    } catch (...) {
        return nullptr;
    }
    index = getParameterCount() - 1;
    return queues.back().get();
}

bool ParameterChanges::addChange(Vst::ParamID id, int32 sampleOffset, Vst::ParamValue value)
{
    int32 queueIndex = 0;
    int32 pointIndex = 0;
    Vst::IParamValueQueue* queue = addParameterData(id, queueIndex);
    return queue && queue->addPoint(sampleOffset, value, pointIndex) == kResultOk;
}

int32 ParameterChanges::addNullQueue()
{
    queues.emplace_back();
    return getParameterCount() - 1;
}

}  // namespace morvik::host
