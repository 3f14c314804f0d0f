// FObject: the reference-counted base of the SDK helper classes, with class-name
// queries and change notification of dependents through the UpdateHandler.
//
// ---------------------------------------------------------------------------
// Declaring a subclass's class name (no macros)
// ---------------------------------------------------------------------------
// Derive through FClass<"Name", Base>. It supplies getFClassID(), isA() and
// isTypeOf() for the new class and inherits Base's constructors:
//
//     class Parameter : public FClass<"Parameter", FObject> { ... };
//     class RangeParameter : public FClass<"RangeParameter", Parameter> {
//     public:
//         RangeParameter(int x) : FClass(x) {}   // FClass names the direct base
//     };
//
//     p->isA()                              -> "RangeParameter"
//     p->isA("RangeParameter")              -> true   (exact class only, as in the SDK)
//     p->isA("Parameter")                   -> false
//     p->isTypeOf("Parameter")              -> true   (this class or any base)
//     p->isTypeOf("Parameter", false)       -> false  (exact class only)
//     FCast<Parameter>(object)              -> object as Parameter*, or nullptr
//
// If a class cannot use FClass, write these four members by hand (the
// "3-override pattern" plus the static name):
//
//     static FClassID getFClassID() { return "MyClass"; }
//     FClassID isA() const override { return getFClassID(); }
//     bool isA(FClassID s) const override { return isTypeOf(s, false); }
//     bool isTypeOf(FClassID s, bool askBaseClass = true) const override
//     {
//         return classIDsEqual(s, getFClassID()) || (askBaseClass && MyBase::isTypeOf(s, true));
//     }
//
// ---------------------------------------------------------------------------
// Implementing extra interfaces
// ---------------------------------------------------------------------------
// A class that derives from FObject and from further interfaces (each of which is
// an FUnknown) must give the three FUnknown methods a single final overrider, and
// answers its own interfaces before handing the query to its base:
//
//     class ComponentBase : public FClass<"ComponentBase", FObject>, public IPluginBase,
//                           public IConnectionPoint {
//     public:
//         tresult queryInterface(const TUID iid, void** obj) override
//         {
//             if (queryOwnInterface<IPluginBase>(iid, obj, this) ||
//                 queryOwnInterface<IConnectionPoint>(iid, obj, this))
//                 return kResultOk;
//             return FObject::queryInterface(iid, obj);   // FUnknown, IDependent
//         }
//         uint32 addRef() override { return FObject::addRef(); }
//         uint32 release() override { return FObject::release(); }
//     };
//
// queryOwnInterface<I> answers true (and hands out `self` as an I*, with a
// reference added) only when `iid` names I and `obj` is not null. Anything not
// answered goes to the base class, which ends in FObject::queryInterface: that
// answers FUnknown (as unknownCast(), so the object's identity is always the
// FObject's FUnknown), IDependent, kInvalidArgument for a null `obj`, and
// otherwise kNoInterface with *obj = nullptr. A derived interface's base
// interfaces must be answered too (a class implementing IComponent also answers
// IPluginBase).
//
// ---------------------------------------------------------------------------
// Dependents
// ---------------------------------------------------------------------------
// addDependent(d) registers d (an IDependent, not owned, no reference taken)
// with the process-wide UpdateHandler. changed(msg) calls d->update(this, msg) on
// every dependent right away on the calling thread and then updateDone(msg);
// deferUpdate(msg) queues the same for UpdateHandler::triggerDeferedUpdates().
// The FUnknown* handed to update() is unknownCast().
//
// Lifetime rules, so that no dangling pointer is ever called:
// - When an FObject dies, the UpdateHandler forgets its dependents and its
//   deferred updates, and forgets it as a dependent of any other object.
// - A dependent that is not an FObject must remove itself (removeDependent, or
//   UpdateHandler::removeDependentEverywhere) before it is destroyed.
// - Dependents may add or remove dependents, and may drop references (even the
//   last one of the changed object), from inside update().
// No kDestroyed / kWillDestroy message is sent on destruction.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstring>

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg {

// Receives change messages of the objects it is registered with.
class IDependent : public FUnknown {
public:
    // `changedUnknown` is the object that changed; `message` a ChangeMessage or
    // an application-defined value above kStdChangeMessageLast.
    virtual void update(FUnknown* changedUnknown, int32 message) = 0;

    enum ChangeMessage {
        kWillChange,
        kChanged,
        kDestroyed,
        kWillDestroy,
        kStdChangeMessageLast = kWillDestroy,
    };

    static constexpr FUID iid{0xF52B7AAE, 0xDE72416d, 0x8AF18ACE, 0x9DD7BD5E};
};

// A class name; compared by text (strcmp), never by pointer.
using FClassID = const char*;

class UpdateHandler;

class FObject : public IDependent {
public:
    FObject() = default;
    // A copy is a new object: its own reference count of 1, no dependents.
    FObject(const FObject&) : FObject() {}
    FObject& operator=(const FObject&) { return *this; }
    virtual ~FObject();

    // FUnknown
    tresult queryInterface(const TUID iid, void** obj) override;
    uint32 addRef() override;
    uint32 release() override;  // deletes the object when the count reaches 0

    // IDependent: an FObject ignores updates unless a subclass overrides this.
    void update(FUnknown* /*changedUnknown*/, int32 /*message*/) override {}

    // The reference count; 1 for a new object.
    virtual int32 getRefCount();

    // Class queries (see the header comment).
    static FClassID getFClassID() { return "FObject"; }
    virtual FClassID isA() const { return getFClassID(); }
    virtual bool isA(FClassID s) const { return isTypeOf(s, false); }
    virtual bool isTypeOf(FClassID s, bool /*askBaseClass*/ = true) const
    {
        return classIDsEqual(s, getFClassID());
    }
    // True when both names are non-null and equal as text.
    static bool classIDsEqual(FClassID a, FClassID b)
    {
        return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
    }

    // Dependents (see the header comment). Adding the same dependent twice
    // registers it once; removing an unregistered one does nothing.
    virtual void addDependent(IDependent* dep);
    virtual void removeDependent(IDependent* dep);
    // Delivers update(unknownCast(), msg) to every dependent now, then updateDone(msg).
    virtual void changed(int32 msg = IDependent::kChanged);
    // Queues update(unknownCast(), msg) for UpdateHandler::triggerDeferedUpdates,
    // which also calls updateDone(msg). The same message queued twice before the
    // trigger is delivered once.
    virtual void deferUpdate(int32 msg = IDependent::kChanged);
    // Called after a message has been delivered to all dependents.
    virtual void updateDone(int32 /*msg*/) {}

    // This object as its one FUnknown (the identity used by the UpdateHandler).
    FUnknown* unknownCast() { return static_cast<FUnknown*>(static_cast<IDependent*>(this)); }

private:
    friend class UpdateHandler;
    void forgetInUpdateHandler();

    std::atomic<int32> refCount{1};
};

// Hands out `self` as an I* (adding a reference) when `iid` names I and `obj` is
// not null. Name I explicitly: queryOwnInterface<IPluginBase>(iid, obj, this).
template <class I>
bool queryOwnInterface(const TUID iid, void** obj, I* self)
{
    if (obj == nullptr || self == nullptr || !iidEqual(iid, I::iid))
        return false;
    self->addRef();
    *obj = static_cast<void*>(self);
    return true;
}

// A class name usable as a template argument: FClass<"Name", Base>.
template <std::size_t N>
struct FClassName {
    constexpr FClassName(const char (&name)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            text[i] = name[i];
    }
    char text[N]{};
};

// Base of a class named `Name` that derives from `Base` (FObject or a subclass).
// Inherits Base's constructors; inside the derived class `FClass` names it.
template <FClassName Name, class Base = FObject>
class FClass : public Base {
public:
    using Base::Base;
    using FClassBase = Base;

    static FClassID getFClassID() { return Name.text; }
    FClassID isA() const override { return getFClassID(); }
    bool isA(FClassID s) const override { return this->isTypeOf(s, false); }
    bool isTypeOf(FClassID s, bool askBaseClass = true) const override
    {
        return FObject::classIDsEqual(s, getFClassID()) || (askBaseClass && Base::isTypeOf(s, true));
    }
};

// `object` as a C* when it is a C or derives from it (by class name), else nullptr.
template <class C>
C* FCast(FObject* object)
{
    if (object && object->isTypeOf(C::getFClassID(), true))
        return static_cast<C*>(object);
    return nullptr;
}

template <class C>
const C* FCast(const FObject* object)
{
    if (object && object->isTypeOf(C::getFClassID(), true))
        return static_cast<const C*>(object);
    return nullptr;
}

}  // namespace Steinberg
