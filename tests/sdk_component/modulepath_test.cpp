// Where a module finds its bundle resources, by path and from a loaded module.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "sdk/vst3/factory/modulepath.h"

namespace Steinberg {
namespace {

struct PathCase {
    const char* name;
    std::string modulePath;
    std::string expected;
};

void PrintTo(const PathCase& row, std::ostream* out)
{
    *out << row.name;
}

class ResourcesPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(ResourcesPath, IsBesideTheModulesFolderInsideContents)
{
    EXPECT_EQ(resourcesPathForModule(GetParam().modulePath), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResourcesPath,
    ::testing::Values(PathCase{"InBundle", "/plugins/Gate.vst3/Contents/x86_64-linux/Gate.so",
                               "/plugins/Gate.vst3/Contents/Resources/"},
                      PathCase{"WithDotSegments",
                               "/plugins/./Gate.vst3/Contents/x86_64-linux/../x86_64-linux/Gate.so",
                               "/plugins/Gate.vst3/Contents/Resources/"},
                      PathCase{"Relative", "Gate.vst3/Contents/x86_64-linux/Gate.so",
                               (std::filesystem::current_path() / "Gate.vst3/Contents/Resources/").string()},
                      PathCase{"OutsideABundle", "/usr/lib/libgate.so", ""},
                      PathCase{"ContentsIsTheModulesOwnFolder", "/plugins/Gate.vst3/Contents/Gate.so", ""},
                      PathCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModulePath, NamesTheFileThisCodeIsLinkedInto)
{
    const std::filesystem::path self = getModulePath();
    EXPECT_TRUE(self.is_absolute());
    EXPECT_TRUE(std::filesystem::equivalent(self, "/proc/self/exe"));
    EXPECT_EQ(getModuleResourcesPath(), "");
}

// The probe is a module of its own in Probe.vst3/Contents/x86_64-linux/.
class LoadedProbe : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(handle, nullptr) << dlerror(); }
    void TearDown() override
    {
        if (handle)
            dlclose(handle);
    }

    template <class Function>
    Function symbol(const char* name)
    {
        return reinterpret_cast<Function>(dlsym(handle, name));
    }

    void* handle = dlopen(PROBE_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
};

TEST_F(LoadedProbe, ExportsTheModuleEntryPairAndCountsEntries)
{
    const auto entry = symbol<bool (*)(void*)>("ModuleEntry");
    const auto exit = symbol<bool (*)()>("ModuleExit");
    const auto initCount = symbol<int (*)()>("probeInitCount");
    const auto deinitCount = symbol<int (*)()>("probeDeinitCount");
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(exit, nullptr);
    ASSERT_NE(initCount, nullptr);
    ASSERT_NE(deinitCount, nullptr);

    EXPECT_FALSE(exit());
    EXPECT_TRUE(entry(handle));
    EXPECT_TRUE(entry(handle));
    EXPECT_EQ(initCount(), 1);
    EXPECT_TRUE(exit());
    EXPECT_EQ(deinitCount(), 0);
    EXPECT_TRUE(exit());
    EXPECT_EQ(deinitCount(), 1);
    EXPECT_FALSE(exit());
    EXPECT_EQ(initCount(), 1);
}

TEST_F(LoadedProbe, FindsTheResourcesOfItsOwnBundle)
{
    const auto resourcesPath = symbol<bool (*)(char*, int)>("probeResourcesPath");
    ASSERT_NE(resourcesPath, nullptr);
    char path[4096];
    ASSERT_TRUE(resourcesPath(path, sizeof(path)));
    const std::filesystem::path bundle =
        std::filesystem::path(PROBE_MODULE_PATH).parent_path().parent_path().parent_path();
    EXPECT_EQ(std::string(path), (bundle / "Contents" / "Resources" / "").string());
}

}  // namespace
}  // namespace Steinberg
