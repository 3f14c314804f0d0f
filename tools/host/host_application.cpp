#include "tools/host/host_application.h"

#include "tools/host/text.h"

namespace morvik::host {
using namespace Steinberg;

tresult HostApplication::getName(String128 name)
{
    if (!name)
        return kInvalidArgument;
    copyToString128(kName, name);
    return kResultOk;
}

tresult HostApplication::createInstance(TUID /*cid*/, TUID /*iid*/, void** obj)
{
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    return kResultFalse;
}

void* HostApplication::queryExtraInterface(const TUID iid)
{
    if (extraInterface && iidEqual(iid, *extraInterface))
        return static_cast<FUnknown*>(this);
    return nullptr;
}

}  // namespace morvik::host
