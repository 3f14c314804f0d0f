// Content scaling of an editor: the host tells the view how many physical
// pixels make one of its logical pixels (2 on a HiDPI screen).
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg {

class IPlugViewContentScaleSupport : public FUnknown {
public:
    using ScaleFactor = float;

    // Hosts call it before asking for the size; the view then reports, and draws
    // at, the scaled size.
    virtual tresult setContentScaleFactor(ScaleFactor factor) = 0;

    static constexpr FUID iid{0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F};
};

}  // namespace Steinberg
