// Where host tests find the bundle they load.
#pragma once

#include <filesystem>

namespace morvik::testing {

// $MORVIK_BUNDLE when set (e.g. an installed copy), else the bundle of this build.
std::filesystem::path bundleUnderTest();

}  // namespace morvik::testing
