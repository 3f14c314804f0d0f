#include "source/controller/plugcontroller.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "sdk/vst3/controller/callguard.h"
#include "sdk/vst3/interfaces/hostapplication.h"
#include "sdk/vstgui/plugin-bindings/vst3editor.h"
#include "source/controller/plugaboutcontroller.h"
#include "source/controller/tkrangeparameter.h"
#include "source/processor/parameterids.h"
#include "source/processor/parametertable.h"
#include "source/processor/plugstate.h"

namespace Steinberg::Vst {
namespace {

RangeParameter* makeRangeParameter(const ParameterRow& row)
{
    RangeParameter* parameter = nullptr;
    if (row.taper == ParameterTaper::linear)
        parameter = new TKRangeParameter(row.title, row.id, row.units, row.flags, row.minPlain, row.maxPlain,
                                         row.defaultPlain);
    else
        parameter = new TKExpRangeParameter(row.title, row.id, row.units, row.flags, row.minPlain,
                                            row.maxPlain, row.defaultPlain);
    parameter->setPrecision(row.precision);
    return parameter;
}

}  // namespace

FUnknown* PlugController::createInstance(void* /*context*/)
{
    return static_cast<IEditController*>(new PlugController());
}

tresult PlugController::initialize(FUnknown* context)
{
    // The base refuses a second initialize; the parameters of the first stay.
    if (EditController::initialize(context) != kResultOk)
        return kResultOk;
    try {
        registerParameters();
        if (parameters.getParameterCount() == kParameterCount)
            return kResultOk;
    } catch (const std::bad_alloc&) {
    }
    // Half a parameter list would mislead the host; leave none and let it try again.
    terminate();
    return kOutOfMemory;
}

void PlugController::registerParameters()
{
    for (const ParameterRow& row : kParameterTable) {
        if (row.taper == ParameterTaper::toggle)
            parameters.addParameter(row.title, row.units, row.stepCount, row.defaultPlain, row.flags,
                                    static_cast<int32>(row.id));
        else
            parameters.addParameter(makeRangeParameter(row));
    }
}

tresult PlugController::setComponentState(IBStream* state)
{
    return guardedResult([&] {
        // The whole record is read before any parameter is touched.
        PlugState record;
        if (record.read(state) != kResultOk)
            return kResultFalse;
        // setParamNormalized clamps out-of-range values, as the processor does. A NaN
        // runs as the processor's default, so the host is shown that default.
        const PlugState defaults = PlugState::defaults();
        setParamNormalized(kParamBypass, record.bypass ? 1. : 0.);
        for (ParamID id : {kParamLevel, kParamMix, kParamPredelay, kParamRvbTime, kParamDiffusion,
                           kParamLPCut, kParamSlope}) {
            const auto index = static_cast<std::size_t>(valueIndexForParam(id));
            const ParamValue value = record.values[index];
            setParamNormalized(id, std::isnan(value) ? defaults.values[index] : value);
        }
        return kResultOk;
    });
}

IPlugView* PlugController::createView(FIDString name)
{
    if (!name || std::strcmp(name, "editor") != 0)
        return nullptr;
    return guardedValue<IPlugView*>(nullptr, [&]() -> IPlugView* {
        auto editor = Steinberg::owned(new VSTGUI::VST3Editor(this, "view", "plug.uidesc"));
        // An editor whose description is refused could never open: the host hears so now.
        if (!editor->loadDescription())
            return nullptr;
        setKnobMode(kLinearMode);
        editor->addRef();
        return editor.get();
    });
}

VSTGUI::IController* PlugController::createSubController(VSTGUI::UTF8StringPtr name,
                                                         const VSTGUI::IUIDescription* /*description*/)
{
    if (!name || std::strcmp(name, "AboutController") != 0)
        return nullptr;
    auto aboutController = std::make_unique<AboutController>(this, hostIsAudioUnitWrapper());
    addAboutController(aboutController.get());
    return aboutController.release();
}

bool PlugController::hostIsAudioUnitWrapper() const
{
    FUnknown* context = getHostContext();
    if (!context)
        return false;
    void* wrapper = nullptr;
    if (context->queryInterface(IVst3ToAUWrapper::iid, &wrapper) != kResultOk)
        return false;
    if (wrapper)
        static_cast<FUnknown*>(wrapper)->release();
    return true;
}

void PlugController::addAboutController(AboutController* aboutController)
{
    if (aboutController)
        aboutControllers.push_back(aboutController);
}

void PlugController::removeAboutController(AboutController* aboutController)
{
    const auto found = std::find(aboutControllers.begin(), aboutControllers.end(), aboutController);
    if (found != aboutControllers.end())
        aboutControllers.erase(found);
}

}  // namespace Steinberg::Vst
