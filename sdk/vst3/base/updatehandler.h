// UpdateHandler: the process-wide table of who depends on which object, and the
// queue of deferred change messages.
//
// Meant for the main (UI) thread. Its tables are guarded by a mutex, but that
// mutex is never held while a dependent's update() runs, so update() may add or
// remove dependents, queue or trigger updates, or release objects.
//
// Delivery rules:
// - triggerUpdates(object, msg) calls update(object, msg) on the dependents that
//   were registered when it started, in registration order, each only if it is
//   still registered at the moment of its call (a dependent removed during the
//   delivery - or destroyed, which removes it - is skipped). Dependents added
//   during the delivery get the next message.
// - deferUpdates(object, msg) queues the message; the same (object, msg) pair
//   already queued is not queued twice. triggerDeferedUpdates() delivers, in the
//   order queued, the messages that were queued when it started (messages queued
//   while it runs wait for the next trigger), removing each from the queue.
// - Objects and dependents are not owned; no references are taken, except that
//   an FObject is kept alive (one reference) while its own change message is
//   being delivered, and an FObject dependent while its update() runs (so a
//   dependent that another thread releases meanwhile dies after its update()).
// - An FObject that dies is forgotten automatically (its dependents, its deferred
//   messages, and its registrations as a dependent). Any other object or
//   dependent must be removed before it dies: removeObject(object) /
//   removeDependentEverywhere(dep) do that in one call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "sdk/vst3/base/fobject.h"

namespace Steinberg {

class UpdateHandler {
public:
    // The one instance, created on first use and destroyed when the module is
    // unloaded; null from then on, so objects destroyed later skip unregistering.
    static UpdateHandler* instance();

    // Registers `dep` for messages of `object` (once; a second call does nothing).
    // Null arguments are ignored.
    void addDependent(FUnknown* object, IDependent* dep);
    // Unregisters `dep` from `object`; safe during delivery.
    void removeDependent(FUnknown* object, IDependent* dep);
    // Delivers update(object, message) to the dependents of `object` now.
    void triggerUpdates(FUnknown* object, int32 message);
    // Queues update(object, message) for triggerDeferedUpdates.
    void deferUpdates(FUnknown* object, int32 message);
    // Delivers and clears the deferred messages: all of them, or only those of `object`.
    void triggerDeferedUpdates(FUnknown* object = nullptr);
    // Drops the deferred messages of `object` without delivering them.
    void cancelUpdates(FUnknown* object);

    // Forgets `object` entirely: its dependents and its deferred messages.
    void removeObject(FUnknown* object);
    // Unregisters `dep` from every object.
    void removeDependentEverywhere(IDependent* dep);

    // Inspection (mainly for tests).
    std::size_t countDependents(FUnknown* object) const;
    std::size_t countDeferredUpdates(FUnknown* object = nullptr) const;

    UpdateHandler(const UpdateHandler&) = delete;
    UpdateHandler& operator=(const UpdateHandler&) = delete;

private:
    friend class FObject;
    UpdateHandler() = default;
    ~UpdateHandler();

    struct Deferred {
        FUnknown* object;
        int32 message;
        FObject* owner;  // set when queued by FObject::deferUpdate: gets updateDone()
        std::uint64_t sequence;
    };

    // FObject::deferUpdate: like deferUpdates, and owner->updateDone(msg) follows delivery.
    void deferUpdates(FUnknown* object, int32 message, FObject* owner);
    // Forgets an FObject that is dying, as an object and as a dependent.
    void forgetFObject(FObject* object);
    // Adds a reference unless the count is already 0 (the object is being destroyed).
    static bool addRefUnlessDying(FObject& object);
    bool isRegisteredLocked(FUnknown* object, IDependent* dep) const;
    void removeDependentLocked(FUnknown* object, IDependent* dep);
    void removeObjectLocked(FUnknown* object);
    void removeDependentEverywhereLocked(IDependent* dep);

    mutable std::mutex mutex;
    std::unordered_map<FUnknown*, std::vector<IDependent*>> dependents;
    // How many objects each dependent is registered with (so removing a dependent
    // that is registered nowhere - the common case on destruction - costs nothing).
    std::unordered_map<IDependent*, std::size_t> registrations;
    std::deque<Deferred> deferred;
    std::uint64_t nextSequence = 0;
};

}  // namespace Steinberg
