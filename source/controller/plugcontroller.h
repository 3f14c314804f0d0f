// The plug-in's edit controller: registers the eight parameters and follows the
// processor's saved state. Everything else a host asks comes from EditController.
#pragma once

#include <vector>

#include "sdk/vst3/controller/editcontroller.h"

namespace Steinberg::Vst {

template <class ControllerType>
class PlugAboutController;

class PlugController : public EditController {
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

    // The about boxes that exist now, in creation order. Not owned: each one
    // belongs to its editor's view tree and removes itself when it goes.
    void addAboutController(AboutController* aboutController);
    // Removes the first entry equal to the pointer; an unknown one changes nothing.
    void removeAboutController(AboutController* aboutController);
    const std::vector<AboutController*>& getAboutControllers() const { return aboutControllers; }

private:
    void registerParameters();

    std::vector<AboutController*> aboutControllers;
};

}  // namespace Steinberg::Vst
