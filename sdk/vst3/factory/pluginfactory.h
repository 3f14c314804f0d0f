// The module's class factory: the vendor information and the list of classes a
// host can create, each with the function that builds an instance.
#pragma once

#include <atomic>
#include <vector>

#include "sdk/vst3/interfaces/pluginfactory.h"

namespace Steinberg {

class CPluginFactory : public IPluginFactory3 {
public:
    // Returns a new object carrying one reference, or null when it cannot make one.
    using CreateFunction = FUnknown* (*)(void* context);
    // Called from the destructor, e.g. to clear a process-wide pointer to this factory.
    using DestroyedHook = void (*)(CPluginFactory* dying);

    // The reference count starts at 1; the last release() deletes the factory.
    explicit CPluginFactory(const PFactoryInfo& info);
    CPluginFactory(const CPluginFactory&) = delete;
    CPluginFactory& operator=(const CPluginFactory&) = delete;
    virtual ~CPluginFactory();

    // False for a null record or function, a class id already registered, or
    // when memory runs out. Texts are converted to fill the other record forms.
    bool registerClass(const PClassInfo* info, CreateFunction createFunc, void* context = nullptr);
    bool registerClass(const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
    bool registerClass(const PClassInfoW* info, CreateFunction createFunc, void* context = nullptr);
    bool isClassRegistered(const FUID& cid) const;
    void removeAllClasses() { classes.clear(); }

    void setDestroyedHook(DestroyedHook hook) { destroyedHook = hook; }

    // FUnknown
    tresult queryInterface(const TUID iid, void** obj) override;
    uint32 addRef() override;
    uint32 release() override;

    // IPluginFactory
    tresult getFactoryInfo(PFactoryInfo* info) override;
    int32 countClasses() override { return static_cast<int32>(classes.size()); }
    tresult getClassInfo(int32 index, PClassInfo* info) override;
    // kNoInterface (and *obj null) for an unknown class, a class whose create
    // function gives nothing, or an instance without the requested interface;
    // kOutOfMemory or kInternalError when creation throws.
    tresult createInstance(FIDString cid, FIDString iid, void** obj) override;

    // IPluginFactory2
    tresult getClassInfo2(int32 index, PClassInfo2* info) override;

    // IPluginFactory3
    tresult getClassInfoUnicode(int32 index, PClassInfoW* info) override;
    tresult setHostContext(FUnknown* context) override;

private:
    // Every class is kept in both record forms, so each query is a plain copy.
    struct ClassEntry {
        PClassInfo2 info;
        PClassInfoW unicodeInfo;
        CreateFunction create;
        void* context;
    };

    bool addClass(const ClassEntry& entry);
    const ClassEntry* findClass(const void* cid) const;
    const ClassEntry* classAt(int32 index) const;

    PFactoryInfo factoryInfo;
    std::vector<ClassEntry> classes;
    std::atomic<uint32> refCount{1};
    DestroyedHook destroyedHook = nullptr;
};

}  // namespace Steinberg
