// ModuleEntry/ModuleExit counting and the module initialisers, in this program.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "sdk/vst3/factory/moduleentry.h"
#include "sdk/vst3/factory/moduleinit.h"

namespace Steinberg {
namespace {

std::vector<std::string> calls;
bool failNextInit = false;

// Registered out of priority order on purpose.
const ModuleInitializer late([] { calls.push_back("init 20"); }, 20);
const ModuleInitializer early([] { calls.push_back("init 10"); }, 10);
const ModuleInitializer earlyToo([] { calls.push_back("init 10 again"); }, 10);
const ModuleInitializer failing([] {
    if (failNextInit)
        throw std::runtime_error("cannot start");
});
const ModuleTerminator stopLate([] { calls.push_back("deinit 20"); }, 20);
const ModuleTerminator stopEarly([] { calls.push_back("deinit 10"); }, 10);

using Calls = std::vector<std::string>;

class ModuleEntryCount : public ::testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        failNextInit = false;
    }
};

TEST_F(ModuleEntryCount, FirstEntryInitialisesAndLastExitDeinitialises)
{
    int handle = 0;
    int otherHandle = 0;
    ASSERT_TRUE(ModuleEntry(&handle));
    ASSERT_TRUE(ModuleEntry(&otherHandle));
    EXPECT_EQ(calls, (Calls{"init 10", "init 10 again", "init 20"}));
    EXPECT_EQ(getModuleHandle(), &handle);

    calls.clear();
    EXPECT_TRUE(ModuleExit());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(getModuleHandle(), &handle);
    EXPECT_TRUE(ModuleExit());
    EXPECT_EQ(calls, (Calls{"deinit 10", "deinit 20"}));
    EXPECT_EQ(getModuleHandle(), nullptr);

    EXPECT_FALSE(ModuleExit());
}

TEST_F(ModuleEntryCount, ExitWithoutEntryAnswersFalse)
{
    EXPECT_FALSE(ModuleExit());
    EXPECT_TRUE(calls.empty());
}

TEST_F(ModuleEntryCount, EntryAfterTheLastExitInitialisesAgain)
{
    for (int round = 0; round < 2; ++round) {
        calls.clear();
        ASSERT_TRUE(ModuleEntry(nullptr));
        ASSERT_TRUE(ModuleExit());
        EXPECT_EQ(calls, (Calls{"init 10", "init 10 again", "init 20", "deinit 10", "deinit 20"}));
    }
}

TEST_F(ModuleEntryCount, ThrowingInitialiserFailsTheEntryWithoutCountingIt)
{
    int handle = 0;
    failNextInit = true;
    EXPECT_FALSE(ModuleEntry(&handle));
    EXPECT_EQ(getModuleHandle(), nullptr);
    EXPECT_FALSE(ModuleExit());

    failNextInit = false;
    EXPECT_TRUE(ModuleEntry(&handle));
    EXPECT_TRUE(ModuleExit());
}

}  // namespace
}  // namespace Steinberg
