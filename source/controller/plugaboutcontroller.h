// The about box's sub-controller. It finds a text label and an on/off button
// among the views built inside the about box and, while the button is on,
// shows one line in the label: the plug-in's version, the format the host
// loaded it as and the architecture it runs on. While the button is off the
// label is empty.
//
// The views belong to the view tree; the sub-controller only listens to them.
// It listens to both as a view listener, so it forgets each one before it is
// deleted and never calls into a deleted view. The view tree owns the
// sub-controller and deletes it after the about box's views; it then leaves
// its edit controller's list.
#pragma once

#include <string>

#include "sdk/vst3/base/fstring.h"
#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "sdk/vstgui/lib/iviewlistener.h"
#include "sdk/vstgui/uidescription/icontroller.h"
#include "source/controller/architecturelabel.h"

namespace Steinberg::Vst {

// ControllerType supplies removeAboutController(PlugAboutController*).
template <class ControllerType>
class PlugAboutController : public VSTGUI::IController, public VSTGUI::ViewListenerAdapter {
public:
    // isAU: the host context offers IVst3ToAUWrapper.
    PlugAboutController(ControllerType* controller, bool isAU)
        : controller(controller),
          formatName(isAU ? "AU" : "VST3"),
          versionString("1.1.0"),
          architecture(architectureLabel(runningArchitecture())),
          extra1(""),
          extra2("")
    {
    }

    ~PlugAboutController() noexcept override
    {
        forgetTextLabel();
        forgetButton();
        if (controller)
            controller->removeAboutController(this);
    }

    PlugAboutController(const PlugAboutController&) = delete;
    PlugAboutController& operator=(const PlugAboutController&) = delete;

    // Called for each view built inside the about box. Views are recognised by
    // their class alone; the last label and the last button verified are used.
    VSTGUI::CView* verifyView(VSTGUI::CView* view, const VSTGUI::UIAttributes& /*attributes*/,
                              const VSTGUI::IUIDescription* /*description*/) override
    {
        if (!view)
            return nullptr;
        if (auto* label = dynamic_cast<VSTGUI::CTextLabel*>(view)) {
            forgetTextLabel();
            textLabel = label;
            textLabel->registerViewListener(this);
            textLabel->setText("");
        }
        if (auto* onOffButton = dynamic_cast<VSTGUI::COnOffButton*>(view)) {
            forgetButton();
            button = onOffButton;
            button->registerControlListener(this);
            button->registerViewListener(this);
            valueChanged(button);
        }
        return view;
    }

    // The button's value changed: the label shows the about text while it is on.
    void valueChanged(VSTGUI::CControl* control) override
    {
        if (!button || control != button)
            return;
        std::string text;
        if (button->getValue() != 0.f)
            text = utf8(versionString) + ", " + utf8(formatName) + " " + utf8(architecture) + " " +
                utf8(extra2) + " " + utf8(extra1);
        if (textLabel)
            textLabel->setText(text);
    }

    void viewWillDelete(VSTGUI::CView* view) override
    {
        if (view && view == textLabel)
            forgetTextLabel();
        if (view && view == button)
            forgetButton();
    }

private:
    static std::string utf8(String text)
    {
        text.toMultiByte(kCP_Utf8);
        return text.text8();
    }

    void forgetTextLabel()
    {
        if (!textLabel)
            return;
        textLabel->unregisterViewListener(this);
        textLabel = nullptr;
    }

    void forgetButton()
    {
        if (!button)
            return;
        button->unregisterControlListener(this);
        button->unregisterViewListener(this);
        button = nullptr;
    }

    ControllerType* controller;
    VSTGUI::COnOffButton* button = nullptr;
    VSTGUI::CTextLabel* textLabel = nullptr;
    String formatName;
    String versionString;
    String architecture;
    String extra1;
    String extra2;
};

}  // namespace Steinberg::Vst
