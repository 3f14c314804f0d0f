// The plug-in's edit controller: registers the eight parameters, follows the
// processor's saved state, opens the editor described by "plug.uidesc" and
// creates its about box. Everything else a host asks comes from EditController.
#pragma once

#include <vector>

#include "sdk/vst3/controller/editcontroller.h"
#include "sdk/vstgui/plugin-bindings/vst3editordelegate.h"

namespace Steinberg::Vst {

template <class ControllerType>
class PlugAboutController;

class PlugController : public EditController, public VSTGUI::VST3EditorDelegate {
public:
    using AboutController = PlugAboutController<PlugController>;

    // The factory's create function: a new controller as its IEditController
    // (one reference, passed to the caller). Short of memory it throws
    // std::bad_alloc, which the factory answers with kOutOfMemory.
    static FUnknown* createInstance(void* context);

    // Registers the parameters on the first call; a second one (before
    // terminate) registers nothing and still succeeds.
    tresult initialize(FUnknown* context) override;
    // Reads the processor's state record; a stream that does not hold a whole
    // record answers kResultFalse and changes no parameter. A NaN entry sets the
    // processor's default, which is what the processor runs for it.
    tresult setComponentState(IBStream* state) override;
    // "editor" opens a new editor on the template "view" of "plug.uidesc" and
    // sets the process-wide knob mode to linear; any other name, or a
    // description that cannot be used, answers null.
    IPlugView* createView(FIDString name) override;
    // "AboutController" creates the about box's sub-controller, which the view
    // tree owns; any other name answers null.
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description) override;

    // The about boxes that exist now, in creation order. Not owned: each one
    // belongs to its editor's view tree and removes itself when it goes.
    void addAboutController(AboutController* aboutController);
    // Removes the first entry equal to the pointer; an unknown one changes nothing.
    void removeAboutController(AboutController* aboutController);
    const std::vector<AboutController*>& getAboutControllers() const { return aboutControllers; }

private:
    void registerParameters();
    // Whether the host context is the Audio Unit wrapper's.
    bool hostIsAudioUnitWrapper() const;

    std::vector<AboutController*> aboutControllers;
};

}  // namespace Steinberg::Vst
