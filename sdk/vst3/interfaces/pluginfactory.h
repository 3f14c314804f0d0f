// The module's class factory and the records that describe it and its classes.
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg {

struct PFactoryInfo {
    enum : int32 {
        kNoFlags = 0,
        kClassesDiscardable = 1 << 0,
        kLicenseCheck = 1 << 1,
        kComponentNonDiscardable = 1 << 3,
        kUnicode = 1 << 4,
    };
    static constexpr int32 kNameSize = 64;
    static constexpr int32 kURLSize = 256;
    static constexpr int32 kEmailSize = 128;

    char8 vendor[kNameSize];
    char8 url[kURLSize];
    char8 email[kEmailSize];
    int32 flags;
};

struct PClassInfo {
    static constexpr int32 kManyInstances = 0x7FFFFFFF;
    static constexpr int32 kCategorySize = 32;
    static constexpr int32 kNameSize = 64;

    TUID cid;
    int32 cardinality;
    char8 category[kCategorySize];
    char8 name[kNameSize];
};

enum ComponentFlags : uint32 {
    kDistributable = 1 << 0,
    kSimpleModeSupported = 1 << 1,
};

struct PClassInfo2 {
    static constexpr int32 kVendorSize = 64;
    static constexpr int32 kVersionSize = 64;
    static constexpr int32 kSubCategoriesSize = 128;

    TUID cid;
    int32 cardinality;
    char8 category[PClassInfo::kCategorySize];
    char8 name[PClassInfo::kNameSize];
    uint32 classFlags;
    char8 subCategories[kSubCategoriesSize];
    char8 vendor[kVendorSize];
    char8 version[kVersionSize];
    char8 sdkVersion[kVersionSize];
};

// The same as PClassInfo2 with the human-readable texts in UTF-16.
struct PClassInfoW {
    TUID cid;
    int32 cardinality;
    char8 category[PClassInfo::kCategorySize];
    char16 name[PClassInfo::kNameSize];
    uint32 classFlags;
    char8 subCategories[PClassInfo2::kSubCategoriesSize];
    char16 vendor[PClassInfo2::kVendorSize];
    char16 version[PClassInfo2::kVersionSize];
    char16 sdkVersion[PClassInfo2::kVersionSize];
};

class IPluginFactory : public FUnknown {
public:
    virtual tresult getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32 countClasses() = 0;
    virtual tresult getClassInfo(int32 index, PClassInfo* info) = 0;
    virtual tresult createInstance(FIDString cid, FIDString iid, void** obj) = 0;

    static constexpr FUID iid{0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F};
};

class IPluginFactory2 : public IPluginFactory {
public:
    virtual tresult getClassInfo2(int32 index, PClassInfo2* info) = 0;

    static constexpr FUID iid{0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB};
};

class IPluginFactory3 : public IPluginFactory2 {
public:
    virtual tresult getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
    virtual tresult setHostContext(FUnknown* context) = 0;

    static constexpr FUID iid{0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931};
};

}  // namespace Steinberg

extern "C" {
// The module's one factory export.
using GetFactoryProc = Steinberg::IPluginFactory* (*)();
using ModuleEntryFunc = bool (*)(void* sharedLibraryHandle);
using ModuleExitFunc = bool (*)();
}
