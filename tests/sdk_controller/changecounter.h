// A dependent that counts the change messages an object sends it.
#pragma once

#include "sdk/vst3/base/fobject.h"

namespace morvik::testing {

class ChangeCounter : public Steinberg::FObject {
public:
    // Registers with `watched` for as long as this counter lives.
    explicit ChangeCounter(Steinberg::FObject* watched) : watched(watched) { watched->addDependent(this); }
    ~ChangeCounter() override { watched->removeDependent(this); }

    void update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) override
    {
        ++count;
        lastChanged = changedUnknown;
        lastMessage = message;
    }

    int count = 0;
    Steinberg::FUnknown* lastChanged = nullptr;
    Steinberg::int32 lastMessage = -1;

private:
    Steinberg::FObject* watched;
};

}  // namespace morvik::testing
