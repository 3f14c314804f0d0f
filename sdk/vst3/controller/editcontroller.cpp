#include "sdk/vst3/controller/editcontroller.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "sdk/vst3/controller/callguard.h"

namespace Steinberg::Vst {
namespace {

// Shared by every controller in the process, as hosts set it once for all editors.
std::atomic<KnobMode> hostKnobMode{kCircularMode};

}  // namespace

EditController::~EditController()
{
    releaseComponentHandler();
}

tresult EditController::initialize(FUnknown* context)
{
    return guardedResult([&] { return ComponentBase::initialize(context); });
}

tresult EditController::terminate()
{
    return guardedResult([&] {
        parameters.removeAll();
        releaseComponentHandler();
        return ComponentBase::terminate();
    });
}

// The controller keeps no state of its own, and knows nothing of the processor's.
tresult EditController::setComponentState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult EditController::setState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult EditController::getState(IBStream* /*state*/)
{
    return kNotImplemented;
}

int32 EditController::getParameterCount()
{
    return parameters.getParameterCount();
}

tresult EditController::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
    return guardedResult([&] {
        const Parameter* parameter = parameters.getParameterByIndex(paramIndex);
        if (!parameter)
            return kResultFalse;
        info = parameter->getInfo();
        return kResultOk;
    });
}

tresult EditController::getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string)
{
    return guardedResult([&] {
        const Parameter* parameter = parameters.getParameter(id);
        if (!parameter)
            return kResultFalse;
        if (!string || std::isnan(valueNormalized))
            return kInvalidArgument;
        parameter->toString(valueNormalized, string);
        return kResultOk;
    });
}

tresult EditController::getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized)
{
    return guardedResult([&] {
        const Parameter* parameter = parameters.getParameter(id);
        if (!parameter)
            return kResultFalse;
        if (!string)
            return kInvalidArgument;
        return parameter->fromString(string, valueNormalized) ? kResultOk : kResultFalse;
    });
}

ParamValue EditController::normalizedParamToPlain(ParamID id, ParamValue valueNormalized)
{
    return guardedValue(valueNormalized, [&] {
        const Parameter* parameter = parameters.getParameter(id);
        return parameter ? parameter->toPlain(valueNormalized) : valueNormalized;
    });
}

ParamValue EditController::plainParamToNormalized(ParamID id, ParamValue plainValue)
{
    return guardedValue(plainValue, [&] {
        const Parameter* parameter = parameters.getParameter(id);
        return parameter ? parameter->toNormalized(plainValue) : plainValue;
    });
}

ParamValue EditController::getParamNormalized(ParamID id)
{
    return guardedValue(0., [&] {
        const Parameter* parameter = parameters.getParameter(id);
        return parameter ? parameter->getNormalized() : 0.;
    });
}

tresult EditController::setParamNormalized(ParamID id, ParamValue value)
{
    return guardedResult([&] {
        Parameter* parameter = parameters.getParameter(id);
        if (!parameter)
            return kResultFalse;
        if (std::isnan(value))
            return kInvalidArgument;
        parameter->setNormalized(value);  // an unchanged value is still a success
        return kResultOk;
    });
}

tresult EditController::setComponentHandler(IComponentHandler* handler)
{
    if (handler == componentHandler)
        return kResultTrue;
    // The new one is taken before the old one goes, in case releasing it calls back here.
    if (handler)
        handler->addRef();
    IComponentHandler* previous = componentHandler;
    componentHandler = handler;
    if (previous)
        previous->release();
    return kResultTrue;
}

IPlugView* EditController::createView(FIDString /*name*/)
{
    return nullptr;
}

tresult EditController::setKnobMode(KnobMode mode)
{
    if (mode < kCircularMode || mode > kLinearMode)
        return kInvalidArgument;
    hostKnobMode.store(mode, std::memory_order_relaxed);
    return kResultTrue;
}

tresult EditController::openHelp(TBool /*onlyCheck*/)
{
    return kResultFalse;
}

tresult EditController::openAboutBox(TBool /*onlyCheck*/)
{
    return kResultFalse;
}

KnobMode EditController::getHostKnobMode()
{
    return hostKnobMode.load(std::memory_order_relaxed);
}

tresult EditController::beginEdit(ParamID id)
{
    if (!componentHandler)
        return kResultFalse;
    if (!parameters.getParameter(id))
        return kInvalidArgument;
    return guardedResult([&] { return componentHandler->beginEdit(id); });
}

tresult EditController::performEdit(ParamID id, ParamValue valueNormalized)
{
    if (!componentHandler)
        return kResultFalse;
    if (!parameters.getParameter(id) || std::isnan(valueNormalized))
        return kInvalidArgument;
    // The host must never see a normalized value outside [0, 1].
    const ParamValue clamped = std::clamp(valueNormalized, 0., 1.);
    return guardedResult([&] { return componentHandler->performEdit(id, clamped); });
}

tresult EditController::endEdit(ParamID id)
{
    if (!componentHandler)
        return kResultFalse;
    if (!parameters.getParameter(id))
        return kInvalidArgument;
    return guardedResult([&] { return componentHandler->endEdit(id); });
}

tresult EditController::queryInterface(const TUID iid, void** obj)
{
    if (queryOwnInterface<IEditController>(iid, obj, this) ||
        queryOwnInterface<IEditController2>(iid, obj, this))
        return kResultOk;
    return ComponentBase::queryInterface(iid, obj);
}

void EditController::releaseComponentHandler()
{
    if (IComponentHandler* handler = componentHandler) {
        componentHandler = nullptr;
        handler->release();
    }
}

}  // namespace Steinberg::Vst
