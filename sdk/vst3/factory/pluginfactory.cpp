#include "sdk/vst3/factory/pluginfactory.h"

#include <cstring>
#include <new>

#include "sdk/vst3/factory/fixedtext.h"

namespace Steinberg {
namespace {

// The Unicode form of a class record: ids and categories as they are, texts in UTF-16.
PClassInfoW unicodeFrom(const PClassInfo2& info)
{
    PClassInfoW unicode{};
    std::memcpy(unicode.cid, info.cid, sizeof(TUID));
    unicode.cardinality = info.cardinality;
    FixedText::copy(unicode.category, info.category);
    FixedText::copy(unicode.name, info.name);
    unicode.classFlags = info.classFlags;
    FixedText::copy(unicode.subCategories, info.subCategories);
    FixedText::copy(unicode.vendor, info.vendor);
    FixedText::copy(unicode.version, info.version);
    FixedText::copy(unicode.sdkVersion, info.sdkVersion);
    return unicode;
}

PClassInfo2 utf8From(const PClassInfoW& unicode)
{
    PClassInfo2 info{};
    std::memcpy(info.cid, unicode.cid, sizeof(TUID));
    info.cardinality = unicode.cardinality;
    FixedText::copy(info.category, unicode.category);
    FixedText::copy(info.name, unicode.name);
    info.classFlags = unicode.classFlags;
    FixedText::copy(info.subCategories, unicode.subCategories);
    FixedText::copy(info.vendor, unicode.vendor);
    FixedText::copy(info.version, unicode.version);
    FixedText::copy(info.sdkVersion, unicode.sdkVersion);
    return info;
}

// A copy with every text terminated, whatever the caller left in the fields.
PClassInfo2 sanitized(const PClassInfo2& source)
{
    PClassInfo2 info{};
    std::memcpy(info.cid, source.cid, sizeof(TUID));
    info.cardinality = source.cardinality;
    FixedText::copy(info.category, source.category);
    FixedText::copy(info.name, source.name);
    info.classFlags = source.classFlags;
    FixedText::copy(info.subCategories, source.subCategories);
    FixedText::copy(info.vendor, source.vendor);
    FixedText::copy(info.version, source.version);
    FixedText::copy(info.sdkVersion, source.sdkVersion);
    return info;
}

PFactoryInfo sanitized(const PFactoryInfo& source)
{
    PFactoryInfo info{};
    FixedText::copy(info.vendor, source.vendor);
    FixedText::copy(info.url, source.url);
    FixedText::copy(info.email, source.email);
    info.flags = source.flags;
    return info;
}

}  // namespace

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(sanitized(info)) {}

CPluginFactory::~CPluginFactory()
{
    if (destroyedHook)
        destroyedHook(this);
}

bool CPluginFactory::registerClass(const PClassInfo* info, CreateFunction createFunc, void* context)
{
    if (!info)
        return false;
    PClassInfo2 info2{};
    std::memcpy(info2.cid, info->cid, sizeof(TUID));
    info2.cardinality = info->cardinality;
    FixedText::copy(info2.category, info->category);
    FixedText::copy(info2.name, info->name);
    return registerClass(&info2, createFunc, context);
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunction createFunc, void* context)
{
    if (!info)
        return false;
    const PClassInfo2 clean = sanitized(*info);
    return addClass({clean, unicodeFrom(clean), createFunc, context});
}

bool CPluginFactory::registerClass(const PClassInfoW* info, CreateFunction createFunc, void* context)
{
    if (!info)
        return false;
    const PClassInfo2 utf8 = utf8From(*info);
    // Round-trip the texts so that both forms are terminated and say the same.
    return addClass({utf8, unicodeFrom(utf8), createFunc, context});
}

bool CPluginFactory::addClass(const ClassEntry& entry)
{
    if (!entry.create || findClass(entry.info.cid))
        return false;
    try {
        classes.push_back(entry);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CPluginFactory::isClassRegistered(const FUID& cid) const
{
    return findClass(cid.toTUID()) != nullptr;
}

const CPluginFactory::ClassEntry* CPluginFactory::findClass(const void* cid) const
{
    if (!cid)
        return nullptr;
    for (const ClassEntry& entry : classes)
        if (std::memcmp(entry.info.cid, cid, sizeof(TUID)) == 0)
            return &entry;
    return nullptr;
}

const CPluginFactory::ClassEntry* CPluginFactory::classAt(int32 index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= classes.size())
        return nullptr;
    return &classes[static_cast<std::size_t>(index)];
}

tresult CPluginFactory::queryInterface(const TUID iid, void** obj)
{
    if (!obj)
        return kInvalidArgument;
    if (iidEqual(iid, FUnknown::iid) || iidEqual(iid, IPluginFactory::iid) ||
        iidEqual(iid, IPluginFactory2::iid) || iidEqual(iid, IPluginFactory3::iid)) {
        addRef();
        *obj = static_cast<IPluginFactory3*>(this);
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

uint32 CPluginFactory::addRef()
{
    return ++refCount;
}

uint32 CPluginFactory::release()
{
    const uint32 remaining = --refCount;
    if (remaining == 0)
        delete this;
    return remaining;
}

tresult CPluginFactory::getFactoryInfo(PFactoryInfo* info)
{
    if (!info)
        return kInvalidArgument;
    *info = factoryInfo;
    return kResultOk;
}

tresult CPluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
    const ClassEntry* entry = classAt(index);
    if (!entry || !info)
        return kInvalidArgument;
    std::memcpy(info->cid, entry->info.cid, sizeof(TUID));
    info->cardinality = entry->info.cardinality;
    FixedText::copy(info->category, entry->info.category);
    FixedText::copy(info->name, entry->info.name);
    return kResultOk;
}

tresult CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
    const ClassEntry* entry = classAt(index);
    if (!entry || !info)
        return kInvalidArgument;
    *info = entry->info;
    return kResultOk;
}

tresult CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
    const ClassEntry* entry = classAt(index);
    if (!entry || !info)
        return kInvalidArgument;
    *info = entry->unicodeInfo;
    return kResultOk;
}

tresult CPluginFactory::setHostContext(FUnknown* /*context*/)
{
    return kNotImplemented;
}

tresult CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj)
{
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !iid)
        return kInvalidArgument;
    const ClassEntry* entry = findClass(cid);
    if (!entry)
        return kNoInterface;

    try {
        // Holds the creation reference; the caller gets its own from queryInterface.
        const IPtr<FUnknown> instance = owned(entry->create(entry->context));
        if (!instance)
            return kNoInterface;
        void* answer = nullptr;
        if (instance->queryInterface(iid, &answer) != kResultOk || !answer)
            return kNoInterface;
        *obj = answer;
        return kResultOk;
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (...) {
        return kInternalError;
    }
}

}  // namespace Steinberg
