// The root of every host interface: reference counting and interface queries,
// plus the 16-byte identifiers that name interfaces and classes.
#pragma once

#include <cstring>

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg {

using TUID = int8[16];

// A 128-bit identifier built from four 32-bit words. On Linux each word is
// laid out most significant byte first, so the bytes read l1..l4 in order.
class FUID {
public:
    constexpr FUID() = default;
    constexpr FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4)
    {
        const uint32 words[4] = {l1, l2, l3, l4};
        for (int w = 0; w < 4; ++w)
            for (int b = 0; b < 4; ++b)
                bytes[w * 4 + b] = static_cast<int8>((words[w] >> (24 - 8 * b)) & 0xFF);
    }

    static FUID fromTUID(const TUID tuid)
    {
        FUID id;
        if (tuid)
            std::memcpy(id.bytes, tuid, sizeof(TUID));
        return id;
    }

    constexpr uint32 getLong(int index) const
    {
        uint32 word = 0;
        for (int b = 0; b < 4; ++b)
            word = (word << 8) | static_cast<uint8>(bytes[index * 4 + b]);
        return word;
    }

    void toTUID(TUID out) const { std::memcpy(out, bytes, sizeof(TUID)); }
    const TUID& toTUID() const { return bytes; }
    operator const int8*() const { return bytes; }

    bool isValid() const
    {
        for (int8 byte : bytes)
            if (byte != 0)
                return true;
        return false;
    }

    friend bool operator==(const FUID& a, const FUID& b)
    {
        return std::memcmp(a.bytes, b.bytes, sizeof(TUID)) == 0;
    }
    friend bool operator!=(const FUID& a, const FUID& b) { return !(a == b); }

private:
    TUID bytes{};
};

// True when the 16 bytes of a host-supplied id equal the given identifier.
// A null id matches nothing.
inline bool iidEqual(const void* tuid, const FUID& id)
{
    return tuid != nullptr && std::memcmp(tuid, id.toTUID(), sizeof(TUID)) == 0;
}

class FUnknown {
public:
    virtual tresult queryInterface(const TUID iid, void** obj) = 0;
    virtual uint32 addRef() = 0;
    virtual uint32 release() = 0;

    static constexpr FUID iid{0x00000000, 0x00000000, 0xC0000000, 0x00000046};
};

// Asks an object for an interface; null when the object is null or lacks it.
// The caller owns the reference of a non-null result.
template <class Interface>
Interface* queryInterfaceOf(FUnknown* object)
{
    void* result = nullptr;
    if (!object || object->queryInterface(Interface::iid, &result) != kResultOk)
        return nullptr;
    return static_cast<Interface*>(result);
}

// Owning smart pointer for reference-counted interfaces.
template <class T>
class IPtr {
public:
    IPtr() = default;
    IPtr(T* object, bool addReference = true) : ptr(object)
    {
        if (ptr && addReference)
            ptr->addRef();
    }
    IPtr(const IPtr& other) : IPtr(other.ptr, true) {}
    IPtr(IPtr&& other) noexcept : ptr(other.ptr) { other.ptr = nullptr; }
    ~IPtr() { reset(); }

    IPtr& operator=(IPtr other) noexcept
    {
        T* previous = ptr;
        ptr = other.ptr;
        other.ptr = previous;
        return *this;
    }

    void reset()
    {
        if (ptr)
            ptr->release();
        ptr = nullptr;
    }
    T* get() const { return ptr; }
    T* operator->() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }
    operator T*() const { return ptr; }

private:
    T* ptr = nullptr;
};

// Takes over a reference the caller already owns (a freshly created object).
template <class T>
IPtr<T> owned(T* object)
{
    return IPtr<T>(object, false);
}

// Queries an interface into an owning pointer.
template <class Interface>
IPtr<Interface> queryInterfacePtr(FUnknown* object)
{
    return owned(queryInterfaceOf<Interface>(object));
}

}  // namespace Steinberg
