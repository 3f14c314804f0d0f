#include "tools/host/param_value_queue.h"

#include <algorithm>

namespace morvik::host {
using namespace Steinberg;

int32 ParamValueQueue::getPointCount()
{
    return static_cast<int32>(points.size());
}

tresult ParamValueQueue::getPoint(int32 index, int32& sampleOffset, Vst::ParamValue& value)
{
    if (index < 0 || index >= getPointCount())
        return kResultFalse;
    sampleOffset = points[static_cast<std::size_t>(index)].sampleOffset;
    value = points[static_cast<std::size_t>(index)].value;
    return kResultOk;
}

tresult ParamValueQueue::addPoint(int32 sampleOffset, Vst::ParamValue value, int32& index)
{
    if (sampleOffset < 0)
        return kInvalidArgument;
    const auto at =
        std::lower_bound(points.begin(), points.end(), sampleOffset,
                         [](const Point& point, int32 offset) { return point.sampleOffset < offset; });
    const auto position = at - points.begin();
    if (at != points.end() && at->sampleOffset == sampleOffset) {
        at->value = value;
    } else {
        try {
            points.insert(at, Point{sampleOffset, value});
        } catch (...) {
            return kOutOfMemory;
        }
    }
    index = static_cast<int32>(position);
    return kResultOk;
}

}  // namespace morvik::host
