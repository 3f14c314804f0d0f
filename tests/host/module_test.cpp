// Loading modules: the hosting order of calls and the reasons given for failures,
// shown with stand-in modules built next to this test.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "tools/host/factory.h"
#include "tools/host/module.h"

namespace {
namespace fs = std::filesystem;
using morvik::host::Module;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const fs::path kFakes = MORVIK_FAKES_DIR;
const fs::path kFakeBundle = kFakes / "FakePlug.vst3";
const fs::path kFakeBinary = kFakeBundle / "Contents/x86_64-linux/FakePlug.so";

// Keeps a stand-in module resident with a handle of its own, so its call log
// outlives the Module under test.
class CallLog {
public:
    explicit CallLog(const fs::path& binary) : handle(dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        if (!handle)
            throw std::runtime_error(dlerror());
        events = reinterpret_cast<const char* (*)()>(dlsym(handle, "fakeModuleEvents"));
        reinterpret_cast<void (*)()>(dlsym(handle, "fakeModuleClearEvents"))();
    }
    ~CallLog() { dlclose(handle); }
    CallLog(const CallLog&) = delete;
    CallLog& operator=(const CallLog&) = delete;

    std::string calls() const { return events(); }

private:
    void* handle;
    const char* (*events)() = nullptr;
};

TEST(Module, LoadsABundleInHostingOrderAndUnloadsInReverse)
{
    CallLog log(kFakeBinary);
    std::string error;
    auto module = Module::load(kFakeBundle, error);
    ASSERT_TRUE(module) << error;
    EXPECT_THAT(error, IsEmpty());
    EXPECT_EQ(log.calls(), "entry;factory;");
    EXPECT_EQ(module->binaryPath(), kFakeBinary);
    EXPECT_TRUE(morvik::host::factoryInfo(module->factory()).has_value());
    EXPECT_NE(dlsym(module->nativeHandle(), "GetPluginFactory"), nullptr);

    module.reset();
    EXPECT_EQ(log.calls(), "entry;factory;factory deleted;exit;");
}

TEST(Module, AcceptsTheBinaryItselfAndABundlePathWithATrailingSlash)
{
    CallLog log(kFakeBinary);
    for (const fs::path& path : {kFakeBinary, fs::path(kFakeBundle.string() + "/")}) {
        std::string error;
        const auto module = Module::load(path, error);
        ASSERT_TRUE(module) << path << ": " << error;
        EXPECT_EQ(module->binaryPath().lexically_normal(), kFakeBinary.lexically_normal());
    }
}

TEST(Module, EachLoadPairsItsEntryWithAnExit)
{
    CallLog log(kFakeBinary);
    std::string error;
    {
        auto first = Module::load(kFakeBundle, error);
        auto second = Module::load(kFakeBundle, error);
        ASSERT_TRUE(first && second) << error;
    }
    EXPECT_EQ(log.calls(), "entry;factory;entry;factory;factory deleted;exit;factory deleted;exit;");
}

struct FailureCase {
    const char* name;
    fs::path path;
    std::vector<std::string> reasons;  // each must appear in the error
};

class ModuleFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ModuleFailure, ExplainsWhy)
{
    const FailureCase& failure = GetParam();
    std::string error;
    EXPECT_FALSE(Module::load(failure.path, error));
    for (const std::string& reason : failure.reasons)
        EXPECT_THAT(error, HasSubstr(reason));
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, ModuleFailure,
    ::testing::Values(
        FailureCase{"missing_file", kFakes / "Absent.vst3", {"no such file or folder", "Absent.vst3"}},
        FailureCase{"bundle_without_binary", kFakes, {"has no binary", "Contents/x86_64-linux/"}},
        FailureCase{"not_a_shared_object", fs::path(__FILE__), {"cannot load", "module_test.cpp"}},
        FailureCase{"missing_exports",
                    kFakes / "NoEntryPoints.so",
                    {"does not export ModuleEntry, ModuleExit", "NoEntryPoints.so"}},
        FailureCase{"entry_fails", kFakes / "EntryFails.so", {"ModuleEntry", "returned false"}},
        FailureCase{"no_factory", kFakes / "NoFactory.so", {"GetPluginFactory", "returned no factory"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Module, AFailedEntryIsNotFollowedByAnExit)
{
    CallLog log(kFakes / "EntryFails.so");
    std::string error;
    EXPECT_FALSE(Module::load(kFakes / "EntryFails.so", error));
    EXPECT_EQ(log.calls(), "entry;");
}

TEST(Module, ASucceededEntryIsFollowedByAnExitEvenWithoutAFactory)
{
    CallLog log(kFakes / "NoFactory.so");
    std::string error;
    EXPECT_FALSE(Module::load(kFakes / "NoFactory.so", error));
    EXPECT_EQ(log.calls(), "entry;factory;exit;");
}

}  // namespace
