// Host-side objects for the component tests; each counts the references it is given.
#pragma once

#include "sdk/vst3/interfaces/connection.h"
#include "tests/support/counted.h"

namespace morvik::testing {

using HostContext = Counted<Steinberg::FUnknown>;

class Peer : public Counted<Steinberg::Vst::IConnectionPoint> {
public:
    Steinberg::tresult connect(Steinberg::Vst::IConnectionPoint*) override { return Steinberg::kResultOk; }
    Steinberg::tresult disconnect(Steinberg::Vst::IConnectionPoint*) override { return Steinberg::kResultOk; }
    Steinberg::tresult notify(Steinberg::Vst::IMessage*) override { return Steinberg::kResultFalse; }
};

}  // namespace morvik::testing
