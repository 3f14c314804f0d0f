// The product's two class identifiers. They are fixed forever: hosts store them
// in their projects to find the plug-in again.
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg::Vst {

inline constexpr FUID PlugProcessorUID{0xC31BFA71, 0xFA8C4299, 0xAE0DCA96, 0xB97EA2A5};
inline constexpr FUID PlugControllerUID{0x47563D15, 0x2D94441E, 0xAD568A26, 0x73EE812B};

}  // namespace Steinberg::Vst
