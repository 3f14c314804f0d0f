// The main of every test program. Each run works in a temporary folder of its
// own, which testing::TempDir() answers, so that runs of the suite at the same
// time (two build trees, a developer and CI) never write to the same path.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    std::string folder = testing::TempDir() + "morvik-test-XXXXXX";
    if (!mkdtemp(folder.data())) {
        std::perror(("cannot make a folder like " + folder).c_str());
        return 1;
    }
    setenv("TEST_TMPDIR", folder.c_str(), 1);
    const int result = RUN_ALL_TESTS();
    // Kept after a failure: tests leave pictures of what they saw there.
    if (result == 0) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    } else {
        std::cerr << "the test files are kept in " << folder << '\n';
    }
    return result;
}
