#include "sdk/vstgui/plugin-bindings/parameterbinding.h"

#include <algorithm>

#include "sdk/vst3/base/fstring.h"
#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"

namespace VSTGUI {

using namespace Steinberg;
using namespace Steinberg::Vst;

ParameterBinding::ParameterBinding(EditController& controller, Parameter& parameter)
    : controller(controller), parameter(parameter)
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
    if (!control || std::find(controls.begin(), controls.end(), control) != controls.end())
        return;
    control->remember();
    control->registerControlListener(this);
    controls.push_back(control);
    if (auto* display = dynamic_cast<CParamDisplay*>(control);
        display && !dynamic_cast<CTextLabel*>(control)) {
        display->setValueToStringFunction([this](float value, std::string& text, CParamDisplay* shown) {
            const float range = shown->getMax() - shown->getMin();
            text = valueText(range != 0.f ? (value - shown->getMin()) / range : 0.);
            return true;
        });
    }
    showValue(control);
}

void ParameterBinding::removeAllControls()
{
    std::vector<CControl*> bound;
    bound.swap(controls);
    for (CControl* control : bound) {
        control->unregisterControlListener(this);
        if (auto* display = dynamic_cast<CParamDisplay*>(control))
            display->setValueToStringFunction(nullptr);
        control->forget();
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

void ParameterBinding::showValue(CControl* control)
{
    const double normalized = parameter.getNormalized();
    const float before = control->getValue();
    control->setValueNormalized(static_cast<float>(normalized));
    if (auto* label = dynamic_cast<CTextLabel*>(control))
        label->setText(valueText(normalized));
    if (control->getValue() != before)
        control->invalid();
}

void ParameterBinding::update(FUnknown* /*changedUnknown*/, int32 message)
{
    if (message != IDependent::kChanged)
        return;
    for (CControl* control : std::vector<CControl*>(controls))
        showValue(control);
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
