// The built bundle as a host sees it: loading, exports, factory and classes.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/host/bundle_location.h"
#include "tests/host/elf_symbols.h"
#include "tools/host/bundle_layout.h"
#include "tools/host/factory.h"
#include "tools/host/host_application.h"
#include "tools/host/module.h"
#include "tools/host/text.h"

namespace {
using namespace Steinberg;
using namespace morvik::host;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

class Bundle : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        module = Module::load(morvik::testing::bundleUnderTest(), error);
        ASSERT_TRUE(module) << error;
    }

    IPluginFactory& factory() { return module->factory(); }

    std::unique_ptr<Module> module;
};

TEST(BundleBinary, ExportsExactlyTheThreeEntryPoints)
{
    EXPECT_THAT(morvik::testing::exportedSymbols(expectedBinaryPath(morvik::testing::bundleUnderTest())),
                UnorderedElementsAre("GetPluginFactory", "ModuleEntry", "ModuleExit"));
}

TEST(BundleBinary, SymbolReaderSeesEveryExportOfAKnownModule)
{
    // Without this, an empty answer would pass the test above's negative half.
    const auto fake =
        std::filesystem::path(MORVIK_FAKES_DIR) / "FakePlug.vst3/Contents/x86_64-linux/FakePlug.so";
    EXPECT_THAT(morvik::testing::exportedSymbols(fake),
                UnorderedElementsAre("GetPluginFactory", "ModuleEntry", "ModuleExit", "fakeModuleEvents",
                                     "fakeModuleClearEvents"));
}

TEST_F(Bundle, ReportsItsVendor)
{
    const auto info = factoryInfo(factory());
    ASSERT_TRUE(info);
    EXPECT_EQ(boundedText(info->vendor), "TEKORA Soft");
    EXPECT_THAT(std::string(boundedText(info->url)), StartsWith("http"));
    EXPECT_THAT(std::string(boundedText(info->email)), StartsWith("mailto:"));
    EXPECT_EQ(info->flags, PFactoryInfo::kUnicode);
}

struct ExpectedClass {
    std::string category;
    std::string name;
    uint32 classFlags;
    std::string subCategories;
};

const ExpectedClass kClasses[] = {
    {"Audio Module Class", "tk MORVIK Gate", kDistributable, "Fx|Reverb"},
    {"Component Controller Class", "tk MORVIK Gate Controller", 0, ""},
};

TEST_F(Bundle, DescribesItsTwoClassesAlikeInEveryFactoryVersion)
{
    ASSERT_EQ(factory().countClasses(), 2);
    const auto infos = classInfos(factory());
    const auto infos2 = classInfos2(factory());
    const auto infosW = classInfosUnicode(factory());
    ASSERT_EQ(infos.size(), 2u);
    ASSERT_EQ(infos2.size(), 2u);
    ASSERT_EQ(infosW.size(), 2u);

    for (std::size_t index = 0; index < 2; ++index) {
        SCOPED_TRACE("class " + std::to_string(index));
        const ExpectedClass& expected = kClasses[index];
        const FUID cid = FUID::fromTUID(infos[index].cid);
        EXPECT_TRUE(cid.isValid());
        EXPECT_EQ(infos[index].cardinality, PClassInfo::kManyInstances);
        EXPECT_EQ(boundedText(infos[index].category), expected.category);
        EXPECT_EQ(boundedText(infos[index].name), expected.name);

        const PClassInfo2& info2 = infos2[index];
        EXPECT_EQ(FUID::fromTUID(info2.cid), cid);
        EXPECT_EQ(info2.cardinality, PClassInfo::kManyInstances);
        EXPECT_EQ(boundedText(info2.category), expected.category);
        EXPECT_EQ(boundedText(info2.name), expected.name);
        EXPECT_EQ(info2.classFlags, expected.classFlags);
        EXPECT_EQ(boundedText(info2.subCategories), expected.subCategories);
        EXPECT_EQ(boundedText(info2.vendor), "");
        EXPECT_EQ(boundedText(info2.version), "1.1.0.1");
        EXPECT_EQ(boundedText(info2.sdkVersion), "VST 3.7.3");

        const PClassInfoW& infoW = infosW[index];
        EXPECT_EQ(FUID::fromTUID(infoW.cid), cid);
        EXPECT_EQ(infoW.cardinality, PClassInfo::kManyInstances);
        EXPECT_EQ(boundedText(infoW.category), expected.category);
        EXPECT_EQ(toUtf8(infoW.name), expected.name);
        EXPECT_EQ(infoW.classFlags, expected.classFlags);
        EXPECT_EQ(boundedText(infoW.subCategories), expected.subCategories);
        EXPECT_EQ(toUtf8(infoW.vendor), "");
        EXPECT_EQ(toUtf8(infoW.version), "1.1.0.1");
        EXPECT_EQ(toUtf8(infoW.sdkVersion), "VST 3.7.3");
    }
    EXPECT_NE(FUID::fromTUID(infos[0].cid), FUID::fromTUID(infos[1].cid));
}

