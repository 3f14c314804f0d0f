// The points of one parameter within one block.
#pragma once

#include <vector>

#include "sdk/vst3/interfaces/parameterchanges.h"
#include "tools/host/com_object.h"

namespace morvik::host {

// Points stay ordered by sample offset; a point at an offset that already has
// one replaces its value. Reading never allocates, so a plug-in may read the
// queue on its audio thread.
class ParamValueQueue : public ComObject<Steinberg::Vst::IParamValueQueue> {
public:
    explicit ParamValueQueue(Steinberg::Vst::ParamID id) : id(id) {}

    Steinberg::Vst::ParamID getParameterId() override { return id; }
    Steinberg::int32 getPointCount() override;
    // kResultFalse for an index outside the points.
    Steinberg::tresult getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                Steinberg::Vst::ParamValue& value) override;
    // kInvalidArgument for a negative offset.
    Steinberg::tresult addPoint(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value,
                                Steinberg::int32& index) override;

private:
    struct Point {
        Steinberg::int32 sampleOffset;
        Steinberg::Vst::ParamValue value;
    };

    Steinberg::Vst::ParamID id;
    std::vector<Point> points;
};

}  // namespace morvik::host
