#include "sdk/vstgui/plugin-bindings/parameterbinding.h"

#include <algorithm>

#include "sdk/vst3/base/fstring.h"
#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"

namespace VSTGUI {

using namespace Steinberg;
using namespace Steinberg::Vst;

ParameterBinding::ParameterBinding(EditController& controller, Parameter& parameter)
    : controller(controller),
      parameter(parameter),
      uiThread(std::this_thread::get_id()),
      recorded(parameter.getNormalized()),
      shown(recorded.load())
{
    parameter.addRef();
    parameter.addDependent(this);
}

ParameterBinding::~ParameterBinding() noexcept
{
    removeAllControls();
    parameter.removeDependent(this);
    parameter.release();
}

void ParameterBinding::addControl(CControl* control)
{
    if (!control || std::any_of(controls.begin(), controls.end(), [control](const Bound& bound) {
            return bound.control == control;
        }))
        return;
    control->remember();
    control->registerControlListener(this);
    if (controls.empty())
        DeferredUpdates::addClient(*this);
    controls.push_back(Bound{control, control->getValue(), shown});
    if (auto* display = dynamic_cast<CParamDisplay*>(control);
        display && !dynamic_cast<CTextLabel*>(control)) {
        display->setValueToStringFunction([this](float value, std::string& text, CParamDisplay* shownBy) {
            text = valueText(normalizedFor(shownBy, value));
            return true;
        });
    }
    show(controls.back());
}

void ParameterBinding::removeAllControls()
{
    if (controls.empty())
        return;
    DeferredUpdates::removeClient(*this);
    std::vector<Bound> bound;
    bound.swap(controls);
    for (const Bound& entry : bound) {
        entry.control->unregisterControlListener(this);
        if (auto* display = dynamic_cast<CParamDisplay*>(entry.control))
            display->setValueToStringFunction(nullptr);
        entry.control->forget();
    }
    // A gesture still open when the editor closes is ended for the host.
    while (openGestures > 0)
        endGesture();
}

std::string ParameterBinding::valueText(double normalized) const
{
    String128 text{};
    controller.getParamStringByValue(getParameterId(), normalized, text);
    std::string result = utf16ToUtf8(text);
    const std::string units = utf16ToUtf8(parameter.getInfo().units);
    if (!units.empty())
        result += " " + units;
    return result;
}

double ParameterBinding::normalizedFor(const CControl* display, float value) const
{
    // The value the binding gave the display stands for the parameter's own
    // double, which the float may not hold exactly: the text is the host's.
    for (const Bound& bound : controls)
        if (bound.control == display && bound.value == value)
            return bound.normalized;
    const double range = static_cast<double>(display->getMax()) - display->getMin();
    return range != 0. ? (value - static_cast<double>(display->getMin())) / range : 0.;
}

void ParameterBinding::show(Bound& bound)
{
    CControl* control = bound.control;
    const float before = control->getValue();
    const double shownBefore = bound.normalized;
    control->setValueNormalized(static_cast<float>(shown));
    bound.value = control->getValue();
    bound.normalized = shown;
    if (auto* label = dynamic_cast<CTextLabel*>(control))
        label->setText(valueText(shown));
    // A display's text may change with the double alone.
    if (bound.value != before || bound.normalized != shownBefore)
        control->invalid();
}

void ParameterBinding::update(FUnknown* /*changedUnknown*/, int32 message)
{
    if (message != IDependent::kChanged)
        return;
    // Any thread: record only. Views belong to the UI thread.
    recorded.store(parameter.getNormalized(), std::memory_order_relaxed);
    changePending.store(true, std::memory_order_release);
    if (std::this_thread::get_id() == uiThread)
        takeUpChanges();
}

void ParameterBinding::takeUpChanges()
{
    if (!changePending.exchange(false, std::memory_order_acquire))
        return;
    shown = recorded.load(std::memory_order_relaxed);
    for (Bound& bound : controls)
        show(bound);
}

void ParameterBinding::beginGesture()
{
    if (openGestures++ == 0)
        controller.beginEdit(getParameterId());
}

void ParameterBinding::endGesture()
{
    if (openGestures > 0 && --openGestures == 0)
        controller.endEdit(getParameterId());
}

void ParameterBinding::controlBeginEdit(CControl* /*control*/)
{
    beginGesture();
}

void ParameterBinding::controlEndEdit(CControl* /*control*/)
{
    endGesture();
}

void ParameterBinding::valueChanged(CControl* control)
{
    // A value set outside a gesture still reaches the host as one whole edit.
    const bool wrap = openGestures == 0;
    if (wrap)
        beginGesture();
    const ParamID id = getParameterId();
    controller.setParamNormalized(id, control->getValueNormalized());
    controller.performEdit(id, controller.getParamNormalized(id));
    if (wrap)
        endGesture();
}

}  // namespace VSTGUI
