// The host context handed to initialize().
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg::Vst {

class IHostApplication : public FUnknown {
public:
    virtual tresult getName(String128 name) = 0;
    virtual tresult createInstance(TUID cid, TUID iid, void** obj) = 0;

    static constexpr FUID iid{0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5};
};

// Marker interface that an Audio Unit wrapper's host context offers; it has no methods.
class IVst3ToAUWrapper : public FUnknown {
public:
    static constexpr FUID iid{0xA3B8C6C5, 0xC0954688, 0xB0916F0B, 0xB697AA44};
};

}  // namespace Steinberg::Vst
