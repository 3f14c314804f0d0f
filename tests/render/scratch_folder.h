// A folder of its own for each test, emptied when the test starts.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

namespace morvik::testing {

inline std::filesystem::path freshScratchFolder()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto folder = std::filesystem::path(::testing::TempDir()) / "morvik-render-tests" /
        test->test_suite_name() / test->name();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace morvik::testing
