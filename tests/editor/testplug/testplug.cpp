// A small plug-in for the editor tests: a controller with an on/off parameter
// and a level parameter, whose editor is built from editortest.uidesc. It has
// no processor; the editor runner opens a controller-only bundle as it is.
//
// Its custom view "StepControl" (bound to the level) steps its value by a
// tenth for each wheel notch and each arrow key, as one edit each, so the
// tests see wheel and key input arrive as edits. The on/off button belongs to
// the sub-controller "ButtonGroup", which is its listener, so its edits reach
// the host through its parameter binding alone.
#include <cstring>

#include "sdk/vst3/controller/editcontroller.h"
#include "sdk/vst3/factory/pluginfactory.h"
#include "sdk/vstgui/lib/cdrawcontext.h"
#include "sdk/vstgui/lib/cframe.h"
#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/plugin-bindings/vst3editor.h"
#include "sdk/vstgui/uidescription/uiattributes.h"

namespace editortest {
using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr ParamID kPowerId = 0;
constexpr ParamID kLevelId = 1;
const FUID kControllerUID(0x5E7D1C42, 0x0B6F4A11, 0x9C3D8E27, 0x61A4F0B5);

class StepControl : public VSTGUI::CControl {
public:
    using CControl::CControl;
    CView* newCopy() const override { return new StepControl(*this); }

    void draw(VSTGUI::CDrawContext* context) override
    {
        VSTGUI::CRect bar = getViewSize();
        bar.setWidth(bar.getWidth() * getValueNormalized());
        context->setFillColor(VSTGUI::CColor(0x40, 0x90, 0xf0));
        context->drawRect(bar, VSTGUI::kDrawFilled);
        setDirty(false);
    }
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint&, const VSTGUI::CButtonState&) override
    {
        if (auto* frame = getFrame())
            frame->setFocusView(this);
        return VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    bool onWheel(const VSTGUI::CPoint&, const float& distance, const VSTGUI::CButtonState&) override
    {
        step(distance);
        return true;
    }
    int32_t onKeyDown(VSTGUI::VstKeyCode& key) override
    {
        if (key.virt == VSTGUI::VKEY_UP || key.virt == VSTGUI::VKEY_RIGHT)
            step(1.f);
        else if (key.virt == VSTGUI::VKEY_DOWN || key.virt == VSTGUI::VKEY_LEFT)
            step(-1.f);
        else
            return -1;
        return 1;
    }

private:
    void step(float notches)
    {
        beginEdit();
        setValueNormalized(getValueNormalized() + notches * 0.1f);
        invalid();
        valueChanged();
        endEdit();
    }
};

class ButtonGroup : public VSTGUI::IController {
public:
    void valueChanged(VSTGUI::CControl*) override {}
};

class TestController : public EditController, public VSTGUI::VST3EditorDelegate {
public:
    static FUnknown* createInstance(void*) { return static_cast<IEditController*>(new TestController); }

    tresult initialize(FUnknown* context) override
    {
        if (EditController::initialize(context) != kResultOk)
            return kResultOk;
        parameters.addParameter(u"Power", nullptr, 1, 0., ParameterInfo::kCanAutomate, kPowerId);
        auto* level = new RangeParameter(u"Level", kLevelId, u"dB", -40., 0., -20.);
        level->setPrecision(2);
        parameters.addParameter(level);
        return kResultOk;
    }

    IPlugView* createView(FIDString name) override
    {
        if (!name)
            return nullptr;
        if (std::strcmp(name, "editor") == 0)
            return new VSTGUI::VST3Editor(this, "view", "editortest.uidesc");
        // Editors whose description cannot be used.
        if (std::strcmp(name, "missing-file") == 0)
            return new VSTGUI::VST3Editor(this, "view", "missing.uidesc");
        if (std::strcmp(name, "missing-template") == 0)
            return new VSTGUI::VST3Editor(this, "no-such-template", "editortest.uidesc");
        return nullptr;
    }

    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription*) override
    {
        return name && std::strcmp(name, "ButtonGroup") == 0 ? new ButtonGroup : nullptr;
    }

    VSTGUI::CView* createCustomView(VSTGUI::UTF8StringPtr name, const VSTGUI::UIAttributes& attributes,
                                    const VSTGUI::IUIDescription*) override
    {
        VSTGUI::CPoint origin;
        VSTGUI::CPoint size;
        if (std::strcmp(name, "StepControl") != 0 || !attributes.getPointAttribute("origin", origin) ||
            !attributes.getPointAttribute("size", size))
            return nullptr;
        return new StepControl(VSTGUI::CRect(origin, size), nullptr, static_cast<int32_t>(kLevelId));
    }
};

}  // namespace editortest

extern "C" __attribute__((visibility("default"))) Steinberg::IPluginFactory* GetPluginFactory()
{
    using namespace Steinberg;
    static PFactoryInfo info = [] {
        PFactoryInfo result{};
        std::strcpy(result.vendor, "Editor Test");
        result.flags = PFactoryInfo::kUnicode;
        return result;
    }();
    static PClassInfo2 controllerClass = [] {
        PClassInfo2 result{};
        editortest::kControllerUID.toTUID(result.cid);
        result.cardinality = PClassInfo::kManyInstances;
        std::strcpy(result.category, "Component Controller Class");
        std::strcpy(result.name, "Editor Test Controller");
        return result;
    }();
    auto* factory = new CPluginFactory(info);
    factory->registerClass(&controllerClass, editortest::TestController::createInstance);
    return factory;
}
