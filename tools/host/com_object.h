// Reference counting and interface queries shared by every host-side object.
#pragma once

#include <atomic>
#include <type_traits>
#include <utility>

#include "sdk/vst3/interfaces/funknown.h"

namespace morvik::host {

// Implements FUnknown once for all the interfaces an object offers. An object
// starts with one reference, owned by whoever created it (see create()), and
// deletes itself when the last reference is released. The first interface in
// the list answers the FUnknown id.
template <class FirstInterface, class... MoreInterfaces>
class ComObject : public FirstInterface, public MoreInterfaces... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    Steinberg::tresult queryInterface(const Steinberg::TUID iid, void** obj) override
    {
        if (!obj)
            return Steinberg::kInvalidArgument;
        *obj = findInterface(iid);
        if (!*obj)
            return Steinberg::kNoInterface;
        addRef();
        return Steinberg::kResultOk;
    }

    Steinberg::uint32 addRef() override { return ++referenceCount; }

    Steinberg::uint32 release() override
    {
        const Steinberg::uint32 remaining = --referenceCount;
        if (remaining == 0)
            delete this;
        return remaining;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

    // Lets an object answer ids beyond its base interfaces; null when it has none.
    virtual void* queryExtraInterface(const Steinberg::TUID /*iid*/) { return nullptr; }

private:
    void* findInterface(const Steinberg::TUID iid)
    {
        if (!iid)
            return nullptr;
        if (Steinberg::iidEqual(iid, Steinberg::FUnknown::iid))
            return static_cast<Steinberg::FUnknown*>(static_cast<FirstInterface*>(this));
        void* found = nullptr;
        const auto offer = [&](auto* self) {
            using Interface = std::remove_pointer_t<decltype(self)>;
            if (!found && Steinberg::iidEqual(iid, Interface::iid))
                found = self;
        };
        offer(static_cast<FirstInterface*>(this));
        (offer(static_cast<MoreInterfaces*>(this)), ...);
        return found ? found : queryExtraInterface(iid);
    }

    std::atomic<Steinberg::uint32> referenceCount{1};
};

// Creates a host object; the returned pointer owns its initial reference.
template <class Object, class... Args>
Steinberg::IPtr<Object> create(Args&&... args)
{
    return Steinberg::owned(new Object(std::forward<Args>(args)...));
}

}  // namespace morvik::host
