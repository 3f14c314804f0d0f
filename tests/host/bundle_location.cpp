#include "tests/host/bundle_location.h"

#include <cstdlib>

namespace morvik::testing {

std::filesystem::path bundleUnderTest()
{
    if (const char* overridden = std::getenv("MORVIK_BUNDLE"); overridden && *overridden)
        return overridden;
    return MORVIK_BUNDLE_DIR;
}

}  // namespace morvik::testing
