// First interface of every component: set-up with the host context and teardown.
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg {

class IPluginBase : public FUnknown {
public:
    virtual tresult initialize(FUnknown* context) = 0;
    virtual tresult terminate() = 0;

    static constexpr FUID iid{0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625};
};

}  // namespace Steinberg
