#include "sdk/vst3/base/fobject.h"

#include "sdk/vst3/base/updatehandler.h"

namespace Steinberg {

FObject::~FObject()
{
    forgetInUpdateHandler();
}

void FObject::forgetInUpdateHandler()
{
    if (UpdateHandler* handler = UpdateHandler::instance())
        handler->forgetFObject(this);
}

tresult FObject::queryInterface(const TUID iid, void** obj)
{
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(iid, FUnknown::iid) || iidEqual(iid, IDependent::iid)) {
        addRef();
        *obj = static_cast<void*>(static_cast<IDependent*>(this));
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

uint32 FObject::addRef()
{
    return static_cast<uint32>(refCount.fetch_add(1, std::memory_order_relaxed) + 1);
}

uint32 FObject::release()
{
    const int32 previous = refCount.fetch_sub(1, std::memory_order_acq_rel);
    if (previous == 1) {
        // Forget before any destructor runs, so nothing reaches a half-destroyed object.
        forgetInUpdateHandler();
        delete this;
        return 0;
    }
    return static_cast<uint32>(previous - 1);
}

int32 FObject::getRefCount()
{
    return refCount.load(std::memory_order_relaxed);
}

void FObject::addDependent(IDependent* dep)
{
    if (UpdateHandler* handler = UpdateHandler::instance())
        handler->addDependent(unknownCast(), dep);
}

void FObject::removeDependent(IDependent* dep)
{
    if (UpdateHandler* handler = UpdateHandler::instance())
        handler->removeDependent(unknownCast(), dep);
}

void FObject::changed(int32 msg)
{
    // Keep this object alive while its dependents run (one of them may drop the
    // last reference). Not while it is already being destroyed (count 0).
    // The guard also gives the reference back when a dependent throws.
    struct KeepAlive {
        FObject* object;
        explicit KeepAlive(FObject* self)
            : object(self->refCount.load(std::memory_order_acquire) > 0 ? self : nullptr)
        {
            if (object)
                object->FObject::addRef();
        }
        ~KeepAlive()
        {
            if (object)
                object->FObject::release();
        }
        KeepAlive(const KeepAlive&) = delete;
        KeepAlive& operator=(const KeepAlive&) = delete;
    } keepAlive(this);
    if (UpdateHandler* handler = UpdateHandler::instance())
        handler->triggerUpdates(unknownCast(), msg);
    updateDone(msg);
}

void FObject::deferUpdate(int32 msg)
{
    if (UpdateHandler* handler = UpdateHandler::instance())
        handler->deferUpdates(unknownCast(), msg, this);
}

}  // namespace Steinberg
