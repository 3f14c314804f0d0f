// A shared object that is no VST 3 module: it has a factory but no entry or exit.
#include "sdk/vst3/interfaces/pluginfactory.h"

extern "C" __attribute__((visibility("default"))) Steinberg::IPluginFactory* GetPluginFactory()
{
    return nullptr;
}