TEST_F(Bundle, RefusesClassIndexesItDoesNotHave)
{
    PClassInfo info{};
    EXPECT_NE(factory().getClassInfo(2, &info), kResultOk);
    EXPECT_NE(factory().getClassInfo(-1, &info), kResultOk);
    EXPECT_NE(factory().getClassInfo(0, nullptr), kResultOk);
    EXPECT_NE(factory().getFactoryInfo(nullptr), kResultOk);
}

TEST_F(Bundle, ProcessorNamesTheControllerClass)
{
    const auto component = createComponent(factory());
    ASSERT_TRUE(component);
    TUID controllerId{};
    ASSERT_EQ(component->getControllerClassId(controllerId), kResultOk);
    EXPECT_EQ(FUID::fromTUID(controllerId), findClass(factory(), kComponentControllerClass));
}

TEST_F(Bundle, AnswersUnknownClassesAndInterfacesWithNoObject)
{
    const FUID unknown{0x01234567, 0x89ABCDEF, 0x01234567, 0x89ABCDEF};
    const FUID processor = *findClass(factory(), kAudioEffectClass);
    void* object = &object;
    EXPECT_EQ(factory().createInstance(unknown, Vst::IComponent::iid, &object), kNoInterface);
    EXPECT_EQ(object, nullptr);
    object = &object;
    EXPECT_EQ(factory().createInstance(processor, unknown, &object), kNoInterface);
    EXPECT_EQ(object, nullptr);
    EXPECT_NE(factory().createInstance(processor, Vst::IComponent::iid, nullptr), kResultOk);
}

TEST_F(Bundle, GetPluginFactoryAnswersTheSameFactoryWhileOneIsHeld)
{
    const auto getFactory =
        reinterpret_cast<GetFactoryProc>(dlsym(module->nativeHandle(), "GetPluginFactory"));
    ASSERT_NE(getFactory, nullptr);
    IPluginFactory* again = getFactory();
    EXPECT_EQ(again, &factory());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->release(), 1u) << "the module's own reference remains";
}

// A host may unload and load a module again while the library stays mapped
// (another user holds it): the factory of the first load is gone by then, and
// the second load must build a fresh one rather than reuse a stale pointer.
TEST(BundleReload, ASecondLoadInTheSameMappingGetsAWorkingFactory)
{
    const auto binary = expectedBinaryPath(morvik::testing::bundleUnderTest());
    void* keepMapped = dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(keepMapped, nullptr) << dlerror();

    std::string error;
    std::vector<PClassInfo2> firstClasses;
    for (int load = 0; load < 2; ++load) {
        SCOPED_TRACE("load " + std::to_string(load + 1));
        auto module = Module::load(binary, error);
        ASSERT_TRUE(module) << error;
        const auto classes = classInfos2(module->factory());
        ASSERT_EQ(classes.size(), 2u);
        if (load == 0)
            firstClasses = classes;
        for (std::size_t index = 0; index < classes.size(); ++index)
            EXPECT_EQ(std::memcmp(&classes[index], &firstClasses[index], sizeof(PClassInfo2)), 0);
        EXPECT_TRUE(createComponent(module->factory()));
    }
    dlclose(keepMapped);
}

TEST_F(Bundle, ControllerStartsWithAHostContext)
{
    const auto component = createComponent(factory());
    ASSERT_TRUE(component);
    const auto controller = createController(factory(), *component);
    if (!controller)
        GTEST_SKIP() << "the factory cannot create the controller yet";
    auto host = create<HostApplication>();
    ASSERT_EQ(controller->initialize(host), kResultOk);
    EXPECT_EQ(controller->terminate(), kResultOk);
}

}  // namespace
