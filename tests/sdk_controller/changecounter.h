// A dependent that counts the change messages an object sends it.
#pragma once

#include "sdk/vst3/base/fobject.h"

namespace Steinberg::Vst::testing {

class ChangeCounter : public FObject {
public:
    // Registers with `watched` for as long as this counter lives.
    explicit ChangeCounter(FObject* watched) : watched(watched) { watched->addDependent(this); }
    ~ChangeCounter() override { watched->removeDependent(this); }

    void update(FUnknown* changedUnknown, int32 message) override
    {
        ++count;
        lastChanged = changedUnknown;
        lastMessage = message;
    }

    int count = 0;
    FUnknown* lastChanged = nullptr;
    int32 lastMessage = -1;

private:
    FObject* watched;
};

}  // namespace Steinberg::Vst::testing
