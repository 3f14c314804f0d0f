// Names the processor architecture the plug-in's code runs on, for the about box.
//
// The code runs natively: a Linux process is never translated between
// architectures behind its back, so the architecture is the one the code was
// built for. The label names it together with the platform.
#pragma once

namespace Steinberg::Vst {

enum class ProcessorArchitecture { x86_64, arm64, unknown };

// The architecture this build of the plug-in runs on.
ProcessorArchitecture runningArchitecture();

// "x86_64-Linux", "arm64-Linux" or "unknown".
const char* architectureLabel(ProcessorArchitecture architecture);

}  // namespace Steinberg::Vst
