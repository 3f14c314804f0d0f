// The parameter changes of one block: one queue per parameter.
#pragma once

#include <vector>

#include "sdk/vst3/interfaces/parameterchanges.h"
#include "tools/host/com_object.h"
#include "tools/host/param_value_queue.h"

namespace morvik::host {

class ParameterChanges : public ComObject<Steinberg::Vst::IParameterChanges> {
public:
    Steinberg::int32 getParameterCount() override;
    // Null for an index outside the queues and for a null slot.
    Steinberg::Vst::IParamValueQueue* getParameterData(Steinberg::int32 index) override;
    // The parameter's queue, added at the end unless it exists; null when out of memory.
    Steinberg::Vst::IParamValueQueue* addParameterData(const Steinberg::Vst::ParamID& id,
                                                       Steinberg::int32& index) override;

    // Host-side shorthand: adds one point to the parameter's queue.
    bool addChange(Steinberg::Vst::ParamID id, Steinberg::int32 sampleOffset,
                   Steinberg::Vst::ParamValue value);
    // A slot without a queue, which a plug-in must skip; answers its index.
    Steinberg::int32 addNullQueue();
    void clear() { queues.clear(); }

private:
    std::vector<Steinberg::IPtr<ParamValueQueue>> queues;
};

}  // namespace morvik::host
