// CPluginFactory: class listing, instance creation and the factory's own lifetime.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <ostream>
#include <stdexcept>
#include <string>

#include "sdk/vst3/factory/pluginfactory.h"
#include "tests/sdk_component/testeffect.h"

namespace Steinberg {
namespace {

using Vst::IAudioProcessor;
using Vst::IComponent;

// Counts live instances, so a test sees whether the creation reference was dropped.
class CountedEffect : public morvik::testing::StereoEffect {
public:
    CountedEffect() { ++alive; }
    ~CountedEffect() override { --alive; }
    static FUnknown* create(void*) { return static_cast<IAudioProcessor*>(new CountedEffect); }
    static inline int alive = 0;
};

FUnknown* createNothing(void*)
{
    return nullptr;
}
FUnknown* createOutOfMemory(void*)
{
    throw std::bad_alloc();
}
FUnknown* createBroken(void*)
{
    throw std::runtime_error("broken");
}

const FUID kEffectId(0x11111111, 0x22222222, 0x33333333, 0x44444444);
const FUID kOtherId(0x55555555, 0x66666666, 0x77777777, 0x88888888);

template <size_t N>
void setText(char8 (&field)[N], const char* text)
{
    std::strncpy(field, text, N - 1);
}

PFactoryInfo vendorInfo()
{
    PFactoryInfo info{};
    setText(info.vendor, "Vendor");
    setText(info.url, "https://vendor.example/");
    setText(info.email, "mailto:info@vendor.example");
    info.flags = PFactoryInfo::kUnicode;
    return info;
}

PClassInfo2 classInfo(const FUID& cid, const char* name)
{
    PClassInfo2 info{};
    cid.toTUID(info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    setText(info.category, "Audio Module Class");
    setText(info.name, name);
    info.classFlags = kDistributable;
    setText(info.subCategories, "Fx|Reverb");
    setText(info.version, "1.2.3.4");
    setText(info.sdkVersion, "VST 3.7.3");
    return info;
}

class Factory : public ::testing::Test {
protected:
    void SetUp() override
    {
        const PClassInfo2 effect = classInfo(kEffectId, "Effect");
        const PClassInfo2 other = classInfo(kOtherId, "Größe");
        ASSERT_TRUE(factory->registerClass(&effect, &CountedEffect::create));
        ASSERT_TRUE(factory->registerClass(&other, &createNothing));
    }
    void TearDown() override { EXPECT_EQ(CountedEffect::alive, 0); }

    tresult create(const FUID& cid, const FUID& iid, void** obj)
    {
        return factory->createInstance(cid, iid, obj);
    }

    IPtr<CPluginFactory> factory = owned(new CPluginFactory(vendorInfo()));
};

TEST_F(Factory, ListsItsClassesInRegistrationOrder)
{
    ASSERT_EQ(factory->countClasses(), 2);

    PClassInfo2 info{};
    ASSERT_EQ(factory->getClassInfo2(0, &info), kResultOk);
    EXPECT_EQ(FUID::fromTUID(info.cid), kEffectId);
    EXPECT_EQ(info.cardinality, PClassInfo::kManyInstances);
    EXPECT_STREQ(info.category, "Audio Module Class");
    EXPECT_STREQ(info.name, "Effect");
    EXPECT_EQ(info.classFlags, static_cast<uint32>(kDistributable));
    EXPECT_STREQ(info.subCategories, "Fx|Reverb");
    EXPECT_STREQ(info.vendor, "");
    EXPECT_STREQ(info.version, "1.2.3.4");
    EXPECT_STREQ(info.sdkVersion, "VST 3.7.3");

    PClassInfo basic{};
    ASSERT_EQ(factory->getClassInfo(1, &basic), kResultOk);
    EXPECT_EQ(FUID::fromTUID(basic.cid), kOtherId);
    EXPECT_STREQ(basic.name, "Größe");

    PClassInfoW unicode{};
    ASSERT_EQ(factory->getClassInfoUnicode(1, &unicode), kResultOk);
    EXPECT_EQ(std::u16string(unicode.name), u"Größe");
    EXPECT_EQ(std::u16string(unicode.sdkVersion), u"VST 3.7.3");
    EXPECT_STREQ(unicode.subCategories, "Fx|Reverb");
}

TEST_F(Factory, ClassIndexOutOfRangeOrNullRecordIsInvalid)
{
    PClassInfo basic{};
    PClassInfo2 info{};
    PClassInfoW unicode{};
    for (int32 index : {-1, 2}) {
        EXPECT_EQ(factory->getClassInfo(index, &basic), kInvalidArgument);
        EXPECT_EQ(factory->getClassInfo2(index, &info), kInvalidArgument);
        EXPECT_EQ(factory->getClassInfoUnicode(index, &unicode), kInvalidArgument);
    }
    EXPECT_EQ(factory->getClassInfo(0, nullptr), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfo2(0, nullptr), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfoUnicode(0, nullptr), kInvalidArgument);
    EXPECT_EQ(factory->getFactoryInfo(nullptr), kInvalidArgument);
}

TEST_F(Factory, ReportsTheVendorInformation)
{
    PFactoryInfo info{};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "Vendor");
    EXPECT_STREQ(info.url, "https://vendor.example/");
    EXPECT_STREQ(info.email, "mailto:info@vendor.example");
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
}

TEST_F(Factory, CreatesAnInstanceWithTheRequestedInterfaceAndOneReference)
{
    void* obj = nullptr;
    ASSERT_EQ(create(kEffectId, IComponent::iid, &obj), kResultOk);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(CountedEffect::alive, 1);
    auto* component = static_cast<IComponent*>(obj);
    EXPECT_EQ(component->getBusCount(Vst::kAudio, Vst::kInput), 0);
    EXPECT_EQ(component->release(), 0u);
    EXPECT_EQ(CountedEffect::alive, 0);
}

struct FailedCreation {
    const char* name;
    CPluginFactory::CreateFunction create;
    FUID cid;
    FUID iid;
    tresult expected;
};

void PrintTo(const FailedCreation& row, std::ostream* out)
{
    *out << row.name;
}

class FactoryFailures : public Factory, public ::testing::WithParamInterface<FailedCreation> {};

// Whatever goes wrong, the caller gets no object and nothing stays alive.
TEST_P(FactoryFailures, AnswerWithoutAnObject)
{
    const FailedCreation& c = GetParam();
    if (c.create) {
        const PClassInfo2 info = classInfo(c.cid, c.name);
        ASSERT_TRUE(factory->registerClass(&info, c.create));
    }
    int sentinel = 0;
    void* obj = &sentinel;
    EXPECT_EQ(create(c.cid, c.iid, &obj), c.expected);
    EXPECT_EQ(obj, nullptr);
}

const FUID kThirdId(0x99999999, 0xAAAAAAAA, 0xBBBBBBBB, 0xCCCCCCCC);

INSTANTIATE_TEST_SUITE_P(
    Table, FactoryFailures,
    ::testing::Values(
        FailedCreation{"UnknownClass", nullptr, kThirdId, IComponent::iid, kNoInterface},
        FailedCreation{"InterfaceTheClassLacks", nullptr, kEffectId, IPluginFactory::iid, kNoInterface},
        FailedCreation{"CreateGivesNothing", nullptr, kOtherId, IComponent::iid, kNoInterface},
        FailedCreation{"CreateRunsOutOfMemory", &createOutOfMemory, kThirdId, IComponent::iid, kOutOfMemory},
        FailedCreation{"CreateThrows", &createBroken, kThirdId, IComponent::iid, kInternalError}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Factory, NullArgumentsToCreateInstanceAreInvalid)
{
    void* obj = &obj;
    EXPECT_EQ(factory->createInstance(nullptr, IComponent::iid, &obj), kInvalidArgument);
    EXPECT_EQ(obj, nullptr);
    obj = &obj;
    EXPECT_EQ(factory->createInstance(kEffectId, nullptr, &obj), kInvalidArgument);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(factory->createInstance(kEffectId, IComponent::iid, nullptr), kInvalidArgument);
}

TEST_F(Factory, RefusesRegistrationsItCouldNotServe)
{
    const PClassInfo2 duplicate = classInfo(kEffectId, "Again");
    const PClassInfo2 fresh = classInfo(kThirdId, "Fresh");
    EXPECT_FALSE(factory->registerClass(&duplicate, &CountedEffect::create));
    EXPECT_FALSE(factory->registerClass(&fresh, nullptr));
    EXPECT_FALSE(factory->registerClass(static_cast<const PClassInfo2*>(nullptr), &CountedEffect::create));
    EXPECT_EQ(factory->countClasses(), 2);
    EXPECT_FALSE(factory->isClassRegistered(kThirdId));
    EXPECT_TRUE(factory->isClassRegistered(kEffectId));
}

// Records from elsewhere may fill a field to the last byte; the copies still end in a terminator.
TEST_F(Factory, UnterminatedTextsAreCutToTheirFields)
{
    PClassInfo2 info = classInfo(kThirdId, "");
    std::memset(info.name, 'n', sizeof(info.name));
    std::memset(info.sdkVersion, 'v', sizeof(info.sdkVersion));
    ASSERT_TRUE(factory->registerClass(&info, &CountedEffect::create));

    PClassInfo2 copy{};
    ASSERT_EQ(factory->getClassInfo2(2, &copy), kResultOk);
    EXPECT_EQ(std::string(copy.name), std::string(PClassInfo::kNameSize - 1, 'n'));
    EXPECT_EQ(std::string(copy.sdkVersion), std::string(PClassInfo2::kVersionSize - 1, 'v'));
    PClassInfoW unicode{};
    ASSERT_EQ(factory->getClassInfoUnicode(2, &unicode), kResultOk);
    EXPECT_EQ(std::u16string(unicode.name), std::u16string(PClassInfo::kNameSize - 1, u'n'));
}

TEST_F(Factory, OlderAndUnicodeRecordsAreServedInEveryForm)
{
    PClassInfo basic{};
    kThirdId.toTUID(basic.cid);
    basic.cardinality = 1;
    setText(basic.category, "Audio Module Class");
    setText(basic.name, "Basic");
    ASSERT_TRUE(factory->registerClass(&basic, &CountedEffect::create));

    const FUID unicodeId(0xABCDEF01, 2, 3, 4);
    PClassInfoW wide{};
    unicodeId.toTUID(wide.cid);
    std::u16string name = u"Hall 𝄞";
    std::copy(name.begin(), name.end(), wide.name);
    std::u16string version = u"2.0";
    std::copy(version.begin(), version.end(), wide.version);
    ASSERT_TRUE(factory->registerClass(&wide, &CountedEffect::create));

    PClassInfo2 info{};
    ASSERT_EQ(factory->getClassInfo2(2, &info), kResultOk);
    EXPECT_STREQ(info.name, "Basic");
    EXPECT_EQ(info.cardinality, 1);
    EXPECT_STREQ(info.version, "");
    ASSERT_EQ(factory->getClassInfo2(3, &info), kResultOk);
    EXPECT_STREQ(info.name, "Hall 𝄞");
    EXPECT_STREQ(info.version, "2.0");

    void* obj = nullptr;
    ASSERT_EQ(create(unicodeId, FUnknown::iid, &obj), kResultOk);
    static_cast<FUnknown*>(obj)->release();
}

TEST_F(Factory, AnswersItsOwnInterfacesOnly)
{
    for (const FUID& iid : {FUnknown::iid, IPluginFactory::iid, IPluginFactory2::iid, IPluginFactory3::iid}) {
        void* obj = nullptr;
        ASSERT_EQ(factory->queryInterface(iid, &obj), kResultOk);
        EXPECT_EQ(obj, static_cast<IPluginFactory3*>(factory.get()));
        factory->release();
    }
    void* obj = &obj;
    EXPECT_EQ(factory->queryInterface(IComponent::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(factory->queryInterface(FUnknown::iid, nullptr), kInvalidArgument);
}

TEST(FactoryLifetime, LastReleaseDeletesTheFactoryAndCallsItsHook)
{
    static CPluginFactory* current = nullptr;
    static int hookCalls = 0;
    hookCalls = 0;
    current = new CPluginFactory(vendorInfo());
    current->setDestroyedHook([](CPluginFactory* dying) {
        ++hookCalls;
        if (current == dying)
            current = nullptr;
    });

    EXPECT_EQ(current->addRef(), 2u);
    EXPECT_EQ(current->release(), 1u);
    EXPECT_EQ(hookCalls, 0);
    EXPECT_EQ(current->release(), 0u);
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(current, nullptr);
}

// Instances live on their own references once the factory is gone.
TEST(FactoryLifetime, InstancesOutliveTheFactory)
{
    auto* factory = new CPluginFactory(vendorInfo());
    const PClassInfo2 info = classInfo(kEffectId, "Effect");
    ASSERT_TRUE(factory->registerClass(&info, &CountedEffect::create));
    void* obj = nullptr;
    ASSERT_EQ(factory->createInstance(kEffectId, IAudioProcessor::iid, &obj), kResultOk);
    EXPECT_EQ(factory->release(), 0u);

    auto* processor = static_cast<IAudioProcessor*>(obj);
    EXPECT_EQ(processor->getLatencySamples(), 0u);
    EXPECT_EQ(processor->release(), 0u);
    EXPECT_EQ(CountedEffect::alive, 0);
}

}  // namespace
}  // namespace Steinberg
