// The host-side objects of unit tests live on the test's stack: this gives one
// FUnknown for all of them, counting the references it is given (the test owns
// the first) without ever deleting itself, so a test can check them.
// Objects a plug-in may keep after the test's scope use tools/host's ComObject.
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace morvik::testing {

template <class Interface>
class Counted : public Interface {
public:
    Steinberg::tresult queryInterface(const Steinberg::TUID iid, void** obj) override
    {
        if (!obj)
            return Steinberg::kInvalidArgument;
        if (Steinberg::iidEqual(iid, Steinberg::FUnknown::iid) || Steinberg::iidEqual(iid, Interface::iid)) {
            addRef();
            *obj = this;
            return Steinberg::kResultOk;
        }
        *obj = nullptr;
        return Steinberg::kNoInterface;
    }
    Steinberg::uint32 addRef() override { return ++references; }
    Steinberg::uint32 release() override { return --references; }

    Steinberg::uint32 references = 1;
};

}  // namespace morvik::testing
