// Binds the controls that carry one parameter's id as their tag to that
// parameter, both ways:
// - a change of the parameter object (the host's setParamNormalized, a new
//   component state) reaches the binding as a dependent of the parameter, on
//   whichever thread made it. There the binding only records the new value;
//   the controls move on the binding's UI thread: at once when the change was
//   made on that thread, else at the next tick of the deferred-update timer
//   (DeferredUpdates), which calls takeUpChanges().
// - a gesture on a bound control becomes the controller's beginEdit, then for
//   each value setParamNormalized and performEdit with the parameter's
//   resulting value, then endEdit.
// Parameter displays and text labels show the parameter's value text, at the
// parameter's own (double) value, and its units.
//
// The UI thread is the thread that creates the binding. VST3Editor creates its
// bindings in attached(), so it is the thread that opened the editor, which
// hosts keep for every call to the view. Everything but update() belongs to it.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "sdk/vst3/base/fobject.h"
#include "sdk/vst3/controller/editcontroller.h"
#include "sdk/vstgui/lib/controls/icontrollistener.h"
#include "sdk/vstgui/plugin-bindings/deferredupdates.h"

namespace VSTGUI {

class CControl;

class ParameterBinding : public Steinberg::FObject, public IControlListener, private DeferredUpdates::Client {
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

    // IDependent: the parameter changed (on any thread).
    void update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) override;
    // Moves the controls to the value last recorded, if it is new.
    void takeUpChanges() override;

    // IControlListener: a bound control's gestures.
    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;

private:
    struct Bound {
        CControl* control;  // registered with, and remembered by, this binding
        float value;        // the value the binding gave it,
        double normalized;  // standing for this parameter value
    };

    void show(Bound& bound);
    // The normalized parameter value a display's value stands for.
    double normalizedFor(const CControl* display, float value) const;
    void beginGesture();
    void endGesture();

    Steinberg::Vst::EditController& controller;
    Steinberg::Vst::Parameter& parameter;
    const std::thread::id uiThread;
    // Written by update() on any thread, taken up on the UI thread.
    std::atomic<double> recorded;
    std::atomic<bool> changePending{false};
    double shown;  // the value the controls show
    std::vector<Bound> controls;
    int openGestures = 0;
};

}  // namespace VSTGUI
