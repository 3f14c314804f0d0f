// The toolkit's foundations: the coordinate type, reference counting shared by
// every view, bitmap and timer, an owning smart pointer, and the assertion hook.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace VSTGUI {

using CCoord = double;
using UTF8StringPtr = const char*;
using UTF8String = std::string;  // UTF-8 text owned by a view or label
using IdStringPtr = const char*;

// Reference counting. Every counted object starts with one reference, owned by
// whoever created it; forget() on the last reference deletes it. IReference is
// a virtual base, so a class reaching it along several paths (a view that is
// also a listener) still has exactly one count.
class IReference {
public:
    virtual ~IReference() noexcept = default;
    virtual void remember() = 0;
    virtual void forget() = 0;
    virtual int32_t getNbReference() const = 0;
};

template <class CountType>
class ReferenceCounted : public virtual IReference {
public:
    ReferenceCounted() = default;
    // A copy is a new object: it starts with its own single reference.
    ReferenceCounted(const ReferenceCounted&) : IReference() {}
    ReferenceCounted& operator=(const ReferenceCounted&) { return *this; }

    void remember() override { ++count; }
    void forget() override
    {
        if (--count == 0) {
            beforeDelete();
            delete this;
        }
    }
    int32_t getNbReference() const override { return static_cast<int32_t>(count); }

protected:
    // Last words before the delete, while the object is still whole.
    virtual void beforeDelete() {}

private:
    CountType count{1};
};

// The base of the toolkit's objects (views, bitmaps, timers): counted on the UI
// thread only, so a plain integer serves.
class CBaseObject : public ReferenceCounted<int> {
public:
    // A message to this object; answers what the receiver made of it.
    enum class MessageResult { NotHandled, Handled };
    virtual MessageResult notify(CBaseObject* /*sender*/, IdStringPtr /*message*/)
    {
        return MessageResult::NotHandled;
    }
};

// Holds one reference to a counted object: remember on taking, forget on letting go.
template <class T>
class SharedPointer {
public:
    SharedPointer() noexcept = default;
    // Shares: takes a reference of its own.
    SharedPointer(T* object) noexcept : pointer(object)
    {
        if (pointer)
            pointer->remember();
    }
    // Adopts the reference the caller already holds (see owned()).
    SharedPointer(T* object, bool adopt) noexcept : pointer(object)
    {
        if (pointer && !adopt)
            pointer->remember();
    }
    SharedPointer(const SharedPointer& other) noexcept : SharedPointer(other.pointer) {}
    template <class U>
    SharedPointer(const SharedPointer<U>& other) noexcept : SharedPointer(other.get())
    {
    }
    SharedPointer(SharedPointer&& other) noexcept : pointer(std::exchange(other.pointer, nullptr)) {}
    ~SharedPointer() noexcept { reset(); }

    SharedPointer& operator=(SharedPointer other) noexcept
    {
        std::swap(pointer, other.pointer);
        return *this;
    }
    SharedPointer& operator=(T* object) noexcept { return *this = SharedPointer(object); }

    void reset() noexcept
    {
        if (T* old = std::exchange(pointer, nullptr))
            old->forget();
    }

    T* get() const noexcept { return pointer; }
    T* operator->() const noexcept { return pointer; }
    T& operator*() const noexcept { return *pointer; }
    operator T*() const noexcept { return pointer; }
    explicit operator bool() const noexcept { return pointer != nullptr; }

    template <class U>
    SharedPointer<U> cast() const noexcept
    {
        return SharedPointer<U>(dynamic_cast<U*>(pointer));
    }

private:
    T* pointer = nullptr;
};

// Takes over the single reference of a freshly created object.
template <class T>
SharedPointer<T> owned(T* object) noexcept
{
    return SharedPointer<T>(object, true);
}

// Takes an additional reference to an object someone else owns.
template <class T>
SharedPointer<T> shared(T* object) noexcept
{
    return SharedPointer<T>(object);
}

// Creates an object and owns its first reference.
template <class T, class... Args>
SharedPointer<T> makeOwned(Args&&... args)
{
    return owned(new T(std::forward<Args>(args)...));
}

// Assertion hook. Toolkit and controls report impossible arguments here and then
// carry on with the value they were given. Nothing happens unless the
// application installed a handler (the plug-in installs none; tests may).
using AssertionHandler = void (*)(const char* file, const char* line, const char* description);
void setAssertionHandler(AssertionHandler handler);
AssertionHandler getAssertionHandler();
void doAssert(const char* file, const char* line, const char* description = nullptr);

}  // namespace VSTGUI
