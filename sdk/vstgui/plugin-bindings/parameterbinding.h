// Binds the controls that carry one parameter's id as their tag to that
// parameter, both ways:
// - a change of the parameter object (the host's setParamNormalized, a new
//   component state) reaches the binding at once as a dependent of the
//   parameter, through the update handler, and moves every bound control;
// - a gesture on a bound control becomes the controller's beginEdit, then for
//   each value setParamNormalized and performEdit with the parameter's
//   resulting value, then endEdit.
// Parameter displays and text labels show the parameter's value text and units.
#pragma once

#include <string>
#include <vector>

#include "sdk/vst3/base/fobject.h"
#include "sdk/vst3/controller/editcontroller.h"
#include "sdk/vstgui/lib/controls/icontrollistener.h"

namespace VSTGUI {

class CControl;

class ParameterBinding : public Steinberg::FObject, public IControlListener {
public:
    // Keeps a reference to the parameter while it exists.
    ParameterBinding(Steinberg::Vst::EditController& controller, Steinberg::Vst::Parameter& parameter);
    ~ParameterBinding() noexcept override;

    // The control takes the parameter's value (and text) at once.
    void addControl(CControl* control);
    // Lets go of every control; the binding then no longer touches any view.
    void removeAllControls();

    Steinberg::Vst::ParamID getParameterId() const { return parameter.getInfo().id; }
    // The parameter's value text for a normalized value, with its units.
    std::string valueText(double normalized) const;

    // IDependent: the parameter changed.
    void update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) override;

    // IControlListener: a bound control's gestures.
    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;

private:
    void showValue(CControl* control);
    void beginGesture();
    void endGesture();

    Steinberg::Vst::EditController& controller;
    Steinberg::Vst::Parameter& parameter;
    std::vector<CControl*> controls;  // each registered with, and remembered by, this binding
    int openGestures = 0;
};

}  // namespace VSTGUI
