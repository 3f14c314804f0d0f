#include "sdk/vst3/component/componentbase.h"

namespace Steinberg::Vst {

ComponentBase::~ComponentBase()
{
    releasePeer();
    releaseHostContext();
}

tresult ComponentBase::initialize(FUnknown* context)
{
    if (initialized)
        return kResultFalse;
    if (context)
        context->addRef();
    hostContext = context;
    initialized = true;
    return kResultOk;
}

tresult ComponentBase::terminate()
{
    releasePeer();
    releaseHostContext();
    initialized = false;
    return kResultOk;
}

tresult ComponentBase::connect(IConnectionPoint* other)
{
    if (!other)
        return kInvalidArgument;
    if (peerConnection)
        return kResultFalse;
    other->addRef();
    peerConnection = other;
    return kResultOk;
}

tresult ComponentBase::disconnect(IConnectionPoint* other)
{
    if (!other)
        return kInvalidArgument;
    if (other != peerConnection)
        return kResultFalse;
    releasePeer();
    return kResultOk;
}

tresult ComponentBase::notify(IMessage* message)
{
    return message ? kResultFalse : kInvalidArgument;
}

tresult ComponentBase::queryInterface(const TUID iid, void** obj)
{
    if (queryOwnInterface<IPluginBase>(iid, obj, this) || queryOwnInterface<IConnectionPoint>(iid, obj, this))
        return kResultOk;
    return FObject::queryInterface(iid, obj);
}

void ComponentBase::releaseHostContext()
{
    // Cleared before the release, so a context that calls back into us sees no stale pointer.
    if (FUnknown* context = hostContext) {
        hostContext = nullptr;
        context->release();
    }
}

void ComponentBase::releasePeer()
{
    if (IConnectionPoint* peer = peerConnection) {
        peerConnection = nullptr;
        peer->release();
    }
}

}  // namespace Steinberg::Vst
