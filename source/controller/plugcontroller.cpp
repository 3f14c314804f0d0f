#include "source/controller/plugcontroller.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>

#include "sdk/vst3/controller/callguard.h"
#include "sdk/vst3/interfaces/hostapplication.h"
#include "sdk/vstgui/plugin-bindings/vst3editor.h"
#include "source/controller/plugaboutcontroller.h"
#include "source/controller/tkrangeparameter.h"
#include "source/processor/parameterids.h"
#include "source/processor/plugstate.h"

namespace Steinberg::Vst {
namespace {

enum class Taper { linear, exponential };

struct RangeRow {
    ParamID id;
    const TChar* title;
    const TChar* units;
    Taper taper;
    ParamValue minPlain;
    ParamValue maxPlain;
    ParamValue defaultPlain;
    int32 precision;
};

// Registration order is the order hosts list the parameters in; Bypass comes first.
constexpr RangeRow kRangeRows[] = {
    {kParamLevel, u"Level", u"dB", Taper::linear, -36., 12., 0., 2},
    {kParamMix, u"Mix", u"%", Taper::linear, 0., 100., 50., 0},
    {kParamPredelay, u"Predelay", u"ms", Taper::exponential, 1., 250., 1., 1},
    {kParamRvbTime, u"Rvb Time", u"s", Taper::linear, 0.2, 1.2, 0.35, 2},
    {kParamDiffusion, u"Diffusion", u"%", Taper::linear, 0., 100., 100., 0},
    {kParamLPCut, u"LPCut", u"Hz", Taper::exponential, 500., 16000., 8000., 0},
    {kParamSlope, u"Slope", u"%", Taper::linear, 0., 100., 100., 0},
};
constexpr int32 kParameterCount = 1 + static_cast<int32>(std::size(kRangeRows));

RangeParameter* makeRangeParameter(const RangeRow& row)
{
    RangeParameter* parameter = nullptr;
    if (row.taper == Taper::linear)
        parameter = new TKRangeParameter(row.title, row.id, row.units, ParameterInfo::kCanAutomate,
                                         row.minPlain, row.maxPlain, row.defaultPlain);
    else
        parameter = new TKExpRangeParameter(row.title, row.id, row.units, ParameterInfo::kCanAutomate,
                                            row.minPlain, row.maxPlain, row.defaultPlain);
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
    parameters.addParameter(u"Bypass", nullptr, 1, 0.,
                            ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass,
                            static_cast<int32>(kParamBypass));
    for (const RangeRow& row : kRangeRows)
        parameters.addParameter(makeRangeParameter(row));
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
    return guardedValue<IPlugView*>(nullptr, [&] {
        setKnobMode(kLinearMode);
        return new VSTGUI::VST3Editor(this, "view", "plug.uidesc");
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
