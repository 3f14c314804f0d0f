// The base of a plug-in's edit controller: answers the host's parameter queries
// from a ParameterContainer and passes edit gestures on to the host's component
// handler. Subclasses register their parameters in initialize().
#pragma once

#include "sdk/vst3/component/componentbase.h"
#include "sdk/vst3/controller/parameters.h"
#include "sdk/vst3/interfaces/editcontroller.h"

namespace Steinberg::Vst {

class EditController : public FClass<"EditController", ComponentBase>,
                       public IEditController,
                       public IEditController2 {
public:
    EditController() = default;
    ~EditController() override;

    // IPluginBase, reachable through ComponentBase and through IEditController:
    // overriding here makes both paths land in the same (subclass's) override.
    tresult initialize(FUnknown* context) override;
    // Removes all parameters and drops the component handler, then the host context.
    tresult terminate() override;

    // IEditController
    tresult setComponentState(IBStream* state) override;
    tresult setState(IBStream* state) override;
    tresult getState(IBStream* state) override;
    int32 getParameterCount() override;
    tresult getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
    // These two and setParamNormalized answer kResultFalse for an id that is not
    // registered, kInvalidArgument for a missing text or a NaN value.
    tresult getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) override;
    tresult getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) override;
    // An unknown id answers the value unchanged.
    ParamValue normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
    ParamValue plainParamToNormalized(ParamID id, ParamValue plainValue) override;
    // An unknown id answers 0.
    ParamValue getParamNormalized(ParamID id) override;
    tresult setParamNormalized(ParamID id, ParamValue value) override;
    // Holds one reference to the handler; null lets it go.
    tresult setComponentHandler(IComponentHandler* handler) override;
    IPlugView* createView(FIDString name) override;

    // IEditController2. The knob mode is one setting for the whole process.
    tresult setKnobMode(KnobMode mode) override;
    tresult openHelp(TBool onlyCheck) override;
    tresult openAboutBox(TBool onlyCheck) override;
    static KnobMode getHostKnobMode();

    // Edit gestures towards the host. kResultFalse without a component handler,
    // kInvalidArgument for an id that is not registered.
    virtual tresult beginEdit(ParamID id);
    virtual tresult performEdit(ParamID id, ParamValue valueNormalized);
    virtual tresult endEdit(ParamID id);

    // The parameter object of an id, for editors that follow its changes; null when unknown.
    virtual Parameter* getParameterObject(ParamID id) { return parameters.getParameter(id); }

    // FUnknown
    tresult queryInterface(const TUID iid, void** obj) override;
    uint32 addRef() override { return FObject::addRef(); }
    uint32 release() override { return FObject::release(); }

protected:
    ParameterContainer parameters;
    IComponentHandler* componentHandler = nullptr;  // one reference held

private:
    void releaseComponentHandler();
};

}  // namespace Steinberg::Vst
