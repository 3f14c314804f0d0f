#include <gtest/gtest.h>

#include "source/controller/architecturelabel.h"

namespace Steinberg::Vst {
namespace {

TEST(ArchitectureLabel, NamesTheArchitectureAndThePlatform)
{
    EXPECT_STREQ(architectureLabel(ProcessorArchitecture::x86_64), "x86_64-Linux");
    EXPECT_STREQ(architectureLabel(ProcessorArchitecture::arm64), "arm64-Linux");
    EXPECT_STREQ(architectureLabel(ProcessorArchitecture::unknown), "unknown");
    EXPECT_STREQ(architectureLabel(static_cast<ProcessorArchitecture>(7)), "unknown");
}

}  // namespace
}  // namespace Steinberg::Vst
