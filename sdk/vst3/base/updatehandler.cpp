#include "sdk/vst3/base/updatehandler.h"

#include <algorithm>

namespace Steinberg {

namespace {
// Set once the handler has been destroyed at unload, so late callers get null
// instead of a dead object. Constant-initialized, so it is valid at any time.
bool handlerDestroyed = false;
}  // namespace

UpdateHandler::~UpdateHandler()
{
    handlerDestroyed = true;
}

UpdateHandler* UpdateHandler::instance()
{
    if (handlerDestroyed)
        return nullptr;
    static UpdateHandler handler;
    return &handler;
}

void UpdateHandler::addDependent(FUnknown* object, IDependent* dep)
{
    if (!object || !dep)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    auto& list = dependents[object];
    if (std::find(list.begin(), list.end(), dep) != list.end())
        return;
    list.push_back(dep);
    ++registrations[dep];
}

void UpdateHandler::removeDependent(FUnknown* object, IDependent* dep)
{
    if (!object || !dep)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    removeDependentLocked(object, dep);
}

void UpdateHandler::removeDependentLocked(FUnknown* object, IDependent* dep)
{
    auto it = dependents.find(object);
    if (it == dependents.end())
        return;
    auto& list = it->second;
    auto found = std::find(list.begin(), list.end(), dep);
    if (found == list.end())
        return;
    list.erase(found);
    if (list.empty())
        dependents.erase(it);
    auto count = registrations.find(dep);
    if (count != registrations.end() && --count->second == 0)
        registrations.erase(count);
}

bool UpdateHandler::isRegisteredLocked(FUnknown* object, IDependent* dep) const
{
    auto it = dependents.find(object);
    if (it == dependents.end())
        return false;
    return std::find(it->second.begin(), it->second.end(), dep) != it->second.end();
}

void UpdateHandler::triggerUpdates(FUnknown* object, int32 message)
{
    if (!object)
        return;
    std::vector<IDependent*> snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto it = dependents.find(object);
        if (it == dependents.end())
            return;
        snapshot = it->second;
    }
    for (IDependent* dep : snapshot) {
        // An FObject dependent is held while its update() runs: another thread
        // may let go of it meanwhile, and whoever lets go last destroys it.
        struct Hold {
            FObject* object = nullptr;
            ~Hold()
            {
                if (object)
                    object->FObject::release();
            }
        } hold;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!isRegisteredLocked(object, dep))
                continue;
            // Registered, so not yet forgotten: alive, or at count 0 and about to be forgotten.
            hold.object = dynamic_cast<FObject*>(dep);
            if (hold.object && !addRefUnlessDying(*hold.object)) {
                hold.object = nullptr;
                continue;
            }
        }
        dep->update(object, message);
    }
}

bool UpdateHandler::addRefUnlessDying(FObject& object)
{
    int32 count = object.refCount.load(std::memory_order_relaxed);
    while (count > 0)
        if (object.refCount.compare_exchange_weak(count, count + 1, std::memory_order_acquire,
                                                  std::memory_order_relaxed))
            return true;
    return false;
}

void UpdateHandler::deferUpdates(FUnknown* object, int32 message)
{
    deferUpdates(object, message, nullptr);
}

void UpdateHandler::deferUpdates(FUnknown* object, int32 message, FObject* owner)
{
    if (!object)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    for (Deferred& entry : deferred) {
        if (entry.object == object && entry.message == message) {
            if (owner)
                entry.owner = owner;
            return;
        }
    }
    deferred.push_back(Deferred{object, message, owner, nextSequence++});
}

void UpdateHandler::triggerDeferedUpdates(FUnknown* object)
{
    std::uint64_t end;
    {
        std::lock_guard<std::mutex> lock(mutex);
        end = nextSequence;  // only what is queued now
    }
    for (;;) {
        Deferred entry{};
        bool hold = false;
        {
            std::lock_guard<std::mutex> lock(mutex);
            auto it = std::find_if(deferred.begin(), deferred.end(), [&](const Deferred& d) {
                return d.sequence < end && (object == nullptr || d.object == object);
            });
            if (it == deferred.end())
                return;
            entry = *it;
            deferred.erase(it);
            // The entry is still queued, so its FObject has not been forgotten: it is
            // alive. Keep it so while its dependents run.
            hold = entry.owner && addRefUnlessDying(*entry.owner);
        }
        triggerUpdates(entry.object, entry.message);
        if (entry.owner && hold) {
            entry.owner->updateDone(entry.message);
            entry.owner->FObject::release();
        }
    }
}

void UpdateHandler::cancelUpdates(FUnknown* object)
{
    if (!object)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    std::erase_if(deferred, [&](const Deferred& d) { return d.object == object; });
}

void UpdateHandler::removeObject(FUnknown* object)
{
    if (!object)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    removeObjectLocked(object);
}

void UpdateHandler::removeObjectLocked(FUnknown* object)
{
    auto it = dependents.find(object);
    if (it != dependents.end()) {
        for (IDependent* dep : it->second) {
            auto count = registrations.find(dep);
            if (count != registrations.end() && --count->second == 0)
                registrations.erase(count);
        }
        dependents.erase(it);
    }
    std::erase_if(deferred, [&](const Deferred& d) { return d.object == object; });
}

void UpdateHandler::removeDependentEverywhere(IDependent* dep)
{
    if (!dep)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    removeDependentEverywhereLocked(dep);
}

void UpdateHandler::removeDependentEverywhereLocked(IDependent* dep)
{
    if (registrations.find(dep) == registrations.end())
        return;
    for (auto it = dependents.begin(); it != dependents.end();) {
        auto& list = it->second;
        list.erase(std::remove(list.begin(), list.end(), dep), list.end());
        if (list.empty())
            it = dependents.erase(it);
        else
            ++it;
    }
    registrations.erase(dep);
}

void UpdateHandler::forgetFObject(FObject* object)
{
    std::lock_guard<std::mutex> lock(mutex);
    removeObjectLocked(object->unknownCast());
    removeDependentEverywhereLocked(static_cast<IDependent*>(object));
    // Deferred entries that name it only as their owner (queued through the
    // handler under another identity) must not reach it either.
    for (Deferred& entry : deferred)
        if (entry.owner == object)
            entry.owner = nullptr;
}

std::size_t UpdateHandler::countDependents(FUnknown* object) const
{
    std::lock_guard<std::mutex> lock(mutex);
    auto it = dependents.find(object);
    return it == dependents.end() ? 0 : it->second.size();
}

std::size_t UpdateHandler::countDeferredUpdates(FUnknown* object) const
{
    std::lock_guard<std::mutex> lock(mutex);
    if (object == nullptr)
        return deferred.size();
    return static_cast<std::size_t>(std::count_if(deferred.begin(), deferred.end(),
                                                  [&](const Deferred& d) { return d.object == object; }));
}

}  // namespace Steinberg
