#include "tools/host/component_handler.h"

#include <ostream>

namespace morvik::host {
using namespace Steinberg;
using Kind = HandlerCall::Kind;

HandlerCall beginEdit(Vst::ParamID id)
{
    return {Kind::BeginEdit, id, 0.0, 0};
}

HandlerCall performEdit(Vst::ParamID id, Vst::ParamValue value)
{
    return {Kind::PerformEdit, id, value, 0};
}

HandlerCall endEdit(Vst::ParamID id)
{
    return {Kind::EndEdit, id, 0.0, 0};
}

HandlerCall restartComponent(int32 flags)
{
    return {Kind::RestartComponent, 0, 0.0, flags};
}

std::ostream& operator<<(std::ostream& out, const HandlerCall& call)
{
    switch (call.kind) {
        case Kind::BeginEdit:
            return out << "beginEdit(" << call.id << ")";
        case Kind::PerformEdit:
            return out << "performEdit(" << call.id << ", " << call.value << ")";
        case Kind::EndEdit:
            return out << "endEdit(" << call.id << ")";
        case Kind::RestartComponent:
            return out << "restartComponent(" << call.flags << ")";
    }
    return out << "unknown call";
}

tresult RecordingComponentHandler::beginEdit(Vst::ParamID id)
{
    return record(morvik::host::beginEdit(id));
}

tresult RecordingComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue valueNormalized)
{
    return record(morvik::host::performEdit(id, valueNormalized));
}

tresult RecordingComponentHandler::endEdit(Vst::ParamID id)
{
    return record(morvik::host::endEdit(id));
}

tresult RecordingComponentHandler::restartComponent(int32 flags)
{
    return record(morvik::host::restartComponent(flags));
}

tresult RecordingComponentHandler::record(const HandlerCall& call)
{
    try {
        recorded.push_back(call);
    } catch (...) {
        return kOutOfMemory;
    }
    return kResultOk;
}

}  // namespace morvik::host
