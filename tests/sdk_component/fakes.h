// Host-side objects for the component tests; each counts the references it is given.
#pragma once

#include "sdk/vst3/interfaces/connection.h"

namespace Steinberg::Vst::Test {

// Implements FUnknown's reference counting for a fake; the test owns the first reference.
template <class Interface>
class Counted : public Interface {
public:
    tresult queryInterface(const TUID iid, void** obj) override
    {
        if (!obj)
            return kInvalidArgument;
        if (iidEqual(iid, FUnknown::iid) || iidEqual(iid, Interface::iid)) {
            addRef();
            *obj = this;
            return kResultOk;
        }
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 addRef() override { return ++references; }
    uint32 release() override { return --references; }

    uint32 references = 1;
};

using HostContext = Counted<FUnknown>;

class Peer : public Counted<IConnectionPoint> {
public:
    tresult connect(IConnectionPoint*) override { return kResultOk; }
    tresult disconnect(IConnectionPoint*) override { return kResultOk; }
    tresult notify(IMessage*) override { return kResultFalse; }
};

}  // namespace Steinberg::Vst::Test
